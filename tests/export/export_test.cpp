// The return file of Forms 26, 27 and 27EQ as the export writes it from a workbook
// typed in code: golden copies of whole files, the nil-return line, the batch
// header's years and total, and exports that end early leaving nothing behind.
#include "export/export.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "checks/field_formats.hpp"
#include "export/export_bench.hpp"
#include "export/record_writer.hpp"
#include "export/return_file_check.hpp"
#include "layout/code_lists.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/runtime_error.hpp"
#include "support/clean_return.hpp"
#include "support/error_of.hpp"
#include "support/test_paths.hpp"
#include "verify/verification.hpp"

namespace fenwarx {
namespace {

using namespace fenwarx::testing;
using enum Form;
namespace fs = std::filesystem;

constexpr Form kExportForms[] = {F26, F27, F27EQ};

std::string section_of(Form form) { return form == F27 ? "195" : form == F27EQ ? "206C" : "194C"; }

// A deductee of `section` at `rate` under challan `serial`; a zero rate carries no tax.
Cells deductee(Form form, int row, const std::string& serial, const std::string& section,
               const std::string& rate, const std::string& name = "Ram Lal") {
  const bool eq = form == F27EQ;
  Cells cells = with(clean_deductee(form, row, serial),
                     at_row(row, {{1, section}, {5, name}, {eq ? 10 : 9, rate}}));
  if (rate == "0")
    for (int column : eq ? std::vector<int>{12, 15, 17} : std::vector<int>{11, 14, 16})
      cells = with(cells, {{row, column, "0"}});
  return cells;
}

// The template's state codes, typed as text; the last state lies below row 36,
// where the lookup does not reach.
LaidSheet state_codes() {
  Cells cells;
  for (int k = 0; k < 35; ++k) {
    const int code = k + 1, row = code == 35 ? 37 : k + 2;
    cells.push_back({row, 1, std::string{'\'', char('0' + code / 10), char('0' + code % 10)}});
    cells.push_back({row, 2, std::string(kStateNames[static_cast<std::size_t>(k)])});
  }
  return {"State Code", cells};
}

// Two real challans (the first with its deductees, the second with none and a
// section the form's map may lack), zero-rate deductees naming challan 0 in two
// sections (one not adjacent to its fellow), a zero-rate deductee naming challan
// 1, a name holding a tab and a line break, challan amounts 0.5, 1.5 and 2.5, and
// cells a first verification still changes (a tax of 100.5, a rate of 0.00001).
std::vector<LaidSheet> golden_return(Form form) {
  auto sheets = clean_return(form, 0);
  const std::string section = section_of(form);
  const std::string other = form == F27 ? "196A" : form == F27EQ ? "206C" : "194J";
  const std::string unmapped = form == F26 ? "194LA" : form == F27 ? "194E" : "206C";
  Cells& deductor = sheets[kDeductorSheet].cells;
  deductor = with(deductor, {{24, 2, "JHARKHAND"}, {31, 2, "#30/06/2005#"}, {100, 100, "2005"}});
  Cells& challans = sheets[kChallanSheet].cells;
  challans = with(challans, at_row(4, {{4, "0.5"}, {5, "1.5"}, {6, "2.5"}, {8, ""}}));
  challans =
      with(challans, with(clean_challan(form, 5, "2"), at_row(5, {{2, unmapped}, {13, "7"}})));
  Cells& rows = sheets[kDeducteeSheet].cells;
  for (const Cells& row :
       {deductee(form, 3, "1", section, "10", "Ram\tLal\nSingh"),
        deductee(form, 4, "0", section, "0"), deductee(form, 5, "1", section, "10"),
        deductee(form, 6, "0", other, "0"), deductee(form, 7, "0", section, "0"),
        deductee(form, 8, "1", section, "0")})
    rows = with(rows, row);
  const int tax = form == F27EQ ? 12 : 11, rate = form == F27EQ ? 10 : 9;
  rows = with(rows, {{3, tax, "100.5"}, {3, tax + 3, "100.5"}, {4, rate, "0.00001"}});
  // Code 2, as the PAN is no company's: the checker has nothing to warn of.
  for (int row = 3; row <= 8; ++row) rows = with(rows, {{row, 2, "2"}});
  sheets.back() = state_codes();
  return sheets;
}

std::string golden_name(Form form) { return "form" + std::string(form_name(form)) + ".txt"; }

Message success(Form form, const fs::path& folder) {
  const std::string path = (folder / export_profile(form).file_name).string();
  if (form == F26) return {"Exported Successfully to " + path + " ! Please Validate Your data", ""};
  return {"File Exported Successfully at " + path + " ! Please Validate Your data", ""};
}

// FENWARX_UPDATE_GOLDEN=1 rewrites the golden copies.
TEST(ExportGolden, EachFormWritesItsGoldenFile) {
  for (Form form : kExportForms) {
    SCOPED_TRACE(form_name(form));
    const fs::path folder = scratch_dir();
    ExportBench b(form, folder);
    b.run(golden_return(form));
    EXPECT_EQ(b.ui.messages, std::vector<Message>{success(form, folder)});
    EXPECT_TRUE(b.self.exported.completed);
    EXPECT_EQ(files_in(folder),
              std::vector<std::string>{std::string(export_profile(form).file_name)});
    const std::string file = b.file();
    expect_golden(file, golden_name(form));
    expect_record_shapes(file);
    expect_clean_check(file);
  }
}

// The silent verification runs again when it changed cells, so an export of a
// freshly typed workbook writes what one after a verification writes; a second
// export by the same object starts with an empty nil list.
TEST(ExportGolden, AVerificationBeforehandOrASecondExportChangesNothing) {
  for (Form form : kExportForms) {
    SCOPED_TRACE(form_name(form));
    ExportBench b(form, scratch_dir());
    auto book = memory_workbook(golden_return(form));
    VerifyData_Vantor_ETDS(b.self, book);
    ExportETDS_Vantor(b.self, book);
    EXPECT_EQ(b.file(), slurp(golden_file(golden_name(form))));
    ExportETDS_Vantor(b.self, book);
    EXPECT_EQ(b.file(), slurp(golden_file(golden_name(form))));
    EXPECT_EQ(b.self.exported.nil_records.size(), form == F26 ? 3u : 4u);
    EXPECT_EQ(b.self.exported.nil_challans, form == F27EQ ? 1 : 2);
  }
}

ReturnHeader header_of(const std::string& year, const std::string& quarter, double total = 0) {
  ReturnHeader header;
  header.row(DeductorRow::Tan) = "ABCD12345E";
  header.row(DeductorRow::Pan) = "ABCDE1234F";
  header.row(DeductorRow::Quarter) = quarter;
  header.financial_year = year;
  header.today = serial_from_civil({2006, 6, 15});
  header.challan_total = total;
  return header;
}

// One record of `kind` written from `header` as the export writes it.
std::string record_line(Form form, RecordKind kind, const ReturnHeader& header, RecordContext at) {
  RecordingUi ui;
  const auto clock = fixed_clock(header.today);
  ReturnObject self(return_class(form), Platform{ui, *clock});
  self.workbook = memory_workbook({state_codes()});
  RecordWriter writer(self, export_profile(form), header);
  std::string line;
  writer.write(record_table(form, kind), at, line);
  return line;
}

// The years come from the return's own first year F; the total is rounded with
// halves to the even neighbour before it is written.
TEST(BatchHeader, YearsAndTotalDeposit) {
  struct Case {
    const char* year;
    double total;
    const char *assessment, *financial, *deposit;
  } cases[] = {{"2005", 0.5, "200607", "200506", "0.00"},
               {"2005", 1.5, "200607", "200506", "2.00"},
               {"2005", 2.5, "200607", "200506", "2.00"},
               {"2008", 1004.49, "200910", "200809", "1004.00"},
               {"1999", -3.5, "200001", "199900", "-4.00"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.year) + " " + std::to_string(c.total));
    const auto bh =
        fields(record_line(F26, RecordKind::BatchHeader, header_of(c.year, "Q1", c.total),
                           {.line = 2, .challan_count = 2}));
    ASSERT_EQ(bh.size(), 52u);
    EXPECT_EQ(bh[15], c.assessment);
    EXPECT_EQ(bh[16], c.financial);
    EXPECT_EQ(bh[46], c.deposit);
  }
}

// Without challans or nil deductees the file holds one fixed challan line, dated
// at the end of the return's quarter.
TEST(NilReturn, TheLineIsDatedAtTheQuarterEnd) {
  const std::string zeros =
      "0.00^0.00^0.00^0.00^0.00^0.00^^0.00^0.00^0.00^0.00^0.00^0.00^0.00^^^^\r\n";
  struct Case {
    const char *year, *quarter, *date;
  } cases[] = {{"2005", "Q1", "30062005"}, {"2005", " q2 ", "30092005"},
               {"2005", "Q3", "31122005"}, {"2005", "Q4", "31032006"},
               {"2009", "", "31032010"},   {"2009", "Q1", "30062009"}};
  for (Form form : kExportForms) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(form_name(form)) + " " + c.quarter);
      const ReturnHeader header = header_of(c.year, c.quarter);
      const std::string line =
          record_line(form, RecordKind::NilReturn, header, {.line = 3, .challan_serial = 1});
      EXPECT_EQ(line, std::string("3^CD^1^1^0^Y^^^^^^^^^^^^") + c.date + "^^^" +
                          (form == F27EQ ? "E" : "193") + "^" + zeros);
      const std::string file =
          record_line(form, RecordKind::FileHeader, header, {.line = 1}) +
          record_line(form, RecordKind::BatchHeader, header, {.line = 2, .challan_count = 1}) +
          line;
      EXPECT_TRUE(check_return_file(file).findings.empty());
    }
  }
}

