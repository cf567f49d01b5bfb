// What other spreadsheet readers make of the workbooks we save: openpyxl reads
// each one, and LibreOffice re-saves it so openpyxl can show what LibreOffice saw.
// Each LibreOffice start costs seconds, and the test runner starts every test in
// a process of its own, so one test saves everything and converts it at once.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;

// --- The part of JSON that read_back.py prints: objects, strings, numbers, literals.

struct Json {
  enum Kind { Null, Bool, Number, String, Object } kind = Null;
  std::string text;  // a string's value, a number's or a literal's token
  std::map<std::string, Json> members;

  const Json* get(const std::string& key) const {
    auto it = members.find(key);
    return it == members.end() ? nullptr : &it->second;
  }
};

class JsonParser {
 public:
  explicit JsonParser(std::string_view in) : in_(in) {}

  std::optional<Json> parse() {
    auto v = value();
    skip();
    if (!v || pos_ != in_.size()) return std::nullopt;
    return v;
  }

 private:
  void skip() {
    while (pos_ < in_.size() && (in_[pos_] == ' ' || in_[pos_] == '\n' || in_[pos_] == '\r' || in_[pos_] == '\t'))
      ++pos_;
  }
  bool eat(char c) {
    skip();
    if (pos_ < in_.size() && in_[pos_] == c) return ++pos_, true;
    return false;
  }
  static void append_utf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  std::optional<unsigned> hex4() {
    if (pos_ + 4 > in_.size()) return std::nullopt;
    unsigned v = 0;
    for (int i = 0; i < 4; ++i) {
      char c = in_[pos_++];
      v <<= 4;
      if (c >= '0' && c <= '9') v |= c - '0';
      else if (c >= 'a' && c <= 'f') v |= c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') v |= c - 'A' + 10;
      else return std::nullopt;
    }
    return v;
  }
  std::optional<std::string> string() {
    if (!eat('"')) return std::nullopt;
    std::string out;
    while (pos_ < in_.size()) {
      char c = in_[pos_++];
      if (c == '"') return out;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= in_.size()) break;
      char e = in_[pos_++];
      switch (e) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'u': {
          auto cp = hex4();
          if (!cp) return std::nullopt;
          if (*cp >= 0xD800 && *cp < 0xDC00 && pos_ + 6 <= in_.size() && in_[pos_] == '\\') {
            pos_ += 2;
            auto low = hex4();
            if (!low) return std::nullopt;
            *cp = 0x10000 + ((*cp - 0xD800) << 10) + (*low - 0xDC00);
          }
          append_utf8(out, *cp);
          break;
        }
        default: out += e;
      }
    }
    return std::nullopt;
  }
  std::optional<Json> value() {
    skip();
    if (pos_ >= in_.size()) return std::nullopt;
    Json v;
    const char c = in_[pos_];
    if (c == '{') {
      ++pos_;
      v.kind = Json::Object;
      if (eat('}')) return v;
      do {
        auto key = string();
        if (!key || !eat(':')) return std::nullopt;
        auto member = value();
        if (!member) return std::nullopt;
        v.members[*key] = std::move(*member);
      } while (eat(','));
      if (!eat('}')) return std::nullopt;
      return v;
    }
    if (c == '"') {
      auto s = string();
      if (!s) return std::nullopt;
      v.kind = Json::String;
      v.text = std::move(*s);
      return v;
    }
    const auto start = pos_;
    while (pos_ < in_.size() && std::string_view(",}] \n").find(in_[pos_]) == std::string_view::npos) ++pos_;
    v.text = std::string(in_.substr(start, pos_ - start));
    if (v.text == "true" || v.text == "false") v.kind = Json::Bool;
    else if (v.text == "null") v.kind = Json::Null;
    else if (!v.text.empty()) v.kind = Json::Number;
    else return std::nullopt;
    return v;
  }

  std::string_view in_;
  std::size_t pos_ = 0;
};

