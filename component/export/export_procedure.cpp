// The export: a silent verification, then the return file built in memory and
// written in one piece (complete or not at all), then the message saying where.
#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "export/export.hpp"
#include "export/return_records.hpp"
#include "platform/files/atomic_file.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "returns/return_object.hpp"
#include "verify/verification.hpp"

namespace fenwarx {
namespace {

constexpr int kDeductorRows = 43;
constexpr int kYearFormulaRow = 100, kYearFormulaColumn = 100;
constexpr std::string_view kVerifyFirst = "Please verify your data correctly";
constexpr std::string_view kNoDeposit =
    "You haven't deposit Amount inspite of deduction (Rate greater than zero)";

// The four-digit first year of the return: from the export's own financial-year
// text when it holds one, else from the cell the verification reads.
bool starts_with_year(const std::string& text) {
  return text.size() >= 4 &&
         std::all_of(text.begin(), text.begin() + 4, [](char c) { return c >= '0' && c <= '9'; });
}

std::string first_year(ReturnObject& self) {
  if (starts_with_year(self.financial_year)) return self.financial_year.substr(0, 4);
  const std::string cell =
      trimmed(self.deductor_sheet->Cells(self.profile().financial_year_row, 2).Value().to_text());
  return starts_with_year(cell) ? cell.substr(0, 4) : std::string();
}

// The values changed on the sheets the records come from, row markers aside.
// The deductor sheet feeds no record: the export reads it after the walks.
std::uint64_t record_source_changes(ReturnObject& self) {
  const FormProfile& p = self.profile();
  std::uint64_t changes = 0;
  for (std::string_view name : {p.challan_sheet, p.deductee_sheet})
    if (Worksheet* sheet = self.workbook->find_sheet(name)) changes += sheet->value_changes();
  return changes - self.marker_changes;
}

// The verification the export runs before it writes. It normalises cells after
// the challan check has summed the deductee sheet (and Form 27 stores some fields
// before normalising them), so when it changed anything it runs once more: the
// file then holds what a verification leaves, whether or not one ran before.
void verify_silently(ReturnObject& self, const std::shared_ptr<Workbook>& excel) {
  for (int run = 0; run < 2; ++run) {
    self.bind(excel);
    self.financial_year = self.deductor_sheet->Cells(kYearFormulaRow, kYearFormulaColumn).Value().to_text();
    // A workbook no spreadsheet application has recalculated holds no year in that
    // formula cell yet; the financial-year cell it copies has it.
    if (!starts_with_year(self.financial_year)) self.financial_year = first_year(self);
    self.error_count = 0;
    const std::uint64_t before = record_source_changes(self);
    Verify_Challan(self);
    VerifyDeducteeDetails(self);
    if (self.error_count > 0 || record_source_changes(self) == before) return;
  }
}

ReturnHeader read_header(ReturnObject& self) {
  ReturnHeader header;
  for (int row = 1; row <= kDeductorRows; ++row) {
    header.rows[static_cast<std::size_t>(row)] = self.deductor_sheet->Cells(row, 2).Value().to_text();
    self.deductor_values[static_cast<std::size_t>(row)] = header.rows[static_cast<std::size_t>(row)];
  }
  self.deductor_value_31 = header.rows[31];
  header.financial_year = first_year(self);
  header.regular = self.regular_flag();
  header.today = self.clock().today();
  header.challan_total = self.challan_total;
  return header;
}

double rate_of(const DeducteeRecord& deductee) { return leading_number(deductee[9]); }
// A challan's key, rounded as the challan check rounds it for its counts and sums.
double key_of(const ChallanRecord& challan) { return round_half_even(leading_number(challan[0])); }
double serial_of(const DeducteeRecord& deductee) { return leading_number(deductee[19]); }

}  // namespace

std::filesystem::path return_file_path(const ReturnObject& self) {
  return std::filesystem::absolute(self.platform().output_folder /
                                   std::string(export_profile(self.profile().form).file_name))
      .lexically_normal();
}

void ExportETDS_Vantor(ReturnObject& self, const std::shared_ptr<Workbook>& excel) {
  const FormProfile& p = self.profile();
  if (p.form == Form::F24) throw RuntimeError(err::kNotSupported);
  const ExportProfile& form = export_profile(p.form);
  self.export_completed = false;
  self.nil_records.clear();
  self.nil_collected = false;
  self.nil_challan_count = 0;

  verify_silently(self, excel);
  if (self.error_count > 0) {
    self.ui().MsgBox({std::string(kVerifyFirst), "", msg_style::kPlain});
    return;
  }
  const std::vector<DeducteeRecord>& deductees = self.deductee_records;
  const auto challans = static_cast<std::size_t>(std::max(0.0, self.challan_count));
  // Every deductee with a rate must name the challan that paid its tax.
  for (const DeducteeRecord& deductee : deductees) {
    if (serial_of(deductee) == 0 && rate_of(deductee) > 0) {
      self.ui().MsgBox({std::string(kNoDeposit), "", msg_style::kPlain});
      return;
    }
  }

  // The deductees under each real challan, in sheet order; zero-rate deductees
  // that name no real challan go to the nil challans of their sections.
  std::unordered_map<double, std::vector<std::size_t>> by_serial;
  for (std::size_t c = 0; c < challans && c < self.challan_records.size(); ++c)
    by_serial.try_emplace(key_of(self.challan_records[c]));
  std::vector<std::string> sections;  // in order of first appearance
  std::unordered_map<std::string, std::vector<std::size_t>> nil_by_section;
  for (std::size_t d = 0; d < deductees.size(); ++d) {
    if (auto found = by_serial.find(serial_of(deductees[d])); found != by_serial.end()) {
      found->second.push_back(d);
    } else if (rate_of(deductees[d]) == 0) {
      const std::string section = to_upper(trimmed(deductees[d][1]));
      auto [group, added] = nil_by_section.try_emplace(section);
      if (added) sections.push_back(section);
      group->second.push_back(d);
    }
  }

  const ReturnHeader header = read_header(self);
  std::string body;
  long long line = 3;
  long long serial = 0;
  for (std::size_t c = 0; c < challans && c < self.challan_records.size(); ++c) {
    const ChallanRecord& challan = self.challan_records[c];
    body += cd_line(self, form, challan, line++, ++serial);
    long long deductee_serial = 0;
    for (std::size_t d : by_serial[key_of(challan)])
      body += dd_line(p.form, deductees[d], line++, serial, ++deductee_serial);
  }
  for (const std::string& section : sections) {
    const std::vector<std::size_t>& group = nil_by_section[section];
    body += nil_cd_line(form, header, section, line++, ++serial, static_cast<long long>(group.size()));
    long long deductee_serial = 0;
    for (std::size_t d : group) {
      std::string dd = dd_line(p.form, deductees[d], line++, serial, ++deductee_serial);
      body += dd;
      self.nil_records.push_back({std::move(dd), section});
    }
  }
  self.nil_collected = !sections.empty();
  self.nil_challan_count = static_cast<long long>(sections.size());
  long long challan_lines = serial;
  if (serial == 0) {
    body = nil_return_line(form, header);
    challan_lines = 1;
  }

  const std::filesystem::path path = return_file_path(self);
  AtomicFile file(path);
  file.write(fh_line(form, header));
  file.write(bh_line(form, header, challan_lines, *self.workbook));
  file.write(body);
  file.commit();
  self.export_completed = true;
  self.ui().MsgBox({std::string(form.success_before) + path.string() + std::string(form.success_after),
                    "", msg_style::kPlain});
}

}  // namespace fenwarx
