#pragma once
// A quarterly return's data, seeded and realistic, for any form: the deductor,
// challans, and deductees spread over the challans in blocks. Every date lies in
// the first quarter of 2005-06; each challan's amounts are the sums of its
// deductees', so the return holds together as the verification expects.
#include <cstdint>
#include <string>
#include <vector>

#include "layout/forms.hpp"

namespace fenwarx::bench {

inline constexpr int kMaxDeductees = 65534;     // what one sheet of the old format held
inline constexpr int kFirstQuarterDay = 38443;  // 01/04/2005
inline constexpr int kLastQuarterDay = 38533;   // 30/06/2005

using Cents = long long;
inline double rupees(Cents cents) { return static_cast<double>(cents) / 100.0; }
inline Cents whole_rupees_up(Cents cents) { return (cents + 99) / 100 * 100; }

struct SampleChallan {
  std::string section;  // empty on Form 24
  char minor_head = 0;  // Form 27EQ
  int deposit_day = 0;
  std::string bsr_code, challan_number;
  double cheque = 0;  // 0: paid in cash
  int deductees = 0;
  Cents tds = 0, surcharge = 0, cess = 0, interest = 0, deducted = 0;  // the deductees' sums
  // Deposited in whole rupees: each tax part as its deductees sum it, any paise
  // rounded up, so the deposit covers them.
  Cents total() const {
    return whole_rupees_up(tds) + whole_rupees_up(surcharge) + whole_rupees_up(cess) + interest;
  }
};

struct SampleDeductee {
  int challan = 0;  // index into the challans
  bool company = false;
  std::string pan, pan_reference, name, employee_reference, certificate, remarks;
  Cents amount = 0, purchase_value = 0;
  int payment_day = 0;
  bool book_entry = false;
  double rate = 0;
  Cents tds = 0, surcharge = 0, cess = 0;  // as a verification leaves them
  // What `--as-typed` writes instead: the same parts with paise. Form 26's
  // verification rounds them back to the parts above; the other forms keep the
  // paise, so there the typed parts are the parts.
  Cents typed_tds = 0, typed_surcharge = 0, typed_cess = 0;
  char reason = 0;  // 'A', 'B' or none
  Cents deducted() const { return tds + surcharge + cess; }
};

struct SampleReturn {
  Form form;
  std::vector<SampleChallan> challans{};
  std::vector<SampleDeductee> deductees{};
  Cents amount_paid = 0, tax_deducted = 0, challan_total = 0;
};

// Same arguments, same data. As typed, the return is the same but for the typed
// parts (and where the form keeps paise, what they add up to).
SampleReturn make_sample_return(Form form, int deductees, int challans, bool as_typed = false);

}  // namespace fenwarx::bench
