// The export: a silent verification, then the return file built in memory and
// written in one piece (complete or not at all), then the message saying where.
#include <algorithm>
#include <exception>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "export/export.hpp"
#include "export/record_plan.hpp"
#include "export/record_writer.hpp"
#include "platform/files/atomic_file.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
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
  const std::string cell = trimmed(self.deductor_sheet->Cells(year.row, year.column).ValueText());
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
  self.financial_year = self.deductor_sheet->Cells(formula.row, formula.column).ValueText();
  // A workbook no spreadsheet application has recalculated holds no year in that
  // formula cell yet; the financial-year cell it copies has it.
  if (!starts_with_year(self.financial_year)) self.financial_year = first_year(self);
  self.error_count = 0;
}

// The verification the export runs before it writes. The challan check sums the
// deductee sheet before the deductee walk normalises it (and Form 27 stores some
// fields before normalising them), so when the walks changed a cell the records
// are built again from the cells as they now stand: the challan columns filled
// from the deductee rows are filled and checked again, what the deductee walk
// took before a later step rewrote it is taken again (the checks would leave the
// normalised cells as they are), and the deductor walk writes the totals. The file then holds what
// a verification leaves, whether or not one ran before.
//
// A finding of that first pass may stand on a value its deductee walk then
// rewrote (a total tax typed as "1E+300" that the walk replaced with the sum of
// its parts, summed by the challan check as typed): where the walks changed a
// cell and found a mistake, the cells as they now stand are judged again, as a
// second verification would judge them, so that an export refuses or writes as
// it would after a verification.
void verify_silently(ReturnObject& self, const std::shared_ptr<Workbook>& excel) {
  bind_for_export(self, excel);
  std::uint64_t before = record_source_changes(self);
  Verify_Challan(self);
  VerifyDeducteeDetails(self);
  if (self.error_count > 0 && record_source_changes(self) != before) {
    bind_for_export(self, excel);
    before = record_source_changes(self);
    Verify_Challan(self);
    VerifyDeducteeDetails(self);
  }
  if (self.error_count > 0 || record_source_changes(self) == before) return;
  bind_for_export(self, excel);
  RetallyChallans(self);
  RetakeDeducteeDetails(self);
  VerifyDeductorDetails(self);
}

ReturnHeader read_header(ReturnObject& self) {
  const DeductorSheet& layout = self.layout().deductor;
  ReturnHeader header;
  for (const Field<DeductorRow>& row : layout.rows.all())
    header.rows[static_cast<std::size_t>(row.role)] =
        self.deductor_sheet->Cells(layout.rows.of(row.role), layout.value_column).ValueText();
  header.financial_year = first_year(self);
  header.regular = self.regular_flag();
  header.today = self.clock().today();
  header.challan_total = self.totals.challan_total;
  return header;
}

// The records written one after another, and where each one's line ends.
struct WrittenRecords {
  std::string text;
  std::vector<std::size_t> ends;

  std::string_view line(std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : ends[i - 1];
    return std::string_view(text).substr(begin, ends[i] - begin);
  }
};

// Below this many records a second thread costs more than it saves.
constexpr std::size_t kParallelRecords = 4096;