// A date that reads as none loses its separators only; a day-first date the
// verification wrote goes over digit for digit, as the date reader gives it.
TEST(FieldFormats, DatesThatDoNotParseLoseTheirSeparators) {
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"30/06/2005", "30062005"}, {" 5/6/2005 ", "05062005"}, {"2005-06-30", "30062005"},
      {"31/13/2005", "31132005"}, {"1\\2\\2005", "122005"},   {"abc-1/2", "abc12"}, {"", ""},
      {"29/02/1900", "29021900"}, {"05/13/2005", "05132005"}, {"31/12/1899", "31121899"}};
  for (const auto& [typed, written] : cases) EXPECT_EQ(date_field(typed), written) << typed;
  for (double day = serial_from_civil({1899, 12, 1}); day < serial_from_civil({2101, 1, 1}); ++day) {
    const std::string text = date_text(day);
    ASSERT_EQ(date_field(text), ddmmyyyy(*parse_date(text))) << text;
  }
  // clang-format on
}

// An export that ends early writes nothing: an earlier return file keeps its
// bytes and no temporary file is left in the folder.
TEST(ExportEndsEarly, NoFileIsWrittenAndAnEarlierOneStays) {
  const Message verify_first{"Please verify your data correctly", ""};
  const Message no_deposit{
      "You haven't deposit Amount inspite of deduction (Rate greater than zero)", ""};
  struct Case {
    const char* name;
    void (*change)(Form, std::vector<LaidSheet>&);
    Message message;
  } cases[] = {
      {"a deductee naming no challan",
       [](Form form, std::vector<LaidSheet>& sheets) {
         auto& rows = sheets[kDeducteeSheet].cells;
         rows = with(rows, deductee(form, 9, "5", section_of(form), "10"));
       },
       verify_first},
      {"a tax deposited in no challan",
       [](Form form, std::vector<LaidSheet>& sheets) {
         auto& rows = sheets[kDeducteeSheet].cells;
         sheets[kChallanSheet].cells = with(sheets[kChallanSheet].cells, {{5, 1, "0"}});
         rows = with(rows, deductee(form, 9, "0", section_of(form), "10"));
       },
       no_deposit},
  };
  for (Form form : kExportForms) {
    for (const Case& c : cases) {
      for (bool earlier : {false, true}) {
        SCOPED_TRACE(std::string(form_name(form)) + " " + c.name + (earlier ? " over a file" : ""));
        const fs::path folder = scratch_dir();
        const fs::path path = folder / export_profile(form).file_name;
        if (earlier) std::ofstream(path, std::ios::binary) << "earlier\r\n";
        auto sheets = golden_return(form);
        c.change(form, sheets);
        ExportBench b(form, folder);
        b.run(sheets);
        EXPECT_EQ(b.ui.messages, std::vector<Message>{c.message});
        EXPECT_FALSE(b.self.exported.completed);
        EXPECT_EQ(files_in(folder).size(), earlier ? 1u : 0u);
        if (earlier) {
          EXPECT_EQ(slurp(path), "earlier\r\n");
        }
      }
    }
  }
}

