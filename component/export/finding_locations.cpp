// locate_findings: from a record's field back to the cell the export read it from,
// by the field's source in the record tables and the rows the export grouped;
// warnings are placed as findings are.
#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <type_traits>
#include <vector>

#include "export/export_profile.hpp"
#include "export/record_plan.hpp"
#include "export/return_file_check.hpp"
#include "layout/record_tables.hpp"
#include "layout/workbook_layout.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "verify/walk_steps.hpp"

namespace fenwarx {
namespace {

struct Place {
  std::string_view sheet;
  int row = 0, column = 0;
};

class Locator {
 public:
  Locator(const CheckReport& report, Workbook& workbook, Form form)
      : report_(report), workbook_(workbook), form_(form), layout_(workbook_layout(form)) {
    int nil = 0;
    for (const CheckedChallan& c : report.challans) ordinals_.push_back(c.nil ? ++nil : ++real_);
  }

  void locate(CheckFinding& finding) {
    if (finding.line <= 2) {
      const RecordKind kind = finding.line == 1 ? RecordKind::FileHeader : RecordKind::BatchHeader;
      if (const auto place = cell_of(kind, finding.field, {})) put(finding, *place);
      return;
    }
    const auto& challans = report_.challans;
    const auto after =
        std::upper_bound(challans.begin(), challans.end(), finding.line,
                         [](long long line, const CheckedChallan& c) { return line < c.line; });
    if (after == challans.begin()) return;
    const auto index = static_cast<std::size_t>(after - challans.begin() - 1);
    const CheckedChallan& challan = challans[index];
    const int ordinal = ordinals_[index];
    if (finding.line == challan.line) {
      if (challan.nil) {
        const std::vector<int>* rows = nil_group(ordinal);
        const int first = rows && !rows->empty() ? rows->front() : 0;
        if (const auto place =
                cell_of(RecordKind::NilChallan, finding.field, {.deductee_row = first}))
          put(finding, *place);
        return;
      }
      // A challan's record stands for its row, whatever field is at fault.
      const int row = layout_.challans.first_row - 1 + ordinal;
      const auto place = cell_of(RecordKind::Challan, finding.field, {.challan_row = row});
      put(finding, place.value_or(Place{.sheet = layout_.challans.name, .row = row}));
      return;
    }
    const std::vector<int>* rows = challan.nil ? nil_group(ordinal) : named_rows(ordinal);
    const long long record = finding.line - challan.line;
    if (!rows || record > static_cast<long long>(rows->size())) return;
    const int row = (*rows)[static_cast<std::size_t>(record - 1)];
    const auto place = cell_of(RecordKind::Deductee, finding.field,
                               {.deductee_row = row, .under_nil = challan.nil});
    put(finding, place.value_or(Place{.sheet = layout_.deductees.name, .row = row}));
  }

 private:
  // The rows a record of the file stands for.
  struct Rows {
    int challan_row = 0;
    int deductee_row = 0;
    bool under_nil = false;
  };

  static void put(CheckFinding& finding, const Place& place) {
    finding.sheet = place.sheet;
    finding.row = place.row;
    finding.column = place.column;
  }

  // The cell field `number` of a record of `kind` was written from; nothing for a
  // field no cell gave (a constant, a count, a date of the run).
  std::optional<Place> cell_of(RecordKind kind, int number, const Rows& rows) const {
    const ReturnField* field = record_table(form_, kind).field(number);
    if (!field) return std::nullopt;
    return std::visit(
        [&](const auto& s) -> std::optional<Place> {
          using S = std::decay_t<decltype(s)>;
          using namespace source;
          if constexpr (std::is_same_v<S, Deductor> || std::is_same_v<S, StateCode>)
            return deductor(s.row);
          else if constexpr (std::is_same_v<S, QuarterEnd>)
            return deductor(DeductorRow::Quarter);
          else if constexpr (std::is_same_v<S, ByCategory>)
            return deductor(DeductorRow::Category);
          else if constexpr (std::is_same_v<S, Challan>)
            return challan(rows.challan_row, s.column);
          else if constexpr (std::is_same_v<S, Cheque>)
            return challan(rows.challan_row, ChallanColumn::Cheque);
          else if constexpr (std::is_same_v<S, ChallanSerial>) {
            if (kind == RecordKind::Challan)
              return challan(rows.challan_row, ChallanColumn::SerialNumber);
            if (kind == RecordKind::Deductee && !rows.under_nil)
              return deductee(rows.deductee_row, DeducteeColumn::ChallanSerial, false);
            return std::nullopt;
          } else if constexpr (std::is_same_v<S, Deductee>)
            return deductee(rows.deductee_row, s.column, true);
          else if constexpr (std::is_same_v<S, NilSection>) {
            // The section of the group's first row, where the walk keeps one.
            const int column = stored_column(DeducteeColumn::Section);
            if (rows.deductee_row == 0 || column == 0) return std::nullopt;
            return Place{
                .sheet = layout_.deductees.name, .row = rows.deductee_row, .column = column};
          } else
            return std::nullopt;
        },
        field->source);
  }

