// The export: a silent verification, then the return file built in memory and
// written in one piece (complete or not at all), then the message saying where.
#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "export/export.hpp"
#include "export/record_writer.hpp"
#include "platform/files/atomic_file.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/values/ascii.hpp"
#include "state/message_texts.hpp"
#include "state/return_object.hpp"
#include "verify/verification.hpp"

namespace fenwarx {
namespace {

// The four-digit first year of the return: from the export's own financial-year
// text when it holds one, else from the cell the verification reads.
bool starts_with_year(const std::string& text) {
  return text.size() >= 4 &&
         std::all_of(text.begin(), text.begin() + 4, [](char c) { return c >= '0' && c <= '9'; });
}

std::string first_year(ReturnObject& self) {
  if (starts_with_year(self.financial_year)) return self.financial_year.substr(0, 4);
  const CellPlace year = self.layout().deductor_cell(DeductorRow::FinancialYear);
  const std::string cell = trimmed(self.deductor_sheet->Cells(year.row, year.column).Value().to_text());
  return starts_with_year(cell) ? cell.substr(0, 4) : std::string();
}

// The values changed on the sheets the records come from, row markers aside.
// The deductor sheet feeds no record: the export reads it after the walks.
std::uint64_t record_source_changes(ReturnObject& self) {
  const WorkbookLayout& layout = self.layout();
  std::uint64_t changes = 0;
  for (std::string_view name : {layout.challans.name, layout.deductees.name})
    if (Worksheet* sheet = self.workbook->find_sheet(name)) changes += sheet->value_changes();
  return changes - self.marker_changes;
}

void bind_for_export(ReturnObject& self, const std::shared_ptr<Workbook>& excel) {
  self.bind(excel);
  const CellPlace formula = self.layout().deductor.year_formula;
  self.financial_year = self.deductor_sheet->Cells(formula.row, formula.column).Value().to_text();
  // A workbook no spreadsheet application has recalculated holds no year in that
  // formula cell yet; the financial-year cell it copies has it.
  if (!starts_with_year(self.financial_year)) self.financial_year = first_year(self);
  self.error_count = 0;
}

// The verification the export runs before it writes. The challan check sums the
// deductee sheet before the deductee walk normalises it (and Form 27 stores some
// fields before normalising them), so when the walks changed a cell the records
// are built again from the cells as they now stand: the challan check runs again
// on the normalised deductee rows, what the deductee walk took before a later
// step rewrote it is taken again (the checks would leave the normalised cells as
// they are), and the deductor walk writes the totals. The file then holds what a
// verification leaves, whether or not one ran before.
void verify_silently(ReturnObject& self, const std::shared_ptr<Workbook>& excel) {
  bind_for_export(self, excel);
  const std::uint64_t before = record_source_changes(self);
  Verify_Challan(self);
  VerifyDeducteeDetails(self);
  if (self.error_count > 0 || record_source_changes(self) == before) return;
  bind_for_export(self, excel);
  Verify_Challan(self);
  RetakeDeducteeDetails(self);
  VerifyDeductorDetails(self);
}

ReturnHeader read_header(ReturnObject& self) {
  const DeductorSheet& layout = self.layout().deductor;
  ReturnHeader header;
  for (const Field<DeductorRow>& row : layout.rows.all())
    header.rows[static_cast<std::size_t>(row.role)] =
        self.deductor_sheet->Cells(layout.rows.of(row.role), layout.value_column).Value().to_text();
  header.financial_year = first_year(self);
  header.regular = self.regular_flag();
  header.today = self.clock().today();
  header.challan_total = self.totals.challan_total;
  return header;
}

double rate_of(const DeducteeRecord& deductee) { return leading_number(deductee[DeducteeColumn::Rate]); }
// A challan's key, rounded as the challan check rounds it for its counts and sums.
double key_of(const ChallanRecord& challan) {
  return round_half_even(leading_number(challan[ChallanColumn::SerialNumber]));
}
double serial_of(const DeducteeRecord& deductee) {
  return leading_number(deductee[DeducteeColumn::ChallanSerial]);
}

}  // namespace

std::filesystem::path return_file_path(const ReturnObject& self) {
  return std::filesystem::absolute(self.platform().output_folder /
                                   std::string(export_profile(self.form()).file_name))
      .lexically_normal();
}

void ExportETDS_Vantor(ReturnObject& self, const std::shared_ptr<Workbook>& excel) {
  const Form form = self.form();
  if (form == Form::F24) throw RuntimeError(err::kNotSupported);
  const ExportProfile& profile = export_profile(form);
  self.exported = {};

  verify_silently(self, excel);
  if (self.error_count > 0) {
    self.ui().MsgBox(Message::plain(std::string(texts::kVerifyFirst)));
    return;
  }
  const std::vector<DeducteeRecord>& deductees = self.records.deductees;
  const std::vector<ChallanRecord>& challan_records = self.records.challans;
  const auto challans = static_cast<std::size_t>(std::max(0.0, self.totals.challan_count));
  // Every deductee with a rate must name the challan that paid its tax.
  for (const DeducteeRecord& deductee : deductees) {
    if (serial_of(deductee) == 0 && rate_of(deductee) > 0) {
      self.ui().MsgBox(Message::plain(std::string(texts::kNoDeposit)));
      return;
    }
  }

  // The deductees under each real challan, in sheet order; zero-rate deductees
  // that name no real challan go to the nil challans of their sections.
  std::unordered_map<double, std::vector<std::size_t>> by_serial;
  for (std::size_t c = 0; c < challans && c < challan_records.size(); ++c)
    by_serial.try_emplace(key_of(challan_records[c]));
  std::vector<std::string> sections;  // in order of first appearance
  std::unordered_map<std::string, std::vector<std::size_t>> nil_by_section;
  for (std::size_t d = 0; d < deductees.size(); ++d) {
    if (auto found = by_serial.find(serial_of(deductees[d])); found != by_serial.end()) {
      found->second.push_back(d);
    } else if (rate_of(deductees[d]) == 0) {
      const std::string section = to_upper(trimmed(deductees[d][DeducteeColumn::Section]));
      auto [group, added] = nil_by_section.try_emplace(section);
      if (added) sections.push_back(section);
      group->second.push_back(d);
    }
  }

  const ReturnHeader header = read_header(self);
  RecordWriter writer(self, profile, header);
  const RecordTable& challan_table = record_table(form, RecordKind::Challan);
  const RecordTable& deductee_table = record_table(form, RecordKind::Deductee);
  std::string body;
  // A record line takes some 150 bytes; the body is reserved whole rather than
  // grown (and copied) as it is written.
  body.reserve((challans + deductees.size() + sections.size()) * 192);
  RecordContext at{.line = 3};
  for (std::size_t c = 0; c < challans && c < challan_records.size(); ++c) {
    const ChallanRecord& challan = challan_records[c];
    at.challan = &challan;
    ++at.challan_serial;
    writer.write(challan_table, at, body);
    ++at.line;
    at.deductee_serial = 0;
    for (std::size_t d : by_serial[key_of(challan)]) {
      at.deductee = &deductees[d];
      ++at.deductee_serial;
      writer.write(deductee_table, at, body);
      ++at.line;
    }
  }
  for (const std::string& section : sections) {
    const std::vector<std::size_t>& group = nil_by_section[section];
    at.nil_section = section;
    at.nil_deductees = static_cast<long long>(group.size());
    ++at.challan_serial;
    writer.write(record_table(form, RecordKind::NilChallan), at, body);
    ++at.line;
    at.deductee_serial = 0;
    for (std::size_t d : group) {
      at.deductee = &deductees[d];
      ++at.deductee_serial;
      const std::size_t start = body.size();
      writer.write(deductee_table, at, body);
      ++at.line;
      self.exported.nil_records.push_back({body.substr(start), section});
    }
  }
  self.exported.nil_challans = static_cast<long long>(sections.size());
  long long challan_lines = at.challan_serial;
  if (challan_lines == 0) {
    body.clear();
    writer.write(record_table(form, RecordKind::NilReturn), {.line = 3, .challan_serial = 1}, body);
    challan_lines = 1;
  }

  std::string heads;
  writer.write(record_table(form, RecordKind::FileHeader), {.line = 1}, heads);
  writer.write(record_table(form, RecordKind::BatchHeader), {.line = 2, .challan_count = challan_lines},
               heads);
  const std::filesystem::path path = return_file_path(self);
  AtomicFile file(path);
  file.write(heads);
  file.write(body);
  file.commit();
  self.exported.completed = true;
  self.ui().MsgBox(Message::plain(std::string(profile.success_before) + path.string() +
                                  std::string(profile.success_after)));
}

}  // namespace fenwarx
