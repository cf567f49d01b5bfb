#pragma once
// What must hold for every return, however it was typed: a run ends without a
// run-time error; the return file an export writes passes the checker; every
// deductee row typed is in that file under the challan it names, or listed as a
// row it does not carry, or the export refused with a finding; a second
// verification changes nothing; and an export after a verification writes the
// bytes a fresh one does. A broken invariant is printed and aborts.
#include "return_generator.hpp"

namespace fenwarx::fuzzing {

void check_invariants(const GeneratedReturn& generated);

}  // namespace fenwarx::fuzzing
