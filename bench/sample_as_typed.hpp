#pragma once
// Rows the way users type them before any verification: deductee taxes with
// paise and the total-tax column not yet summed (`generate --as-typed`); salary
// and perquisite rows with the columns the verification fills left to it
// (`generate --salary N`).
#include "sample_rows.hpp"

namespace fenwarx::bench {

// Types the tax parts of deductee `index` up to 49 paise off their whole rupees,
// never a half, so Form 26's rounding takes them back whichever way halves go.
// Where the form's verification keeps paise, the typed parts become the parts.
void type_with_paise(Form form, int index, SampleDeductee& deductee);

// deductee_row with the typed parts, and the total left for the verification.
void typed_deductee_row(const SampleReturn& data, int index, Row& row);

// salary_row with the period left empty in every fifth row (the verification
// fills in the year's first and last day), the sign of a nil other income left
// empty, and in every other row the derived columns left empty: totals,
// differences and the closing balance with its sign.
void typed_salary_row(const SampleReturn& data, int index, Row& row);
// perquisite_row with the total left empty in every other perquisite row.
void typed_perquisite_row(const SampleReturn& data, int index, Row& row);

}  // namespace fenwarx::bench
