#pragma once
// What the structural checker warns of: records a validation utility takes as
// they stand, but that are unlikely to say what the deductor meant. A deduction
// after its challan's deposit, a payment or deduction outside the return's
// quarter, a PIN that is not six digits, a tax more than a rupee away from the
// rate applied to the amount, a deductee code at odds with the PAN. The checker hands over each
// whole record; which field is which comes from the record tables.
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "export/return_file_check.hpp"
#include "layout/forms.hpp"

namespace fenwarx {

class ReturnWarnings {
 public:
  using Fields = std::span<const std::string_view>;  // field k is [k - 1]

  explicit ReturnWarnings(Form form) { set_form(form); }
  void set_form(Form form);

  void batch_header(long long line, Fields fields, std::vector<CheckFinding>& out);
  void challan(Fields fields);  // a whole CD record; the DD records below it follow
  void unread_challan();        // a CD record that is not whole
  void deductee(long long line, Fields fields, std::vector<CheckFinding>& out);

 private:
  struct FieldNumbers {
    int quarter, financial_year, pin, responsible_pin;               // BH
    int deposit_date, nil_indicator;                                 // CD
    int payment_date, deduction_date, amount, rate, tds, total_tax;  // DD
    int deductee_code, pan;                                          // DD
  };
  struct Quarter {
    std::string_view name;    // Q1 ... Q4
    int first = 0, last = 0;  // yyyymmdd
  };

  void pin(long long line, int field, Fields fields, std::vector<CheckFinding>& out) const;
  void dates(long long line, Fields fields, std::vector<CheckFinding>& out) const;
  void in_quarter(long long line, int field, const char* what, Fields fields,
                  std::vector<CheckFinding>& out) const;
  void tax(long long line, Fields fields, std::vector<CheckFinding>& out) const;
  void deductee_code(long long line, Fields fields, std::vector<CheckFinding>& out) const;

  FieldNumbers numbers_{};
  std::optional<Quarter> quarter_;
  std::optional<int> deposit_;  // of the challan above, yyyymmdd; none under a nil challan
};

}  // namespace fenwarx