// A return large enough to be written by two threads: its records stand in file
// order as the checker expects them, and the nil list holds their lines.
TEST(ExportLarge, RecordsWrittenInTwoHalvesJoinInOrder) {
  auto sheets = clean_return(F26, 0);
  Cells& rows = sheets[kDeducteeSheet].cells;
  for (int k = 0; k < 5000; ++k) {
    const bool nil = k % 3 == 0;
    const Cells row =
        deductee(F26, 3 + k, nil ? "0" : "1", k % 2 ? "194C" : "194J", nil ? "0" : "10");
    rows.insert(rows.end(), row.begin(), row.end());  // new rows: nothing to type over
  }
  sheets[kChallanSheet].cells =
      with(sheets[kChallanSheet].cells, at_row(4, {{2, "194C"}, {3, "333400"}, {8, "333400"}}));
  sheets[kDeductorSheet].cells = with(sheets[kDeductorSheet].cells, {{31, 2, "30/06/2005"}});
  sheets.back() = state_codes();
  ExportBench b(F26, scratch_dir());
  b.run(sheets);
  ASSERT_TRUE(b.self.exported.completed) << b.ui.messages.front().text;
  const std::string file = b.file();
  const CheckReport report = check_return_file(file);
  for (const CheckFinding& f : report.findings)
    ADD_FAILURE() << f.line << " " << f.field << " " << f.message;
  EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 2 + 1 + 3333 + 2 + 1667);
  ASSERT_EQ(b.self.exported.nil_records.size(), 1667u);
  for (const NilRecord& nil : b.self.exported.nil_records)
    EXPECT_NE(file.find(nil.line), std::string::npos) << nil.line;
}

// A failure while the file is being built (here the state lookup without its
// sheet) reaches the caller and removes the temporary file; a missing output
// folder fails before anything is written.
TEST(ExportEndsEarly, AFailureLeavesTheEarlierFileAlone) {
  for (Form form : kExportForms) {
    SCOPED_TRACE(form_name(form));
    const fs::path folder = scratch_dir();
    const fs::path path = folder / export_profile(form).file_name;
    std::ofstream(path, std::ios::binary) << "earlier\r\n";
    auto sheets = golden_return(form);
    sheets.pop_back();
    ExportBench b(form, folder);
    EXPECT_EQ(error_number_of([&] { b.run(sheets); }), err::kSubscript);
    EXPECT_TRUE(b.ui.messages.empty());
    EXPECT_FALSE(b.self.exported.completed);
    EXPECT_EQ(files_in(folder), std::vector<std::string>{path.filename()});
    EXPECT_EQ(slurp(path), "earlier\r\n");

    ExportBench missing(form, folder / "missing");
    EXPECT_EQ(error_number_of([&] { missing.run(golden_return(form)); }), err::kPathNotFound);
    EXPECT_FALSE(fs::exists(folder / "missing"));
  }
}

}  // namespace
}  // namespace fenwarx
