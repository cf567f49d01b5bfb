#pragma once
// The one way a check reports a bad cell (or clears its mark): paint the cell of
// the current sheet, count the error and log it on the deductor sheet. Never
// fails towards its caller: a failing step is skipped and the others still run.
#include "state/finding_rules.hpp"

namespace fenwarx {

class ReturnObject;

// `rule` says why a cell is marked; a cleared mark takes none.
void MarkCell(ReturnObject& self, double row, double column, bool isError, Rule rule = Rule::None);

}  // namespace fenwarx