// --- Running the readers.

struct Run {
  int status = -1;
  std::string out;
};

Run run(const std::string& command) {
  Run r;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return r;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, n);
  const int status = ::pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

std::string quoted(const fs::path& p) {
  std::string out = "'";
  for (char c : p.string()) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

constexpr const char* kPython = "/usr/bin/python3";
const fs::path kReaders = FENWARX_READERS;

bool have_openpyxl() { return run(std::string(kPython) + " -c 'import openpyxl' 2>/dev/null").status == 0; }
bool have_soffice() { return run("command -v soffice >/dev/null 2>&1").status == 0; }

// --- The workbooks under test, built once.

struct Suite {
  std::string missing;  // tools not installed
  std::string failure;  // building, saving or reading back went wrong
  std::map<std::string, Json> ours;         // file name -> what openpyxl read
  std::map<std::string, Json> libreoffice;  // file name -> what openpyxl read of LibreOffice's copy
};

constexpr const char* kCreated = "created.xlsx";
constexpr const char* kSharedEdit = "shared_edit.xlsx";
constexpr const char* kLibreOfficeEdit = "libreoffice_edit.xlsx";
constexpr const char* kMacroEdit = "macro_edit.xlsm";

constexpr double kApril1st2005 = 38443;
const std::string kSpecial = "Tax & interest < 5% > \"nil\" 'x'";
const std::string kUnicode = "\xE2\x82\xB9 100 \xE2\x80\x94 na\xC3\xAFve";  // ₹ 100 — naïve

void build_created(const fs::path& path) {
  auto book = XlsxWorkbook::create({"Cases", "Second"});
  auto& s = book->Worksheets("Cases");
  s.Cells(1, 1).SetValue(Variant::number(1234.5));
  s.Cells(1, 1).SetNumberFormat("0.00");
  s.Cells(2, 1).SetValue(Variant::number(0.1234));
  s.Cells(2, 1).SetNumberFormat("0.0000");
  s.Cells(3, 1).SetNumberFormat("dd/mm/yyyy");
  s.Cells(3, 1).SetValue(Variant::date(kApril1st2005));
  s.Cells(4, 1).SetValue(Variant::text("   "));
  s.Cells(5, 1).SetValue(Variant::text(kSpecial));
  s.Cells(6, 1).SetValue(Variant::boolean(true));
  s.Cells(7, 1).SetValue(Variant::boolean(false));
  s.Cells(8, 1).SetValue(Variant::text(" lead and trail "));
  s.Cells(9, 1).SetValue(Variant::number(7));
  s.Cells(9, 1).SetInteriorColor(kColorError);
  s.Cells(10, 1).SetInteriorColor(kColorEndOfData);
  s.Cells(11, 1).SetValue(Variant::text("cleared"));
  s.Cells(11, 1).SetInteriorColor(kColorError);
  s.Cells(11, 1).SetInteriorColor(kColorNone);
  s.Cells(12, 1).SetValue(Variant::text("01/04/2005"));  // typed: becomes a date
  s.Cells(13, 1).SetValue(Variant::text(kUnicode));
  s.Cells(14, 1).SetValue(Variant::number(-0.5));
  s.Cells(15, 1).SetValue(Variant::number(123456789012.0));
  s.Cells(16, 1).SetValue(Variant::text("line one\nline two"));
  s.Cells(17, 1).SetValue(Variant::number(1234.5678));
  s.Cells(17, 1).SetNumberFormat("0.00");
  s.Cells(17, 1).SetInteriorColor(kColorError);
  book->Worksheets("Second").Cells(2, 2).SetValue(Variant::text("second sheet"));
  book->save_as(path);
}

void build_shared_edit(const fs::path& path) {
  auto book = XlsxWorkbook::open(testing::fixture("shared_formulas.xlsx"));
  auto& s = book->Worksheets("Data");
  s.Cells(1, 2).SetValue(Variant::number(99));
  s.Cells(5, 3).SetInteriorColor(kColorError);
  s.Cells(2, 3).SetNumberFormat("dd/mm/yyyy");
  book->save_as(path);
}

void build_libreoffice_edit(const fs::path& path) {
  auto book = XlsxWorkbook::open(testing::fixture("libreoffice.xlsx"));
  auto& s = book->Worksheets("Returns");
  s.Cells(3, 1).SetInteriorColor(kColorNone);
  s.Cells(3, 2).SetInteriorColor(kColorEndOfData);
  s.Cells(2, 2).SetNumberFormat("0.0000");
  s.Cells(2, 4).SetValue(Variant::text("no longer a formula"));
  s.Cells(4, 1).SetValue(Variant::text("new & row"));
  book->save_as(path);
}

void build_macro_edit(const fs::path& path) {
  auto book = XlsxWorkbook::open(testing::fixture("macro.xlsm"));
  auto& s = book->Worksheets("Challan Details");
  s.Cells(2, 3).SetValue(Variant::number(99.75));
  s.Cells(2, 3).SetInteriorColor(kColorError);
  book->save_as(path);
}

// read_back.py prints one JSON line per file, in argument order.
bool read_back(const std::vector<fs::path>& files, std::map<std::string, Json>& into, std::string& failure) {
  std::string command = std::string(kPython) + " " + quoted(kReaders / "read_back.py");
  for (const auto& f : files) command += " " + quoted(f);
  const auto r = run(command + " 2>&1");
  if (r.status != 0) {
    failure = "read_back.py failed: " + r.out;
    return false;
  }
  std::size_t start = 0;
  for (const auto& f : files) {
    const auto end = r.out.find('\n', start);
    auto doc = JsonParser(std::string_view(r.out).substr(start, end - start)).parse();
    if (!doc) {
      failure = "read_back.py printed no JSON for " + f.string() + ": " + r.out;
      return false;
    }
    into[f.filename().string()] = std::move(*doc);
    start = end == std::string::npos ? r.out.size() : end + 1;
  }
  return true;
}

Suite make_suite() {
  Suite suite;
  if (!have_openpyxl()) suite.missing += "python3 with openpyxl; ";
  if (!have_soffice()) suite.missing += "soffice; ";
  if (!suite.missing.empty()) return suite;

  const auto dir = testing::scratch_dir();
  fs::create_directories(dir / "libreoffice");
  std::vector<fs::path> files;
  try {
    for (auto [name, build] : {std::pair{kCreated, &build_created}, std::pair{kSharedEdit, &build_shared_edit},
                               std::pair{kLibreOfficeEdit, &build_libreoffice_edit},
                               std::pair{kMacroEdit, &build_macro_edit}}) {
      files.push_back(dir / name);
      build(files.back());
    }
  } catch (const RuntimeError& e) {
    suite.failure = "building the workbooks: " + std::to_string(e.number()) + " " + e.description();
    return suite;
  }
  if (!read_back(files, suite.ours, suite.failure)) return suite;

  std::string command = quoted(kReaders / "libreoffice_resave.sh") + " " + quoted(dir / "libreoffice");
  for (const auto& f : files) command += " " + quoted(f);
  if (auto r = run(command + " 2>&1"); r.status != 0) {
    suite.failure = "LibreOffice conversion failed: " + r.out;
    return suite;
  }
  std::vector<fs::path> converted;
  for (const auto& f : files) converted.push_back(dir / "libreoffice" / f.filename().replace_extension(".xlsx"));
  std::map<std::string, Json> by_converted;
  if (!read_back(converted, by_converted, suite.failure)) return suite;
  for (std::size_t i = 0; i < files.size(); ++i)
    suite.libreoffice[files[i].filename().string()] = by_converted[converted[i].filename().string()];
  return suite;
}

// What a reader should report for a cell; unset fields are not checked.
struct Want {
  const char* file = nullptr;
  const char* sheet = nullptr;
  const char* ref = nullptr;
  std::optional<std::string> text = {};     // a string value (a date as ISO)
  std::optional<double> number = {};        // a number value
  std::optional<bool> boolean = {};         // a boolean value
  std::optional<std::string> format = {};   // number_format
  std::optional<std::string> fill = {};     // "" for no solid fill, else ARGB
  std::optional<std::string> formula = {};  // "" for none
};

void check(const std::map<std::string, Json>& read, const Want& w, const char* reader) {
  SCOPED_TRACE(std::string(reader) + ": " + w.file + " " + w.sheet + "!" + w.ref);
  auto book = read.find(w.file);
  ASSERT_NE(book, read.end());
  const Json* sheets = book->second.get("sheets");
  ASSERT_TRUE(sheets);
  const Json* sheet = sheets->get(w.sheet);
  ASSERT_TRUE(sheet) << "no sheet";
  const Json* cell = sheet->get(w.ref);
  ASSERT_TRUE(cell) << "no cell";
  const Json* value = cell->get("value");
  ASSERT_TRUE(value);
  if (w.text) {
    EXPECT_EQ(value->kind, Json::String);
    EXPECT_EQ(value->text, *w.text);
  }
  if (w.number) {
    EXPECT_EQ(value->kind, Json::Number) << value->text;
    double got = 0;
    std::from_chars(value->text.data(), value->text.data() + value->text.size(), got);
    EXPECT_DOUBLE_EQ(got, *w.number);
  }
  if (w.boolean) {
    EXPECT_EQ(value->kind, Json::Bool) << value->text;
    EXPECT_EQ(value->text, *w.boolean ? "true" : "false");
  }
  if (w.format) {
    EXPECT_EQ(cell->get("number_format")->text, *w.format);
  }
  if (w.fill) {
    const Json* fill = cell->get("fill");
    EXPECT_EQ(fill ? fill->text : std::string(), *w.fill);
  }
  if (w.formula) {
    const Json* formula = cell->get("formula");
    EXPECT_EQ(formula ? formula->text : std::string(), *w.formula);
  }
}

// Both readers must report each cell as wanted.
void expect_everywhere(const Suite& suite, const char* group, std::initializer_list<Want> wants) {
  SCOPED_TRACE(group);
  for (const auto& w : wants) {
    check(suite.ours, w, "openpyxl");
    check(suite.libreoffice, w, "LibreOffice");
  }
}

TEST(RealReaders, ReportWhatWeWrote) {
  const Suite suite = make_suite();
  if (!suite.missing.empty()) {
    const char* ci = std::getenv("CI");
    if (ci && std::string(ci) == "true") FAIL() << "CI needs " << suite.missing;
    GTEST_SKIP() << "not installed: " << suite.missing;
  }
  ASSERT_TRUE(suite.failure.empty()) << suite.failure;

  expect_everywhere(suite, "created: values and number formats", {
      {.file = kCreated, .sheet = "Cases", .ref = "A1", .number = 1234.5, .format = "0.00", .fill = ""},
      {.file = kCreated, .sheet = "Cases", .ref = "A2", .number = 0.1234, .format = "0.0000", .fill = ""},
      {.file = kCreated, .sheet = "Cases", .ref = "A3", .text = "2005-04-01T00:00:00", .format = "dd/mm/yyyy"},
      {.file = kCreated, .sheet = "Cases", .ref = "A4", .text = "   ", .format = "General", .fill = ""},
      {.file = kCreated, .sheet = "Cases", .ref = "A5", .text = kSpecial, .format = "General"},
      {.file = kCreated, .sheet = "Cases", .ref = "A8", .text = " lead and trail "},
      {.file = kCreated, .sheet = "Cases", .ref = "A12", .text = "2005-04-01T00:00:00"},
      {.file = kCreated, .sheet = "Cases", .ref = "A13", .text = kUnicode},
      {.file = kCreated, .sheet = "Cases", .ref = "A14", .number = -0.5},
      {.file = kCreated, .sheet = "Cases", .ref = "A15", .number = 123456789012.0},
      {.file = kCreated, .sheet = "Cases", .ref = "A16", .text = "line one\nline two"},
      {.file = kCreated, .sheet = "Second", .ref = "B2", .text = "second sheet"},
  });

  expect_everywhere(suite, "created: booleans", {
      {.file = kCreated, .sheet = "Cases", .ref = "A6", .boolean = true},
      {.file = kCreated, .sheet = "Cases", .ref = "A7", .boolean = false},
  });

  expect_everywhere(suite, "created: fills", {
      {.file = kCreated, .sheet = "Cases", .ref = "A9", .number = 7, .format = "General", .fill = "FFFF0000"},
      {.file = kCreated, .sheet = "Cases", .ref = "A10", .fill = "FF00FFFF"},
      {.file = kCreated, .sheet = "Cases", .ref = "A11", .text = "cleared", .fill = ""},
      {.file = kCreated, .sheet = "Cases", .ref = "A17", .number = 1234.5678, .format = "0.00", .fill = "FFFF0000"},
  });

  expect_everywhere(suite, "shared formula master overwritten", {
      {.file = kSharedEdit, .sheet = "Data", .ref = "B1", .number = 99, .formula = ""},
      {.file = kSharedEdit, .sheet = "Data", .ref = "B2", .number = 4, .formula = "=A2*2"},
      {.file = kSharedEdit, .sheet = "Data", .ref = "B7", .number = 14, .formula = "=A7*2"},
      {.file = kSharedEdit, .sheet = "Data", .ref = "B10", .number = 20, .formula = "=A10*2"},
      {.file = kSharedEdit, .sheet = "Data", .ref = "C2", .text = "2005-04-01T00:00:00", .format = "dd/mm/yyyy"},
      {.file = kSharedEdit, .sheet = "Data", .ref = "C3", .text = "   "},
      {.file = kSharedEdit, .sheet = "Data", .ref = "C4", .text = "Rich text"},
      {.file = kSharedEdit, .sheet = "Data", .ref = "C5", .text = "Boxed & bold", .fill = "FFFF0000"},
  });

  expect_everywhere(suite, "LibreOffice's workbook edited", {
      {.file = kLibreOfficeEdit, .sheet = "Returns", .ref = "A2", .text = "Ravi & Sons"},
      {.file = kLibreOfficeEdit, .sheet = "Returns", .ref = "A3", .text = "ABCDE1234F", .fill = ""},
      {.file = kLibreOfficeEdit, .sheet = "Returns", .ref = "B3", .number = 42, .fill = "FF00FFFF"},
      {.file = kLibreOfficeEdit, .sheet = "Returns", .ref = "B2", .number = 1234.5, .format = "0.0000"},
      {.file = kLibreOfficeEdit, .sheet = "Returns", .ref = "C2", .text = "2005-04-01T00:00:00", .format = "dd/mm/yyyy"},
      {.file = kLibreOfficeEdit, .sheet = "Returns", .ref = "D2", .text = "no longer a formula", .formula = ""},
      {.file = kLibreOfficeEdit, .sheet = "Returns", .ref = "A4", .text = "new & row"},
  });

  expect_everywhere(suite, "macro workbook edited", {
      {.file = kMacroEdit, .sheet = "Challan Details", .ref = "C2", .number = 99.75, .fill = "FFFF0000"},
      {.file = kMacroEdit, .sheet = "Challan Details", .ref = "B2", .number = 15000.5, .fill = ""},
      {.file = kMacroEdit, .sheet = "Deductor Details", .ref = "B1", .text = "ABCD12345E"},
      {.file = kMacroEdit, .sheet = "Deductor Details", .ref = "B4", .number = 12},
  });
}

}  // namespace
}  // namespace fenwarx
