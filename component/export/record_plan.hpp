#pragma once
// Which records the return file holds after its two headers, in file order, and
// what each is written from: every challan of the challan sheet followed by the
// deductees that name it, then the nil challans as the form writes them. What
// the file leaves out is listed, never dropped unseen.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "export/export_profile.hpp"
#include "export/record_writer.hpp"

namespace fenwarx {

struct PlannedRecord {
  RecordKind kind;
  RecordContext at;
};

struct RecordPlan {
  RecordPlan() = default;
  // The records' contexts view the sections below: a plan moves, it is not copied.
  RecordPlan(RecordPlan&&) = default;
  RecordPlan& operator=(RecordPlan&&) = default;
  RecordPlan(const RecordPlan&) = delete;
  RecordPlan& operator=(const RecordPlan&) = delete;

  std::vector<PlannedRecord> records;
  std::vector<std::string> nil_sections;  // of each nil challan, in file order
  // The deductee records no record of the file carries, by index, in sheet order.
  std::vector<std::size_t> left_out;
  long long challan_records = 0;  // the CD records, which the batch header counts
};

// The key a challan's serial number gives it, rounded as the challan check rounds
// it for its counts and sums; a deductee names the challan whose key is the
// leading number of its challan serial.
double challan_key(std::string_view serial);

// `challans` are the records of the challan sheet's rows, `deductees` those of the
// deductee sheet's; `totals` tell a nil return.
RecordPlan plan_records(const ExportProfile& profile, std::span<const ChallanRecord> challans,
                        std::span<const DeducteeRecord> deductees, const ReturnTotals& totals);

}  // namespace fenwarx
