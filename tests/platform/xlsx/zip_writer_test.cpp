#include "platform/xlsx/zip_writer.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/zip_reader.hpp"
#include "platform/xlsx/zip_test_files.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;
using testing::Parts;

std::string random_bytes(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(gen() & 0xFF);
  return s;
}

const Parts& sample_parts() {
  static const Parts parts = {
      {"[Content_Types].xml", "<Types/>"},
      {"xl/worksheets/sheet1.xml", testing::sheet_like(2000)},
      {"xl/empty.bin", ""},
      {"xl/media/noise.bin", random_bytes(5000, 7)},
      {"docProps/r\xC3\xA9sum\xC3\xA9.xml", "<x/>"},
  };
  return parts;
}

TEST(ZipWriter, NewPartsRoundTrip) {
  auto path = testing::scratch_dir() / "new.zip";
  testing::make_zip(path, sample_parts());
  EXPECT_TRUE(testing::python_accepts(path));

  ZipReader zip(path);
  ASSERT_EQ(zip.entries().size(), sample_parts().size());
  for (std::size_t i = 0; i < sample_parts().size(); ++i) {
    const ZipEntry& e = zip.entries()[i];
    EXPECT_EQ(e.name, sample_parts()[i].first);
    EXPECT_EQ(zip.read(e), sample_parts()[i].second) << e.name;
    EXPECT_EQ(e.dos_date, 0x0021) << "1 January 1980";
    EXPECT_EQ(e.dos_time, 0);
  }
  // Text deflates; nothing to gain on empty or random data, which stays stored.
  EXPECT_EQ(zip.entries()[1].method, 8);
  EXPECT_LT(zip.entries()[1].compressed_size, zip.entries()[1].size / 4);
  EXPECT_EQ(zip.entries()[2].method, 0);
  EXPECT_EQ(zip.entries()[3].method, 0);
  EXPECT_EQ(zip.entries()[4].general_flags & 0x0800, 0x0800) << "UTF-8 name";
  EXPECT_EQ(zip.entries()[0].general_flags & 0x0800, 0);
}

TEST(ZipWriter, OutputIsDeterministic) {
  auto dir = testing::scratch_dir();
  testing::make_zip(dir / "a.zip", sample_parts());
  testing::make_zip(dir / "b.zip", sample_parts());
  EXPECT_EQ(testing::slurp(dir / "a.zip"), testing::slurp(dir / "b.zip"));
}

TEST(ZipWriter, ReplacedPartKeepsTheTimestampOfTheOneItReplaces) {
  auto path = testing::scratch_dir() / "like.zip";
  ZipEntry like;
  like.dos_time = 0x6B2A;
  like.dos_date = 0x5A8C;
  like.external_attributes = 0x81A40000;
  like.made_by_system = 3;
  {
    AtomicFile out(path);
    ZipWriter zip(out);
    zip.add("xl/workbook.xml", "<workbook/>", 6, &like);
    zip.finish();
    out.commit();
  }
  ZipReader zip(path);
  const ZipEntry& e = zip.entries().at(0);
  EXPECT_EQ(e.dos_time, 0x6B2A);
  EXPECT_EQ(e.dos_date, 0x5A8C);
  EXPECT_EQ(e.external_attributes, 0x81A40000u);
  EXPECT_EQ(e.made_by_system, 3);
  EXPECT_EQ(zip.read(e), "<workbook/>");
}

