#pragma once
// The one way a check reports a bad cell (or clears its mark): paint the cell of
// the current sheet, count the error and log it on the deductor sheet. Never
// fails towards its caller: a failing step is skipped and the others still run.
namespace fenwarx {

class ReturnObject;

void MarkCell(ReturnObject& self, double row, double column, bool isError);

}  // namespace fenwarx
