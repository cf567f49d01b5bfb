#include "platform/values/runtime_error.hpp"
#include "returns/return_object.hpp"
#include "verify/verification.hpp"

namespace fenwarx {
namespace {

Worksheet& bound_sheet(ReturnObject& self, std::string_view name) {
  if (!self.workbook) throw RuntimeError(err::kObjectNotSet);
  return self.workbook->Worksheets(name);
}

}  // namespace

void Verify_Challan(ReturnObject& self) {
  self.current_sheet = &bound_sheet(self, self.profile().challan_sheet);
}

void VerifyDeducteeDetails(ReturnObject& self) {
  self.current_sheet = &bound_sheet(self, self.profile().deductee_sheet);
  VerifyDeductorDetails(self);
}

void VerifyDeductorDetails(ReturnObject& self) {
  self.current_sheet = &bound_sheet(self, self.profile().deductor_sheet);
}

}  // namespace fenwarx