// Writes the planned records. The challan records go first, in order, through
// `writer` (their zero padding may show messages); the deductee records, which
// need nothing but their record, are then written by two threads at once, each
// taking one half of the file, and the halves joined.
WrittenRecords write_records(RecordWriter& writer, Form form,
                             const std::vector<PlannedRecord>& plan) {
  std::vector<std::string> challan_lines(plan.size());
  for (std::size_t i = 0; i < plan.size(); ++i)
    if (plan[i].kind != RecordKind::Deductee)
      writer.write(record_table(form, plan[i].kind), plan[i].at, challan_lines[i]);

  const RecordTable& deductees = record_table(form, RecordKind::Deductee);
  const auto write_part = [&](RecordWriter& part_writer, std::size_t first, std::size_t last,
                              WrittenRecords& out) {
    out.text.reserve((last - first) * 192);
    for (std::size_t i = first; i < last; ++i) {
      if (plan[i].kind == RecordKind::Deductee)
        part_writer.write(deductees, plan[i].at, out.text);
      else
        out.text += challan_lines[i];
      out.ends.push_back(out.text.size());
    }
  };
  const std::size_t half = plan.size() < kParallelRecords ? plan.size() : plan.size() / 2;
  WrittenRecords first, second;
  std::exception_ptr failure;
  {
    RecordWriter second_writer = writer;
    std::jthread helper;
    if (half < plan.size())
      helper = std::jthread([&] {
        try {
          write_part(second_writer, half, plan.size(), second);
        } catch (...) {
          failure = std::current_exception();
        }
      });
    write_part(writer, 0, half, first);
  }
  if (failure) std::rethrow_exception(failure);
  const std::size_t offset = first.text.size();
  first.text += second.text;
  for (std::size_t end : second.ends) first.ends.push_back(offset + end);
  return first;
}

}  // namespace

std::filesystem::path return_file_path(const ReturnObject& self) {
  return std::filesystem::absolute(self.platform().output_folder /
                                   std::string(export_profile(self.form()).file_name))
      .lexically_normal();
}

void verify_for_export(ReturnObject& self, const std::shared_ptr<Workbook>& excel) {
  verify_silently(self, excel);
}

void ExportETDS_Vantor(ReturnObject& self, const std::shared_ptr<Workbook>& excel) {
  self.exported = {};
  verify_silently(self, excel);
  if (self.error_count > 0) {
    self.ui().MsgBox(Message::plain(std::string(texts::kVerifyFirst)));
    return;
  }
  write_return_file(self);
}

void write_return_file(ReturnObject& self) {
  const Form form = self.form();
  const ExportProfile& profile = export_profile(form);
  self.exported = {};
  const std::vector<DeducteeRecord>& deductees = self.records.deductees;
  // Every deductee with a rate must name the challan that paid its tax.
  for (const DeducteeRecord& deductee : deductees) {
    if (leading_number(deductee[DeducteeColumn::ChallanSerial]) == 0 &&
        leading_number(deductee[DeducteeColumn::Rate]) > 0) {
      self.ui().MsgBox(Message::plain(std::string(texts::kNoDeposit)));
      return;
    }
  }
  const auto challans = std::min(static_cast<std::size_t>(std::max(0.0, self.totals.challan_count)),
                                 self.records.challans.size());
  const RecordPlan plan = plan_records(profile, std::span(self.records.challans).first(challans),
                                       deductees, self.totals);

  const ReturnHeader header = read_header(self);
  RecordWriter writer(self, profile, header);
  WrittenRecords written = write_records(writer, form, plan.records);
  for (std::size_t i = 0; i < plan.records.size(); ++i)
    if (plan.records[i].kind == RecordKind::Deductee && plan.records[i].at.nil_deductees > 0)
      self.exported.nil_records.push_back(
          {std::string(written.line(i)), std::string(plan.records[i].at.nil_section)});
  self.exported.nil_challans = static_cast<long long>(plan.nil_sections.size());

  std::string heads;
  writer.write(record_table(form, RecordKind::FileHeader), {.line = 1}, heads);
  writer.write(record_table(form, RecordKind::BatchHeader),
               {.line = 2, .challan_count = plan.challan_records}, heads);
  const std::filesystem::path path = return_file_path(self);
  // A stop the user asked for until now leaves no file; once the file is being
  // written it is written whole.
  if (self.workbook) self.workbook->GetApplication().BeginWriting();
  AtomicFile file(path);
  file.write(heads);
  file.write(written.text);
  file.commit();
  self.exported.completed = true;
  const int first_row = self.layout().deductees.first_row;
  for (std::size_t d : plan.left_out)
    self.exported.not_written.push_back(first_row + static_cast<int>(d));
  self.ui().MsgBox(Message::plain(std::string(profile.success_before) + path.string() +
                                  std::string(profile.success_after)));
}

}  // namespace fenwarx
