#include "platform/xlsx/zip_reader.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/zip_test_files.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;

// The error a ZipReader raises opening `path`, or number 0 when it opens.
RuntimeError open_error(const fs::path& path, std::uint64_t limit = ZipReader::kMaxEntrySize) {
  try {
    ZipReader zip(path, limit);
  } catch (const RuntimeError& e) {
    return e;
  }
  return RuntimeError(0, "");
}

RuntimeError read_error(const fs::path& path, const std::string& part,
                        std::uint64_t limit = ZipReader::kMaxEntrySize) {
  ZipReader zip(path, limit);
  try {
    zip.read(*zip.find(part));
  } catch (const RuntimeError& e) {
    return e;
  }
  return RuntimeError(0, "");
}

std::string utf16(const std::string& ascii) {
  std::string out;
  for (char c : ascii) out += std::string{c, '\0'};
  return out;
}

std::string compound_file(const std::string& stream_name) {
  std::string bytes("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  bytes += std::string(1500, '\0') + utf16(stream_name) + std::string(3000, '\x07');
  return bytes;
}

// `data` deflated as the writer stores it, with its entry (sizes, CRC).
std::pair<ZipEntry, std::string> deflated(const fs::path& dir, const std::string& data) {
  testing::make_zip(dir / "deflate.zip", {{"x", data}});
  ZipReader zip(dir / "deflate.zip");
  EXPECT_EQ(zip.entries()[0].method, 8);
  return {zip.entries()[0], zip.read_raw(zip.entries()[0])};
}

// One part whose stored bytes are given as they are, with whatever it declares.
void make_raw_zip(const fs::path& path, const ZipEntry& entry, const std::string& stored) {
  AtomicFile out(path);
  ZipWriter zip(out);
  zip.add_raw(entry, stored);
  zip.finish();
  out.commit();
}

TEST(ZipReader, RefusesWhatIsNotAPackage) {
  const std::string kNotZip =
      " is not a workbook: an .xlsx or .xlsm file is a zip package";
  struct Case {
    const char* file;
    std::string bytes;
    std::string message;
  };
  const Case cases[] = {
      {"protected.xlsx", compound_file("EncryptionInfo"),
       "protected.xlsx is protected by a password; open it in the spreadsheet, remove the "
       "password and save it again"},
      {"package.xlsm", compound_file("EncryptedPackage"),
       "package.xlsm is protected by a password; open it in the spreadsheet, remove the "
       "password and save it again"},
      {"old.xls", compound_file("Workbook"),
       "old.xls is a legacy .xls workbook; open it in the spreadsheet and save it as .xlsx or "
       ".xlsm"},
      {"random.xlsx", std::string("\x93\x11\xFE\x02\xAB\xCD\xEF\x00\x42", 9) + "more noise",
       "random.xlsx" + kNotZip},
      {"empty.xlsx", "", "empty.xlsx" + kNotZip},
      {"tiny.xlsx", "PK", "tiny.xlsx" + kNotZip},
      {"text.xlsx", "Deductee,PAN,Amount\n", "text.xlsx" + kNotZip},
  };
  auto dir = testing::scratch_dir();
  for (const Case& c : cases) {
    testing::put(dir / c.file, c.bytes);
    RuntimeError e = open_error(dir / c.file);
    EXPECT_EQ(e.number(), err::kApplication) << c.file;
    EXPECT_EQ(e.description(), c.message);
  }
}

TEST(ZipReader, EncryptionStreamNameAcrossAReadChunk) {
  auto path = testing::scratch_dir() / "big.xlsx";
  std::string bytes = compound_file("Workbook");
  bytes.resize((1 << 20) - 9, '\0');
  bytes += utf16("EncryptedPackage");
  testing::put(path, bytes);
  EXPECT_EQ(open_error(path).description().find("big.xlsx is protected by a password"), 0u);
}

TEST(ZipReader, MissingFile) {
  auto path = testing::scratch_dir() / "nowhere" / "book.xlsx";
  RuntimeError e = open_error(path);
  EXPECT_EQ(e.number(), err::kFileNotFound);
  EXPECT_EQ(e.description(), "File not found: " + path.string());
}

TEST(ZipReader, UnreadableFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads anything";
  auto path = testing::scratch_dir() / "locked.xlsx";
  testing::make_zip(path, {{"a", "b"}});
  ::chmod(path.c_str(), 0);
  RuntimeError e = open_error(path);
  EXPECT_EQ(e.number(), err::kPermission);
  EXPECT_EQ(e.description(), "Permission denied: " + path.string());
}

TEST(ZipReader, ZipCutInHalf) {
  auto dir = testing::scratch_dir();
  testing::make_zip(dir / "whole.zip", {{"xl/worksheets/sheet1.xml", testing::sheet_like(500)},
                                        {"xl/styles.xml", "<styleSheet/>"}});
  std::string bytes = testing::slurp(dir / "whole.zip");
  testing::put(dir / "cut.xlsx", bytes.substr(0, bytes.size() / 2));
  RuntimeError e = open_error(dir / "cut.xlsx");
  EXPECT_EQ(e.number(), err::kApplication);
  EXPECT_EQ(e.description(), "cut.xlsx is damaged: the file is cut short (no end of archive record)");
}

TEST(ZipReader, FlippedByteInCompressedData) {
  auto dir = testing::scratch_dir();
  const std::string part = "xl/worksheets/sheet1.xml";
  testing::make_zip(dir / "book.xlsx", {{part, testing::sheet_like(500)}});
  std::string bytes = testing::slurp(dir / "book.xlsx");
  std::size_t data_start = 30 + part.size();
  bytes[data_start + 200] = static_cast<char>(bytes[data_start + 200] ^ 0x5A);
  testing::put(dir / "book.xlsx", bytes);

  RuntimeError e = read_error(dir / "book.xlsx", part);
  EXPECT_EQ(e.number(), err::kApplication);
  EXPECT_TRUE(e.description() == "book.xlsx is damaged: bad CRC in part " + part ||
              e.description() == "book.xlsx is damaged: part " + part + " cannot be inflated")
      << e.description();
}

TEST(ZipReader, StoredPartWithWrongCrc) {
  auto path = testing::scratch_dir() / "crc.xlsx";
  ZipEntry entry;
  entry.name = "xl/styles.xml";
  entry.size = 13;
  entry.crc = 0x12345678;
  make_raw_zip(path, entry, "<styleSheet/>");
  EXPECT_EQ(read_error(path, "xl/styles.xml").description(),
            "crc.xlsx is damaged: bad CRC in part xl/styles.xml");
}

TEST(ZipReader, PartInflatingPastTheLimitIsAZipBomb) {
  auto dir = testing::scratch_dir();
  auto [entry, stored] = deflated(dir, std::string(1000, 'a'));
  entry.name = "xl/sharedStrings.xml";
  entry.size = 10;  // a lie: it inflates to 1000 bytes
  make_raw_zip(dir / "bomb.xlsx", entry, stored);
  RuntimeError e = read_error(dir / "bomb.xlsx", entry.name, 100);
  EXPECT_EQ(e.number(), err::kApplication);
  EXPECT_EQ(e.description(),
            "bomb.xlsx is damaged: part xl/sharedStrings.xml inflates past 100 bytes (a zip bomb)");

  entry.size = 1000;  // honest, but past the limit
  make_raw_zip(dir / "big.xlsx", entry, stored);
  EXPECT_EQ(read_error(dir / "big.xlsx", entry.name, 100).description(),
            "big.xlsx is damaged: part xl/sharedStrings.xml inflates past 100 bytes (a zip bomb)");
  EXPECT_EQ(read_error(dir / "big.xlsx", entry.name, 1000).number(), 0);
}

TEST(ZipReader, PartOfAnotherSizeThanDeclared) {
  auto dir = testing::scratch_dir();
  auto [entry, stored] = deflated(dir, std::string(1000, 'a'));
  entry.name = "xl/workbook.xml";
  for (std::uint64_t declared : {10, 999, 1001, 4000}) {
    entry.size = declared;
    make_raw_zip(dir / "long.xlsx", entry, stored);
    RuntimeError e = read_error(dir / "long.xlsx", entry.name);
    EXPECT_EQ(e.number(), err::kApplication) << declared;
    EXPECT_EQ(e.description(), "long.xlsx is damaged: part xl/workbook.xml holds 1000 bytes "
                               "but declares " + std::to_string(declared));
  }
}

TEST(ZipReader, UnsupportedMethod) {
  auto path = testing::scratch_dir() / "bz.xlsx";
  ZipEntry entry;
  entry.name = "xl/workbook.xml";
  entry.method = 12;
  entry.size = 5;
  make_raw_zip(path, entry, "BZh91AY&SY");
  ZipReader zip(path);
  EXPECT_EQ(zip.read_raw(zip.entries()[0]), "BZh91AY&SY") << "still copies raw";
  EXPECT_EQ(read_error(path, entry.name).description(),
            "bz.xlsx is damaged: part xl/workbook.xml uses an unsupported compression method");
}

TEST(ZipReader, EncryptedPart) {
  auto path = testing::scratch_dir() / "enc.xlsx";
  testing::make_zip(path, {{"xl/workbook.xml", "<workbook/>"}});
  // Set the encryption flag in the local and the central header alike.
  std::string bytes = testing::slurp(path);
  bytes[6] = static_cast<char>(bytes[6] | 1);
  std::size_t central = bytes.find("PK\x01\x02");
  ASSERT_NE(central, std::string::npos);
  bytes[central + 8] = static_cast<char>(bytes[central + 8] | 1);
  testing::put(path, bytes);
  EXPECT_EQ(open_error(path).description(),
            "enc.xlsx is damaged: part xl/workbook.xml is encrypted");
}

TEST(ZipReader, FindIgnoresCaseAndLeadingSlash) {
  auto path = testing::scratch_dir() / "names.xlsx";
  testing::make_zip(path, {{"[Content_Types].xml", "a"},
                           {"/xl/workbook.xml", "b"},
                           {"xl/Styles.xml", "c"},
                           {"xl/styles.XML", "d"}});
  ZipReader zip(path);
  struct Case {
    const char* query;
    const char* found;  // nullptr: absent
  };
  const Case cases[] = {
      {"[Content_Types].xml", "[Content_Types].xml"},
      {"[content_types].XML", "[Content_Types].xml"},
      {"xl/workbook.xml", "/xl/workbook.xml"},
      {"/XL/WORKBOOK.xml", "/xl/workbook.xml"},
      {"/[Content_Types].xml", "[Content_Types].xml"},
      {"xl/styles.XML", "xl/styles.XML"},  // the exact match wins over an earlier one
      {"xl/styles.xml", "xl/Styles.xml"},
      {"xl/workbook.xm", nullptr},
      {"", nullptr},
  };
  for (const Case& c : cases) {
    const ZipEntry* e = zip.find(c.query);
    if (!c.found) {
      EXPECT_EQ(e, nullptr) << c.query;
    } else {
      ASSERT_NE(e, nullptr) << c.query;
      EXPECT_EQ(e->name, c.found) << c.query;
    }
  }
}

}  // namespace
}  // namespace fenwarx
