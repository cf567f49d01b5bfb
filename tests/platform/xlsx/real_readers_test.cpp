// What other spreadsheet readers make of the workbooks we save: openpyxl reads
// each one, and LibreOffice re-saves it so openpyxl can show what LibreOffice saw.
// Each LibreOffice start costs seconds, and the test runner starts every test in
// a process of its own, so one test saves everything and converts it at once.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "support/shell.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;
const fs::path kReaders = FENWARX_READERS;

using testing::run_shell;

std::string quoted(const fs::path& p) {
  std::string out = "'";
  for (char c : p.string()) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Flattens what read_back.py reads into NUL-separated pairs "STEM|SHEET!REF|KEY", field. A value
// carries its kind: "s" text (dates as ISO), "n" number as a float's repr, "b" True/False, "-"
// none.
constexpr const char* kFlatten = R"py(import os, sys
sys.path.insert(0, sys.argv[1])
from read_back import read
def kind(v):
    if isinstance(v, bool): return "b" + str(v)
    if isinstance(v, (int, float)): return "n" + repr(float(v))
    return "s" + v if isinstance(v, str) else "-"
for path in sys.argv[2:]:
    stem = os.path.splitext(os.path.basename(path))[0]
    for sheet, cells in read(path)["sheets"].items():
        for ref, cell in cells.items():
            for key, v in cell.items():
                field = kind(v) if key == "value" else str(v)
                sys.stdout.buffer.write(f"{stem}|{sheet}!{ref}|{key}\0{field}\0".encode())
)py";

using Fields = std::map<std::string, std::string>;

struct Suite {
  std::string missing;  // tools not installed
  std::string failure;  // building, saving or reading back went wrong
  Fields ours;          // what openpyxl read of our files
  Fields libreoffice;   // what openpyxl read of LibreOffice's copies
};

const std::string kSpecial = "Tax & interest < 5% > \"nil\" 'x'";
const std::string kUnicode = "\xE2\x82\xB9 100 \xE2\x80\x94 na\xC3\xAFve";  // ₹ 100 — naïve

