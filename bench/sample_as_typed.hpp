#pragma once
// Deductee taxes the way users type them before any verification: the tax parts
// with paise and the total-tax column not yet summed (`generate --as-typed`).
#include "sample_rows.hpp"

namespace fenwarx::bench {

// Types the tax parts of deductee `index` up to 49 paise off their whole rupees,
// never a half, so Form 26's rounding takes them back whichever way halves go.
// Where the form's verification keeps paise, the typed parts become the parts.
void type_with_paise(Form form, int index, SampleDeductee& deductee);

// deductee_row with the typed parts, and the total left for the verification.
void typed_deductee_row(const SampleReturn& data, int index, Row& row);

}  // namespace fenwarx::bench