  Place deductor(DeductorRow row) const {
    const CellPlace cell = layout_.deductor_cell(row);
    return {.sheet = layout_.deductor.name, .row = cell.row, .column = cell.column};
  }
  std::optional<Place> challan(int row, ChallanColumn column) const {
    if (row == 0) return std::nullopt;
    return Place{
        .sheet = layout_.challans.name, .row = row, .column = layout_.challans.columns.of(column)};
  }
  // A deductee column; a record's text comes only from one the walk stores.
  std::optional<Place> deductee(int row, DeducteeColumn column, bool from_record) const {
    if (row == 0) return std::nullopt;
    const int at = from_record ? stored_column(column) : layout_.deductees.columns.of(column);
    return Place{.sheet = layout_.deductees.name, .row = row, .column = at};
  }

  // The key of the challan on the challan sheet's `ordinal`th row.
  double challan_key_of(int ordinal) const {
    Worksheet& challans = workbook_.Worksheets(layout_.challans.name);
    return challan_key(challans
                           .Cells(layout_.challans.first_row - 1 + ordinal,
                                  layout_.challans.columns.of(ChallanColumn::SerialNumber))
                           .Value()
                           .to_text());
  }

  const std::vector<int>* named_rows(int ordinal) {
    scan();
    const auto found = by_serial_.find(challan_key_of(ordinal));
    return found == by_serial_.end() ? nullptr : &found->second;
  }

  const std::vector<int>* nil_group(int ordinal) {
    scan();
    const auto at = static_cast<std::size_t>(ordinal - 1);
    return at < nil_groups_.size() ? &nil_groups_[at] : nullptr;
  }

  int stored_column(DeducteeColumn column) const {
    return deductee_column_stored(form_, column) ? layout_.deductees.columns.of(column) : 0;
  }

  // The deductee rows by the challan they name, and the zero-rate rows that name
  // no challan of the file by section in the order each section first appears,
  // as the export grouped the records (Form 24 groups none).
  void scan() {
    if (scanned_) return;
    scanned_ = true;
    const TableSheet<DeducteeColumn>& layout = layout_.deductees;
    Worksheet& sheet = workbook_.Worksheets(layout.name);
    const int serial_column = layout.columns.of(DeducteeColumn::ChallanSerial);
    const int rate_column = stored_column(DeducteeColumn::Rate);
    const int section_column = stored_column(DeducteeColumn::Section);
    const bool nil_groups = export_profile(form_).nil_challans == NilChallans::PerSection;
    std::set<double> real_keys;
    for (int ordinal = 1; ordinal <= real_; ++ordinal) real_keys.insert(challan_key_of(ordinal));
    const auto text = [&](int row, int column) { return sheet.Cells(row, column).ValueText(); };
    std::map<std::string, std::size_t> groups;
    for (int row = layout.first_row; row <= layout.last_row; ++row) {
      if (trimmed(text(row, kDataColumn)).empty()) break;
      const double serial = leading_number(text(row, serial_column));
      by_serial_[serial].push_back(row);
      if (!nil_groups || real_keys.count(serial) != 0) continue;
      if (rate_column > 0 && leading_number(text(row, rate_column)) != 0) continue;
      const std::string section =
          section_column > 0 ? to_upper(trimmed(text(row, section_column))) : "";
      const auto [group, added] = groups.try_emplace(section, nil_groups_.size());
      if (added) nil_groups_.emplace_back();
      nil_groups_[group->second].push_back(row);
    }
  }

  const CheckReport& report_;
  Workbook& workbook_;
  Form form_;
  const WorkbookLayout& layout_;
  std::vector<int> ordinals_;  // each challan's place among the real or the nil ones
  int real_ = 0;               // the real challans
  bool scanned_ = false;
  std::map<double, std::vector<int>> by_serial_;
  std::vector<std::vector<int>> nil_groups_;
};

}  // namespace

void locate_findings(CheckReport& report, Workbook& workbook, Form form) {
  Locator locator(report, workbook, form);
  for (auto* list : {&report.findings, &report.warnings})
    for (CheckFinding& finding : *list)
      if (finding.line > 0) locator.locate(finding);
}

}  // namespace fenwarx
