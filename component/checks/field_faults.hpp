#pragma once
// What a field of the return file may hold, by its own rule and width: the
// checker reports it of a file, the verification of the cell the field is
// taken from, so that a return the verification passes is one the file can carry.
#include <optional>
#include <string>
#include <string_view>

#include "layout/record_tables.hpp"
#include "state/finding_rules.hpp"

namespace fenwarx {

struct FieldFault {
  Rule rule;            // the rule a finding at the cell names
  std::string message;  // as the checker words it of the field
};

// The fault of a field's text as written, if any: its check (amounts, rates,
// dates, PANs, TANs, financial years) first, then its width.
std::optional<FieldFault> field_fault(const ReturnField& field, std::string_view text);

}  // namespace fenwarx
