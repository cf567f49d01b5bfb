// The public members of the four return classes, in the interface's slot order,
// with the argument lists callers bind to by name.
#include <array>
#include <memory>

#include "checks/validators.hpp"
#include "export/export.hpp"
#include "platform/values/runtime_error.hpp"
#include "returns/dispatch.hpp"
#include "state/return_object.hpp"
#include "state/text_helpers.hpp"
#include "verify/verification.hpp"

namespace fenwarx {
namespace {

using Args = std::vector<Variant>;

constexpr Parameter kR{"r", ArgType::Number};
constexpr Parameter kC{"c", ArgType::Number};
constexpr Parameter kCheckFin{"checkFin", ArgType::Boolean, true, true};

double number(const Args& args, std::size_t i) { return args[i].number_value(); }
int integer16(const Args& args, std::size_t i) { return static_cast<int>(args[i].number_value()); }
const std::string& text(const Args& args, std::size_t i) { return args[i].text_value(); }

std::shared_ptr<Workbook> workbook(const Args& args, std::size_t i) {
  auto book = std::dynamic_pointer_cast<Workbook>(args[i].object_value());
  if (!book) throw RuntimeError(err::kObjectNotSet);
  return book;
}

// Members whose operations later work brings; until then the call is refused.
Variant not_supported(ReturnObject&, Args&) { throw RuntimeError(err::kNotSupported); }

// A validator of the cell (r, c) with nothing else to pass.
template <void (*Check)(ReturnObject&, double, double)>
Variant cell_check(ReturnObject& self, Args& args) {
  Check(self, number(args, 0), number(args, 1));
  return {};
}

template <void (*Check)(ReturnObject&, double, double, bool&)>
Variant date_check(ReturnObject& self, Args& args) {
  bool checkFin = args[2].boolean_value();
  Check(self, number(args, 0), number(args, 1), checkFin);
  args[2] = Variant::boolean(checkFin);
  return {};
}

const Member kExportETDS{"ExportETDS_Vantor",
                         {{"excel", ArgType::Object, true}},
                         false,
                         [](ReturnObject& self, Args& args) {
                           ExportETDS_Vantor(self, workbook(args, 0));
                           return Variant();
                         }};

const Member kAddSpace{"AddSpace",
                       {{"STR", ArgType::Text, true}, {"num", ArgType::Integer16, true}},
                       true,
                       [](ReturnObject&, Args& args) {
                         return Variant::text(AddSpace(text(args, 0), integer16(args, 1)));
                       }};

const Member kXplace{
    "xplace",
    {{"WhatStr", ArgType::Text, true},
     {"findStr", ArgType::Text, true},
     {"repStr", ArgType::Text, true}},
    true,
    [](ReturnObject&, Args& args) { return xplace(text(args, 0), text(args, 1), text(args, 2)); }};

const Member kValidationReturnFile{"Validation_ReturnFile", {}, false,
                                   [](ReturnObject& self, Args&) {
                                     Validation_ReturnFile(self);
                                     return Variant();
                                   }};

const Member kLoadingDelay{
    "LoadingDelay",
    {{"delay", ArgType::Integer16, true}, {"DisplayDelayForm", ArgType::Boolean, false, true}},
    true,
    [](ReturnObject& self, Args& args) {
      return LoadingDelay(self, integer16(args, 0), args[1].boolean_value());
    }};

const Member kCheckBankCode{"checkBankCode",
                            {{"r", ArgType::Number, true}, {"c", ArgType::Number, true}},
                            false,
                            [](ReturnObject& self, Args& args) {
                              double r = number(args, 0), c = number(args, 1);
                              checkBankCode(self, r, c);
                              args[0] = Variant::number(r);
                              args[1] = Variant::number(c);
                              return Variant();
                            }};

const Member kVerifyChallan{"Verify_Challan", {}, false, [](ReturnObject& self, Args&) {
                              Verify_Challan(self);
                              return Variant();
                            }};

const Member kVerifyData{"VerifyData_Vantor_ETDS",
                         {{"excel", ArgType::Object, true}},
                         false,
                         [](ReturnObject& self, Args& args) {
                           VerifyData_Vantor_ETDS(self, workbook(args, 0));
                           return Variant();
                         }};

const Member kVerifySalary{
    "verifySalary", {{"excelApp", ArgType::Object, true}}, false, not_supported};

const Member kCheckQuarterDate{"CheckQuarterDate",
                               {kR, kC, {"excelApp", ArgType::Object}},
                               false,
                               [](ReturnObject& self, Args& args) {
                                 CheckQuarterDate(self, number(args, 0), number(args, 1),
                                                  *workbook(args, 2));
                                 return Variant();
                               }};

const Member kXplaceName{
    "xplaceName", {{"sValue", ArgType::Text}}, true, [](ReturnObject&, Args& args) {
      return Variant::text(xplaceName(text(args, 0)));
    }};

const Member kCheckPanRef{"CheckPanRef", {kR, kC}, false, cell_check<CheckPanRef>};
const Member kCheckPan10{"CheckPan10", {kR, kC}, false, cell_check<CheckPan10>};
const Member kCheckPin6{"CheckPin6", {kR, kC}, false, cell_check<CheckPin6>};

const Member kCheckLegth{"CheckLegth",
                         {kR, kC, {"checkLength", ArgType::Number}},
                         false,
                         [](ReturnObject& self, Args& args) {
                           CheckLegth(self, number(args, 0), number(args, 1), number(args, 2));
                           return Variant();
                         }};

const Member kAddZero{"AddZero",
                      {{"STR", ArgType::Text}, {"num", ArgType::Integer16}},
                      true,
                      [](ReturnObject& self, Args& args) {
                        return Variant::text(AddZero(self, text(args, 0), integer16(args, 1)));
                      }};

const Member kCheckBlank{"CheckBlank", {kR, kC}, false, cell_check<CheckBlank>};
const Member kCheckDigitAfterDecimal{
    "CheckAmountDigitAfterDicimal", {kR, kC}, false, cell_check<CheckAmountDigitAfterDicimal>};
const Member kCheckRateAmount{"CheckRateAmount", {kR, kC}, false, cell_check<CheckRateAmount>};
const Member kCheckAmount{"CheckAmount", {kR, kC}, false, cell_check<CheckAmount>};
const Member kCheckAmountRoundoff{
    "CheckAmountroundoff", {kR, kC}, false, cell_check<CheckAmountroundoff>};
const Member kIfValueIsZero{"ifValueIsZero", {kR, kC}, false, cell_check<ifValueIsZero>};
const Member kCheckZBAmount{"CheckZ_B_Amount", {kR, kC}, false, cell_check<CheckZ_B_Amount>};
const Member kCheckDate{"CheckDate", {kR, kC, kCheckFin}, false, date_check<CheckDate>};

const Member kSetDataBase{"SetDataBase", {{"dbPath", ArgType::Text, true}}, false, not_supported};
const Member kGenerateCertificate{
    "GenerateCertificate", {{"excel", ArgType::Object, true}}, false, not_supported};

const Member kGetVersion{
    "GetVersion", {}, true, [](ReturnObject&, Args&) { return Variant::text(GetVersion()); }};

const Member kCheckDateQuarter{
    "CheckDateQuarter", {kR, kC, kCheckFin}, false, date_check<CheckDateQuarter>};

const Member kCheckRateAmountNill{
    "CheckRateAmountNill", {kR}, false, [](ReturnObject& self, Args& args) {
      CheckRateAmountNill(self, number(args, 0));
      return Variant();
    }};

const Member kXplaceHidetxt{
    "xplaceHidetxt", {{"WhatStr", ArgType::Text, true}}, true, [](ReturnObject&, Args& args) {
      return Variant::text(xplaceHidetxt(text(args, 0)));
    }};

const std::array<const Member*, 30> kSlots{
    &kExportETDS,
    &kAddSpace,
    &kXplace,
    &kValidationReturnFile,
    &kLoadingDelay,
    &kCheckBankCode,
    &kVerifyChallan,
    &kVerifyData,
    &kVerifySalary,
    &kCheckQuarterDate,
    &kXplaceName,
    &kCheckPanRef,
    &kCheckPan10,
    &kCheckPin6,
    &kCheckLegth,
    &kAddZero,
    &kCheckBlank,
    &kCheckDigitAfterDecimal,
    &kCheckRateAmount,
    &kCheckAmount,
    &kCheckAmountRoundoff,
    &kIfValueIsZero,
    &kCheckZBAmount,
    &kCheckDate,
    &kSetDataBase,
    &kGenerateCertificate,
    &kGetVersion,
    &kCheckDateQuarter,
    &kCheckRateAmountNill,
    &kXplaceHidetxt,
};

bool present(const Member* member, const ReturnClass& kind) {
  if (member == &kVerifySalary) return kind.has_verify_salary;
  if (member == &kCheckAmountRoundoff) return kind.has_roundoff;
  if (member == &kCheckRateAmountNill) return kind.has_rate_nil;
  return true;
}

}  // namespace

std::vector<const Member*> members_of(const ReturnClass& kind) {
  std::vector<const Member*> members;
  members.reserve(kSlots.size());
  for (const Member* member : kSlots)
    if (present(member, kind)) members.push_back(member);
  return members;
}

}  // namespace fenwarx