void build_created(const fs::path& path) {
  auto book = XlsxWorkbook::create({"Cases", "Second"});
  auto a = [&](int row) { return book->Worksheets("Cases").Cells(row, 1); };
  a(3).SetNumberFormat("dd/mm/yyyy");  // before its value: a date goes into a date cell
  int row = 0;
  for (const Variant& v :
       {Variant::number(1234.5), Variant::number(0.1234), Variant::date(38443) /* 01/04/2005 */,
        Variant::text("   "), Variant::text(kSpecial), Variant::boolean(true),
        Variant::boolean(false), Variant::text(" lead and trail "), Variant::number(7), Variant(),
        Variant::text("cleared"), Variant::text("01/04/2005") /* typed: becomes a date */,
        Variant::text(kUnicode), Variant::number(-0.5), Variant::number(123456789012.0),
        Variant::text("line one\nline two"), Variant::number(1234.5678)})
    if (++row, !v.is_empty()) a(row).SetValue(v);
  for (int row : {1, 17}) a(row).SetNumberFormat("0.00");
  a(2).SetNumberFormat("0.0000");
  for (int row : {9, 11, 17}) a(row).SetInteriorColor(kColorError);
  a(10).SetInteriorColor(kColorEndOfData);
  a(11).SetInteriorColor(kColorNone);
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

bool read_back(const fs::path& flatten, const std::vector<fs::path>& files, Fields& into,
               std::string& failure) {
  std::string command = "/usr/bin/python3 " + quoted(flatten) + " " + quoted(kReaders);
  for (const auto& f : files) command += " " + quoted(f);
  const auto r = run_shell(command);
  std::size_t at = 0, key_end, field_end;
  while ((key_end = r.out.find('\0', at)) != std::string::npos &&
         (field_end = r.out.find('\0', key_end + 1)) != std::string::npos) {
    into[r.out.substr(at, key_end - at)] = r.out.substr(key_end + 1, field_end - key_end - 1);
    at = field_end + 1;
  }
  if (r.status == 0 && at == r.out.size() && !into.empty()) return true;
  failure = "read_back.py failed: " + r.out;
  return false;
}

Suite make_suite() {
  Suite suite;
  suite.missing = testing::missing_readers();
  if (!suite.missing.empty()) return suite;

  const auto dir = testing::scratch_dir();
  std::ofstream(dir / "flatten.py") << kFlatten;
  std::vector<fs::path> files, converted;
  try {
    for (auto [name, build] : {std::pair{"created.xlsx", &build_created},
                               std::pair{"shared_edit.xlsx", &build_shared_edit},
                               std::pair{"libreoffice_edit.xlsx", &build_libreoffice_edit},
                               std::pair{"macro_edit.xlsm", &build_macro_edit}}) {
      build(files.emplace_back(dir / name));
      converted.push_back(dir / "libreoffice" / fs::path(name).replace_extension(".xlsx"));
    }
  } catch (const RuntimeError& e) {
    suite.failure = "building the workbooks: " + std::to_string(e.number()) + " " + e.description();
    return suite;
  }
  if (!read_back(dir / "flatten.py", files, suite.ours, suite.failure)) return suite;

  std::string command =
      quoted(kReaders / "libreoffice_resave.sh") + " " + quoted(dir / "libreoffice");
  for (const auto& f : files) command += " " + quoted(f);
  if (auto r = run_shell(command); r.status != 0)
    suite.failure = "LibreOffice conversion failed: " + r.out;
  else
    read_back(dir / "flatten.py", converted, suite.libreoffice, suite.failure);
  return suite;
}

// What a reader should report for a cell; unset fields are not checked.
struct Want {
  const char* cell;                         // SHEET!REF
  std::optional<std::string> value = {};    // encoded as kFlatten does
  std::optional<std::string> format = {};   // number_format
  std::optional<std::string> fill = {};     // "" for no solid fill, else ARGB
  std::optional<std::string> formula = {};  // "" for none
};

void check(const Fields& read, const char* file, const Want& w, const char* reader) {
  SCOPED_TRACE(std::string(reader) + ": " + file + " " + w.cell);
  const std::string key = std::string(file) + "|" + w.cell + "|";
  auto field = [&](const char* name) {
    return read.count(key + name) ? read.at(key + name) : std::string();
  };
  ASSERT_TRUE(read.count(key + "value")) << "no cell";
  for (auto [want, name] : {std::pair{&w.value, "value"}, std::pair{&w.format, "number_format"},
                            std::pair{&w.fill, "fill"}, std::pair{&w.formula, "formula"}})
    if (*want) {
      EXPECT_EQ(field(name), **want) << name;
    }
}

// Both readers must report each cell of `file` (its name without extension) as wanted.
void expect_everywhere(const Suite& suite, const char* file, std::initializer_list<Want> wants) {
  for (const auto& w : wants) {
    check(suite.ours, file, w, "openpyxl");
    check(suite.libreoffice, file, w, "LibreOffice");
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
  const std::string april1st = "s2005-04-01T00:00:00";

  expect_everywhere(suite, "created",
                    {
                        {"Cases!A1", "n1234.5", "0.00", ""},
                        {"Cases!A2", "n0.1234", "0.0000", ""},
                        {"Cases!A3", april1st, "dd/mm/yyyy"},
                        {"Cases!A4", "s   ", "General", ""},
                        {"Cases!A5", "s" + kSpecial, "General"},
                        {"Cases!A6", "bTrue"},
                        {"Cases!A7", "bFalse"},
                        {"Cases!A8", "s lead and trail "},
                        {"Cases!A9", "n7.0", "General", "FFFF0000"},
                        {"Cases!A10", {}, {}, "FF00FFFF"},
                        {"Cases!A11", "scleared", {}, ""},
                        {"Cases!A12", april1st},
                        {"Cases!A13", "s" + kUnicode},
                        {"Cases!A14", "n-0.5"},
                        {"Cases!A15", "n123456789012.0"},
                        {"Cases!A16", "sline one\nline two"},
                        {"Cases!A17", "n1234.5678", "0.00", "FFFF0000"},
                        {"Second!B2", "ssecond sheet"},
                    });
  expect_everywhere(suite, "shared_edit",
                    {
                        // a shared formula's master overwritten
                        {"Data!B1", "n99.0", {}, {}, ""},
                        {"Data!B2", "n4.0", {}, {}, "=A2*2"},
                        {"Data!B7", "n14.0", {}, {}, "=A7*2"},
                        {"Data!B10", "n20.0", {}, {}, "=A10*2"},
                        {"Data!C2", april1st, "dd/mm/yyyy"},
                        {"Data!C3", "s   "},
                        {"Data!C4", "sRich text"},
                        {"Data!C5", "sBoxed & bold", {}, "FFFF0000"},
                    });
  expect_everywhere(suite, "libreoffice_edit",
                    {
                        {"Returns!A2", "sRavi & Sons"},
                        {"Returns!A3", "sABCDE1234F", {}, ""},
                        {"Returns!B3", "n42.0", {}, "FF00FFFF"},
                        {"Returns!B2", "n1234.5", "0.0000"},
                        {"Returns!C2", april1st, "dd/mm/yyyy"},
                        {"Returns!D2", "sno longer a formula", {}, {}, ""},
                        {"Returns!A4", "snew & row"},
                    });
  expect_everywhere(suite, "macro_edit",
                    {
                        {"Challan Details!C2", "n99.75", {}, "FFFF0000"},
                        {"Challan Details!B2", "n15000.5", {}, ""},
                        {"Deductor Details!B1", "sABCD12345E"},
                        {"Deductor Details!B4", "n12.0"},
                    });
}

}  // namespace
}  // namespace fenwarx
