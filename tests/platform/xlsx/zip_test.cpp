// The package zip layer, checked against an independent zip reader and writer.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <tuple>

#include "platform/files/fault_injection.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/zip_reader.hpp"
#include "platform/xlsx/zip_writer.hpp"
#include "support/error_of.hpp"
#include "support/test_paths.hpp"
#include "zip_test_files.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;

// "number description" of what a ZipReader raises opening `path` (and reading `part`), or "".
std::string zip_error(const fs::path& path, const std::string& part = "",
                      std::uint64_t limit = ZipReader::kMaxEntrySize) {
  return testing::error_of([&] {
    ZipReader zip(path, limit);
    if (!part.empty()) zip.read(*zip.find(part));
  });
}

void put(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// True when an independent reader opens the archive and every CRC matches.
bool python_accepts(const fs::path& path) {
  const std::string command =
      "/usr/bin/python3 -c \"import zipfile,sys; "
      "assert zipfile.ZipFile(sys.argv[1]).testzip() is None\" '" +
      path.string() + "'";
  return std::system(command.c_str()) == 0;
}

std::string utf16(const std::string& ascii) {
  std::string out;
  for (char c : ascii) out += std::string{c, '\0'};
  return out;
}

std::string compound_file(const std::string& stream_name) {
  std::string bytes("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  return bytes + std::string(1500, '\0') + utf16(stream_name) + std::string(3000, '\x07');
}

// One part whose stored bytes are given as they are, with whatever it declares.
void make_raw_zip(const fs::path& path, const ZipEntry& entry, const std::string& stored) {
  testing::write_zip(path, [&](ZipWriter& zip) { zip.add_raw(entry, stored); });
}

TEST(ZipWriter, NewPartsRoundTripDeterministically) {
  std::mt19937 gen(7);
  std::string noise(5000, '\0');
  for (char& c : noise) c = static_cast<char>(gen() & 0xFF);
  // Text deflates; nothing to gain on empty or random data, which stays stored.
  const testing::Parts parts = {{"[Content_Types].xml", "<Types/>"},
                                {"xl/worksheets/sheet1.xml", testing::sheet_like(100000)},
                                {"xl/empty.bin", ""},
                                {"xl/media/noise.bin", noise},
                                {"docProps/r\xC3\xA9sum\xC3\xA9.xml", "<x/>"}};
  auto dir = testing::scratch_dir();
  testing::make_zip(dir / "a.zip", parts);
  testing::make_zip(dir / "b.zip", parts);
  EXPECT_EQ(testing::slurp(dir / "a.zip"), testing::slurp(dir / "b.zip"));
  EXPECT_TRUE(python_accepts(dir / "a.zip"));

  ZipReader zip(dir / "a.zip");
  ASSERT_EQ(zip.entries().size(), parts.size());
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const ZipEntry& e = zip.entries()[i];
    EXPECT_EQ(std::tuple(e.name, zip.read(e), e.dos_date, e.dos_time),
              std::tuple(parts[i].first, parts[i].second, 0x0021, 0));  // 1 January 1980
    EXPECT_EQ(e.general_flags & 0x0800, i == 4 ? 0x0800 : 0) << "UTF-8 name";
  }
  const auto& e = zip.entries();
  EXPECT_EQ(std::tuple(e[1].method, e[2].method, e[3].method), std::tuple(8, 0, 0));
  EXPECT_LT(e[1].compressed_size, e[1].size / 4);
}

TEST(ZipWriter, ReplacedPartKeepsTheTimestampOfTheOneItReplaces) {
  auto path = testing::scratch_dir() / "like.zip";
  const ZipEntry like{.name = "xl/workbook.xml",
                      .dos_time = 0x6B2A,
                      .dos_date = 0x5A8C,
                      .external_attributes = 0x81A40000,
                      .made_by_system = 3};
  testing::write_zip(path, [&](ZipWriter& zip) { zip.add(like.name, "<workbook/>", 6, &like); });
  ZipReader zip(path);
  const ZipEntry& e = zip.entries().at(0);
  EXPECT_EQ(std::tuple(e.dos_time, e.dos_date, e.external_attributes, e.made_by_system),
            std::tuple(0x6B2A, 0x5A8C, 0x81A40000u, 3));
  EXPECT_EQ(zip.read(e), "<workbook/>");
}

// An archive from another writer, written to a pipe so each part has a data descriptor,
// with times, attributes and both methods, copied raw entry by entry.
TEST(ZipWriter, RawCopyKeepsStoredBytesAndFields) {
  auto dir = testing::scratch_dir();
  const std::string script =
      "import zipfile,sys\n"
      "z = zipfile.ZipFile(sys.stdout.buffer, 'w')\n"
      "parts = [('docProps/app.xml', 8), ('xl/media/image1.png', 0), ('xl/vbaProject.bin', 8)]\n"
      "for i, (name, method) in enumerate(parts):\n"
      "    info = zipfile.ZipInfo(name, (2019, 3, 14, 15, 9, 26 + 2 * i))\n"
      "    info.compress_type, info.external_attr = method, 0o100640 << 16\n"
      "    z.writestr(info, (name * 300).encode())\n"
      "z.close()\n";
  const std::string command =
      "/usr/bin/python3 -c \"" + script + "\" | cat > '" + (dir / "source.zip").string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  ZipReader in(dir / "source.zip");
  ASSERT_EQ(in.entries().size(), 3u);
  const ZipEntry& image = in.entries()[1];  // stored, with a data descriptor, at 15:09:28
  EXPECT_EQ(std::tuple(image.general_flags & 0x0008, image.method, image.dos_date, image.dos_time),
            std::tuple(0x0008, 0, ((2019 - 1980) << 9) | (3 << 5) | 14,
                       (15 << 11) | (9 << 5) | (28 / 2)));
  testing::write_zip(dir / "copy.zip", [&](ZipWriter& zip) {
    for (const ZipEntry& e : in.entries()) zip.add_raw(e, in.read_raw(e));
  });
  EXPECT_TRUE(python_accepts(dir / "copy.zip"));

  // The copy has no data descriptors; all else is as it was.
  auto fields = [](const ZipEntry& e) {
    return std::tuple(e.name, e.method, e.crc, e.size, e.compressed_size, e.dos_time, e.dos_date,
                      e.external_attributes, e.made_by_system, e.general_flags & ~0x0008);
  };
  ZipReader out(dir / "copy.zip");
  ASSERT_EQ(out.entries().size(), in.entries().size());
  for (std::size_t i = 0; i < in.entries().size(); ++i) {
    const ZipEntry &a = in.entries()[i], &b = out.entries()[i];
    EXPECT_EQ(fields(b), fields(a));
    EXPECT_EQ(b.general_flags & 0x0008, 0);
    EXPECT_EQ(out.read_raw(b), in.read_raw(a));
  }
}

TEST(ZipWriter, MoreThan65534EntriesUseZip64AndNothingFollowsFinish) {
  auto path = testing::scratch_dir() / "many.zip";
  testing::write_zip(path, [](ZipWriter& zip) {
    for (int i = 0; i < 65536; ++i) zip.add("p" + std::to_string(i), "", 1);
    zip.finish();
    EXPECT_THROW(zip.add("late.xml", "<x/>"), RuntimeError);
  });
  ZipReader zip(path);
  ASSERT_EQ(zip.entries().size(), 65536u);
  EXPECT_EQ(zip.entries().back().name, "p65535");
  EXPECT_TRUE(python_accepts(path));
}

TEST(ZipReader, RefusesWhatIsNotAWholePackage) {
  auto dir = testing::scratch_dir();
  testing::make_zip(dir / "whole.zip", {{"xl/worksheets/sheet1.xml", testing::sheet_like(20000)}});
  const std::string whole = testing::slurp(dir / "whole.zip");
  const std::string kNotZip = " is not a workbook: an .xlsx or .xlsm file is a zip package";
  const std::string kPassword =
      " is protected by a password; open it in the spreadsheet, "
      "remove the password and save it again";
  // The stream name straddles the reader's 1 MiB read chunk.
  std::string straddling = compound_file("Workbook");
  straddling.resize((1 << 20) - 9, '\0');
  straddling += utf16("EncryptedPackage");
  // clang-format off
  const struct {
    std::string file, bytes, message;  // message follows the file name
  } cases[] = {
      {"protected.xlsx", compound_file("EncryptionInfo"), kPassword},
      {"big.xlsx", straddling, kPassword},
      {"old.xls", compound_file("Workbook"),
       " is a legacy .xls workbook; open it in the spreadsheet and save it as .xlsx or .xlsm"},
      {"empty.xlsx", "", kNotZip}, {"tiny.xlsx", "PK", kNotZip},
      {"text.xlsx", "Deductee,PAN,Amount\n", kNotZip},
      {"cut.xlsx", whole.substr(0, whole.size() / 2),
       " is damaged: the file is cut short (no end of archive record)"},
  };
  // clang-format on
  for (const auto& c : cases) {
    put(dir / c.file, c.bytes);
    EXPECT_EQ(zip_error(dir / c.file), "1004 " + c.file + c.message);
  }
  // An OpenDocument spreadsheet is a zip too; its first entry names its kind.
  testing::make_zip(dir / "sheet.ods",
                    {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                     {"content.xml", "<office:document-content/>"}});
  EXPECT_EQ(zip_error(dir / "sheet.ods"),
            "1004 sheet.ods is an OpenDocument spreadsheet (.ods); open it in the spreadsheet and "
            "save it as .xlsx or .xlsm");
  testing::make_zip(dir / "text.zip", {{"mimetype", "application/vnd.oasis.opendocument.text"}});
  EXPECT_EQ(zip_error(dir / "text.zip"), "");
}

// A folder, a named pipe or a device is refused by what its entry says, before it
// is opened: opening a pipe would wait for a writer.
TEST(ZipReader, RefusesWhatIsNoFileWithoutOpeningIt) {
  const auto dir = testing::scratch_dir();
  const fs::path pipe = dir / "pipe.xlsx", folder = dir / "folder.xlsx";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  fs::create_directory(folder);
  fs::create_symlink(pipe, dir / "link.xlsx");
  const std::string refused = "75 Path/File access error: ";
  // clang-format off
  const struct { fs::path path; std::string message; } cases[] = {
      {.path = pipe, .message = refused + pipe.string() + " is a named pipe, not a file"},
      {.path = dir / "link.xlsx",
       .message = refused + (dir / "link.xlsx").string() + " is a named pipe, not a file"},
      {.path = folder, .message = refused + folder.string() + " is a folder"},
      {.path = "/dev/null", .message = refused + "/dev/null is a device, not a file"}};
  // clang-format on
  for (const auto& c : cases) {
    FaultInjectingFileSystem counting({});
    FileSystemOverride in_place(counting);
    EXPECT_EQ(zip_error(c.path), c.message);
    EXPECT_EQ(counting.calls(FileCall::Open), 0) << c.path;
  }
}

TEST(ZipReader, MissingOrUnreadableFile) {
  auto dir = testing::scratch_dir();
  const fs::path absent = dir / "nowhere" / "book.xlsx", book = dir / "book.xlsx";
  EXPECT_EQ(zip_error(absent), "53 File not found: " + absent.string());
  testing::make_zip(book, {{"[Content_Types].xml", "<Types/>"},
                           {"xl/workbook.xml", testing::sheet_like(4000000)}});
  const std::string io = "57 Device I/O error reading " + book.string();
  // clang-format off
  const struct { FileFault fault; std::string message; } cases[] = {
      {.fault = {.call = FileCall::Open, .error = EACCES},
       .message = "70 Permission denied: " + book.string()},
      {.fault = {.call = FileCall::Open, .error = EPERM},
       .message = "70 Permission denied: " + book.string()},
      {.fault = {.call = FileCall::Open, .error = EMFILE}, .message = io + " (Too many open files)"},
      {.fault = {.call = FileCall::Stat, .error = EIO}, .message = io + " (Input/output error)"}};
  for (const auto& c : cases) {
    FaultInjectingFileSystem faulty({c.fault});
    FileSystemOverride in_place(faulty);
    EXPECT_EQ(zip_error(book, "xl/workbook.xml"), c.message);
    EXPECT_EQ(faulty.open_descriptors(), 0);
  }
  // clang-format on
  // Each read in turn fails, from the first bytes to the last slice of the part.
  for (int n = 1;; ++n) {
    FaultInjectingFileSystem faulty({{.call = FileCall::Read, .nth = n, .error = EIO}});
    FileSystemOverride in_place(faulty);
    const std::string error = zip_error(book, "xl/workbook.xml");
    EXPECT_EQ(faulty.open_descriptors(), 0);
    if (faulty.calls(FileCall::Read) < n) {
      EXPECT_EQ(error, "");
      EXPECT_GT(n, 10) << "the part is inflated from several slices";
      break;
    }
    EXPECT_EQ(error, io + " (Input/output error)") << "read " << n;
  }
}

// Archives whose records contradict each other or the file.
TEST(ZipReader, RefusesAnInconsistentLayout) {
  auto dir = testing::scratch_dir();
  testing::make_zip(dir / "two.zip",
                    {{"xl/a.xml", "<a/>"}, {"xl/b.xml", testing::sheet_like(2000)}});
  const std::string two = testing::slurp(dir / "two.zip");
  const std::size_t second = two.find("PK\x03\x04", 4), end = two.rfind("PK\x05\x06");
  ASSERT_NE(second, std::string::npos);
  auto changed = [&](std::size_t at, const std::string& bytes) {
    return two.substr(0, at) + bytes + two.substr(at + bytes.size());
  };
  testing::make_zip(dir / "twice.zip", {{"xl/a.xml", "<a/>"}, {"xl/a.xml", "<b/>"}});
  // clang-format off
  const struct { std::string what, bytes, message; } cases[] = {
      {.what = "a broken local header",
       .bytes = changed(second, "PK\x03\x05"),
       .message = "the archive is inconsistent"},
      {.what = "a local name unlike the central one",
       .bytes = changed(second + 30 + 3, "c"),
       .message = "the archive is inconsistent"},
      {.what = "a local method unlike the central one",
       .bytes = changed(second + 8, std::string(1, '\0')),
       .message = "the archive is inconsistent"},
      {.what = "data running into the central directory",
       .bytes = changed(second + 28, "\xFF\xFF"),
       .message = "part xl/b.xml lies outside the file"},
      {.what = "a directory past the end",
       .bytes = changed(end + 16, "\xFF\xFF\xFF\x7F"),
       .message = "the central directory lies outside the file"},
      {.what = "one name twice",
       .bytes = testing::slurp(dir / "twice.zip"),
       .message = "File already exists"}};
  for (const auto& c : cases) {
    put(dir / "book.xlsx", c.bytes);
    EXPECT_EQ(zip_error(dir / "book.xlsx"), "1004 book.xlsx is damaged: " + c.message) << c.what;
  }
  // clang-format on
}

TEST(ZipReader, DamagedPartsFailTheirChecks) {
  auto dir = testing::scratch_dir();
  const std::string part = "xl/worksheets/sheet1.xml";
  testing::make_zip(dir / "whole.zip", {{part, testing::sheet_like(20000)}});
  std::string flipped = testing::slurp(dir / "whole.zip");
  flipped[30 + part.size() + 200] ^= 0x5A;  // inside the compressed data
  put(dir / "book.xlsx", flipped);
  const std::string e = zip_error(dir / "book.xlsx", part);
  EXPECT_TRUE(e == "1004 book.xlsx is damaged: bad CRC in part " + part ||
              e == "1004 book.xlsx is damaged: part " + part + " cannot be inflated")
      << e;

  const ZipEntry sheet = ZipReader(dir / "whole.zip").entries()[0];
  const std::string deflated = ZipReader(dir / "whole.zip").read_raw(sheet);
  make_raw_zip(dir / "short.xlsx", sheet, deflated.substr(0, deflated.size() / 2));
  EXPECT_EQ(zip_error(dir / "short.xlsx", part),
            "1004 short.xlsx is damaged: part " + part + " cannot be inflated");

  make_raw_zip(dir / "crc.xlsx", {.name = "xl/styles.xml", .size = 13, .crc = 0x12345678},
               "<styleSheet/>");
  EXPECT_EQ(zip_error(dir / "crc.xlsx", "xl/styles.xml"),
            "1004 crc.xlsx is damaged: bad CRC in part xl/styles.xml");
  make_raw_zip(dir / "bz.xlsx", {.name = "xl/workbook.xml", .method = 12, .size = 5}, "BZh91AY&SY");
  ZipReader zip(dir / "bz.xlsx");
  EXPECT_EQ(zip.read_raw(zip.entries()[0]), "BZh91AY&SY") << "still copies raw";
  EXPECT_EQ(zip_error(dir / "bz.xlsx", "xl/workbook.xml"),
            "1004 bz.xlsx is damaged: part xl/workbook.xml uses an unsupported compression method");

  // The encryption flag set in the local and the central header alike.
  testing::make_zip(dir / "enc.xlsx", {{"xl/workbook.xml", "<workbook/>"}});
  std::string bytes = testing::slurp(dir / "enc.xlsx");
  const std::size_t central = bytes.find("PK\x01\x02");
  ASSERT_NE(central, std::string::npos);
  bytes[6] |= 1;
  bytes[central + 8] |= 1;
  put(dir / "enc.xlsx", bytes);
  EXPECT_EQ(zip_error(dir / "enc.xlsx"),
            "1004 enc.xlsx is damaged: part xl/workbook.xml is encrypted");
}

// What a part declares against what it inflates to (1000 bytes) and the bound on that.
TEST(ZipReader, InflatedSizeMustMatchTheDeclaredOneAndStayInBounds) {
  auto dir = testing::scratch_dir();
  testing::make_zip(dir / "source.zip", {{"xl/sharedStrings.xml", std::string(1000, 'a')}});
  ZipReader source(dir / "source.zip");
  ZipEntry entry = source.entries()[0];
  const std::string stored = source.read_raw(entry);
  const std::string kDamaged = "1004 part.xlsx is damaged: part xl/sharedStrings.xml ";
  const std::string kBomb = kDamaged + "inflates past 100 bytes (a zip bomb)";
  const std::string kHolds = kDamaged + "holds 1000 bytes but declares ";
  const std::uint64_t kMax = ZipReader::kMaxEntrySize;
  // clang-format off
  const struct {
    std::uint64_t declared, limit;
    std::string message;  // empty: reads
  } cases[] = {
      {10, 100, kBomb},  // under the bound as declared, past it inflated
      {1000, 100, kBomb}, {1000, 1000, ""}, {10, kMax, kHolds + "10"},
      {999, kMax, kHolds + "999"}, {1001, kMax, kHolds + "1001"}, {4000, kMax, kHolds + "4000"},
  };
  // clang-format on
  for (const auto& c : cases) {
    entry.size = c.declared;
    make_raw_zip(dir / "part.xlsx", entry, stored);
    EXPECT_EQ(zip_error(dir / "part.xlsx", entry.name, c.limit), c.message) << c.declared;
  }
}

TEST(ZipReader, FindIgnoresCaseAndLeadingSlash) {
  auto path = testing::scratch_dir() / "names.xlsx";
  testing::make_zip(path, {{"[Content_Types].xml", "a"},
                           {"/xl/workbook.xml", "b"},
                           {"xl/Styles.xml", "c"},
                           {"xl/styles.XML", "d"}});
  ZipReader zip(path);
  const std::pair<const char*, std::string> cases[] = {
      // query, found ("" absent)
      {"[Content_Types].xml", "[Content_Types].xml"},
      {"/[Content_Types].xml", "[Content_Types].xml"},
      {"xl/workbook.xml", "/xl/workbook.xml"},
      {"/XL/WORKBOOK.xml", "/xl/workbook.xml"},
      {"xl/styles.xml", "xl/Styles.xml"},
      {"xl/workbook.xm", ""},
      {"", ""},
      {"xl/styles.XML", "xl/styles.XML"},  // the exact match wins over an earlier one
  };
  for (const auto& [query, found] : cases) {
    const ZipEntry* e = zip.find(query);
    EXPECT_EQ(e ? e->name : "", found) << query;
  }
}

}  // namespace
}  // namespace fenwarx
