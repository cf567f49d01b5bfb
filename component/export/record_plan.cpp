#include "export/record_plan.hpp"

#include <unordered_map>

#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"

namespace fenwarx {
namespace {

double rate_of(const DeducteeRecord& deductee) {
  return leading_number(deductee[DeducteeColumn::Rate]);
}
double key_of(const ChallanRecord& challan) {
  return challan_key(challan[ChallanColumn::SerialNumber]);
}
double serial_of(const DeducteeRecord& deductee) {
  return leading_number(deductee[DeducteeColumn::ChallanSerial]);
}

}  // namespace

double challan_key(std::string_view serial) { return round_half_even(leading_number(serial)); }

RecordPlan plan_records(const ExportProfile& profile, std::span<const ChallanRecord> challans,
                        std::span<const DeducteeRecord> deductees, const ReturnTotals& totals) {
  RecordPlan plan;
  const bool per_section = profile.nil_challans == NilChallans::PerSection;

  // The deductees under each real challan, in sheet order. Of the others, those at
  // a zero rate go to the nil challan of their section where the form writes one
  // (a zero-rate deductee naming a real challan is written under it, once).
  std::unordered_map<double, std::vector<std::size_t>> by_serial;
  for (const ChallanRecord& challan : challans) by_serial.try_emplace(key_of(challan));
  std::unordered_map<std::string, std::vector<std::size_t>> nil_by_section;
  for (std::size_t d = 0; d < deductees.size(); ++d) {
    if (auto found = by_serial.find(serial_of(deductees[d])); found != by_serial.end()) {
      found->second.push_back(d);
    } else if (per_section && rate_of(deductees[d]) == 0) {
      std::string section = to_upper(trimmed(deductees[d][DeducteeColumn::Section]));
      auto [group, added] = nil_by_section.try_emplace(section);
      if (added) plan.nil_sections.push_back(std::move(section));  // in order of first appearance
      group->second.push_back(d);
    } else {
      plan.left_out.push_back(d);
    }
  }
  // A return that deposited nothing for no deductee states so in one nil challan.
  // So does one without a challan: its deductees, whom the check lets name no
  // challan only when nothing was deducted, stand under it (a file of no challan
  // record is refused whole).
  if (!per_section && totals.challan_total == 0 &&
      (totals.deductee_count <= 0 || challans.empty())) {
    plan.nil_sections.emplace_back(profile.nil_return_section);
    std::vector<std::size_t>& under = nil_by_section[plan.nil_sections.back()];
    for (std::size_t d : plan.left_out) under.push_back(d);
    plan.left_out.clear();
  }

  plan.records.reserve(challans.size() + deductees.size() + plan.nil_sections.size() + 1);
  RecordContext at{.line = 3};
  const auto plan_deductees = [&](const std::vector<std::size_t>& group) {
    at.deductee_serial = 0;
    for (std::size_t d : group) {
      at.deductee = &deductees[d];
      ++at.deductee_serial;
      plan.records.push_back({.kind = RecordKind::Deductee, .at = at});
      ++at.line;
    }
  };
  for (const ChallanRecord& challan : challans) {
    at.challan = &challan;
    ++at.challan_serial;
    plan.records.push_back({.kind = RecordKind::Challan, .at = at});
    ++at.line;
    plan_deductees(by_serial[key_of(challan)]);
  }
  at.challan = nullptr;
  static const std::vector<std::size_t> kNone;
  for (const std::string& section : plan.nil_sections) {
    const auto group = nil_by_section.find(section);
    const std::vector<std::size_t>& rows = group == nil_by_section.end() ? kNone : group->second;
    at.nil_section = section;
    at.nil_deductees = static_cast<long long>(rows.size());
    ++at.challan_serial;
    plan.records.push_back({.kind = RecordKind::NilChallan, .at = at});
    ++at.line;
    plan_deductees(rows);
  }
  if (at.challan_serial == 0 && per_section) {
    plan.records.push_back({.kind = RecordKind::NilReturn, .at = {.line = 3, .challan_serial = 1}});
    at.challan_serial = 1;
  }
  plan.challan_records = at.challan_serial;
  return plan;
}

}  // namespace fenwarx