// An archive from another writer, with a data descriptor after each part, times,
// attributes and both methods, copied raw entry by entry.
TEST(ZipWriter, RawCopyKeepsStoredBytesAndFields) {
  auto dir = testing::scratch_dir();
  auto source = dir / "source.zip";
  std::string script =
      "import zipfile,sys\n"
      "class Pipe:\n"
      "    def __init__(s, f): s.f = f\n"
      "    def write(s, b): return s.f.write(b)\n"
      "    def flush(s): s.f.flush()\n"
      "with open(sys.argv[1], 'wb') as f:\n"
      "    z = zipfile.ZipFile(Pipe(f), 'w')\n"
      "    for i, (name, method) in enumerate([('[Content_Types].xml', zipfile.ZIP_DEFLATED),\n"
      "                                        ('xl/media/image1.png', zipfile.ZIP_STORED),\n"
      "                                        ('xl/vbaProject.bin', zipfile.ZIP_DEFLATED)]):\n"
      "        info = zipfile.ZipInfo(name, (2019, 3, 14, 15, 9, 26 + 2 * i))\n"
      "        info.compress_type = method\n"
      "        info.external_attr = 0o100640 << 16\n"
      "        z.writestr(info, (name * 300).encode())\n"
      "    z.close()\n";
  testing::put(dir / "make.py", script);
  ASSERT_EQ(std::system(("/usr/bin/python3 '" + (dir / "make.py").string() + "' '" +
                         source.string() + "'").c_str()),
            0);

  ZipReader in(source);
  ASSERT_EQ(in.entries().size(), 3u);
  EXPECT_EQ(in.entries()[0].general_flags & 0x0008, 0x0008) << "source uses data descriptors";
  auto copy = dir / "copy.zip";
  {
    AtomicFile out(copy);
    ZipWriter zip(out);
    for (const ZipEntry& e : in.entries()) zip.add_raw(e, in.read_raw(e));
    zip.finish();
    out.commit();
  }
  EXPECT_TRUE(testing::python_accepts(copy));

  ZipReader out(copy);
  ASSERT_EQ(out.entries().size(), in.entries().size());
  for (std::size_t i = 0; i < in.entries().size(); ++i) {
    const ZipEntry &a = in.entries()[i], &b = out.entries()[i];
    EXPECT_EQ(b.name, a.name);
    EXPECT_EQ(b.method, a.method);
    EXPECT_EQ(b.crc, a.crc);
    EXPECT_EQ(b.size, a.size);
    EXPECT_EQ(b.compressed_size, a.compressed_size);
    EXPECT_EQ(b.dos_time, a.dos_time);
    EXPECT_EQ(b.dos_date, a.dos_date);
    EXPECT_EQ(b.external_attributes, a.external_attributes);
    EXPECT_EQ(b.made_by_system, a.made_by_system);
    EXPECT_EQ(b.general_flags, a.general_flags & ~0x0008) << "no data descriptor in the copy";
    EXPECT_EQ(out.read_raw(b), in.read_raw(a));
    EXPECT_EQ(out.read(b), in.read(a));
  }
  EXPECT_EQ(in.entries()[1].method, 0);
  EXPECT_EQ(in.entries()[1].dos_date, ((2019 - 1980) << 9) | (3 << 5) | 14);
  EXPECT_EQ(in.entries()[1].dos_time, (15 << 11) | (9 << 5) | (28 / 2));
}

TEST(ZipWriter, MoreThan65534EntriesUseZip64) {
  auto path = testing::scratch_dir() / "many.zip";
  constexpr int kCount = 65536;
  {
    AtomicFile out(path);
    ZipWriter zip(out);
    for (int i = 0; i < kCount; ++i) zip.add("p" + std::to_string(i), "", 1);
    zip.finish();
    out.commit();
  }
  ZipReader zip(path);
  ASSERT_EQ(zip.entries().size(), std::size_t{kCount});
  EXPECT_EQ(zip.entries().back().name, "p65535");
  EXPECT_EQ(std::system(("/usr/bin/python3 -c \"import zipfile,sys; "
                         "assert len(zipfile.ZipFile(sys.argv[1]).namelist()) == 65536\" '" +
                         path.string() + "'").c_str()),
            0);
}

TEST(ZipWriter, AddingAfterFinishIsAnError) {
  auto path = testing::scratch_dir() / "late.zip";
  AtomicFile out(path);
  ZipWriter zip(out);
  zip.finish();
  EXPECT_THROW(zip.add("late.xml", "<x/>"), RuntimeError);
}

}  // namespace
}  // namespace fenwarx
