// The public members of the four return classes, in the interface's slot order,
// with the argument lists callers bind to by name.
#include <array>
#include <memory>

#include "certificates/certificates.hpp"
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

constexpr Parameter kR{.name = "r", .type = ArgType::Number};
constexpr Parameter kC{.name = "c", .type = ArgType::Number};
constexpr Parameter kCheckFin{
    .name = "checkFin", .type = ArgType::Boolean, .by_ref = true, .optional = true};

// A parameter the member takes by reference, as most of the interface does.
constexpr Parameter ref(std::string_view name, ArgType type) {
  return {.name = name, .type = type, .by_ref = true};
}
constexpr Parameter value(std::string_view name, ArgType type) {
  return {.name = name, .type = type};
}

double number(const Args& args, std::size_t i) { return args[i].number_value(); }
int integer16(const Args& args, std::size_t i) { return static_cast<int>(args[i].number_value()); }
const std::string& text(const Args& args, std::size_t i) { return args[i].text_value(); }

std::shared_ptr<Workbook> workbook(const Args& args, std::size_t i) {
  auto book = std::dynamic_pointer_cast<Workbook>(args[i].object_value());
  if (!book) throw RuntimeError(err::kObjectNotSet);
  return book;
}

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

const Member kExportETDS{.name = "ExportETDS_Vantor",
                         .args = {ref("excel", ArgType::Object)},
                         .has_result = false,
                         .call = [](ReturnObject& self, Args& args) {
                           ExportETDS_Vantor(self, workbook(args, 0));
                           return Variant();
                         }};

const Member kAddSpace{.name = "AddSpace",
                       .args = {ref("STR", ArgType::Text), ref("num", ArgType::Integer16)},
                       .has_result = true,
                       .call = [](ReturnObject&, Args& args) {
                         return Variant::text(AddSpace(text(args, 0), integer16(args, 1)));
                       }};

// clang-format off
const Member kXplace{
    .name = "xplace",
    .args = {ref("WhatStr", ArgType::Text), ref("findStr", ArgType::Text), ref("repStr", ArgType::Text)},
    .has_result = true,
    .call = [](ReturnObject&, Args& args) { return xplace(text(args, 0), text(args, 1), text(args, 2)); }};

const Member kValidationReturnFile{.name = "Validation_ReturnFile",
                                   .args = {},
                                   .has_result = false,
                                   .call = [](ReturnObject& self, Args&) {
                                     Validation_ReturnFile(self);
                                     return Variant();
                                   }};

const Member kLoadingDelay{
    .name = "LoadingDelay",
    .args = {ref("delay", ArgType::Integer16),
             {.name = "DisplayDelayForm", .type = ArgType::Boolean, .optional = true}},
    .has_result = true,
    .call = [](ReturnObject& self, Args& args) {
      return LoadingDelay(self, integer16(args, 0), args[1].boolean_value());
    }};

const Member kCheckBankCode{.name = "checkBankCode",
                            .args = {ref("r", ArgType::Number), ref("c", ArgType::Number)},
                            .has_result = false,
                            .call = [](ReturnObject& self, Args& args) {
                              double r = number(args, 0), c = number(args, 1);
                              checkBankCode(self, r, c);
                              args[0] = Variant::number(r);
                              args[1] = Variant::number(c);
                              return Variant();
                            }};

const Member kVerifyChallan{.name = "Verify_Challan",
                            .args = {},
                            .has_result = false,
                            .call = [](ReturnObject& self, Args&) {
                              Verify_Challan(self);
                              return Variant();
                            }};

const Member kVerifyData{.name = "VerifyData_Vantor_ETDS",
                         .args = {ref("excel", ArgType::Object)},
                         .has_result = false,
                         .call = [](ReturnObject& self, Args& args) {
                           VerifyData_Vantor_ETDS(self, workbook(args, 0));
                           return Variant();
                         }};

const Member kVerifySalary{.name = "verifySalary",
                           .args = {ref("excelApp", ArgType::Object)},
                           .has_result = false,
                           .call = [](ReturnObject& self, Args& args) {
                             verifySalary(self, workbook(args, 0));
                             return Variant();
                           }};

const Member kCheckQuarterDate{.name = "CheckQuarterDate",
                               .args = {kR, kC, value("excelApp", ArgType::Object)},
                               .has_result = false,
                               .call = [](ReturnObject& self, Args& args) {
                                 CheckQuarterDate(self, number(args, 0), number(args, 1),
                                                  *workbook(args, 2));
                                 return Variant();
                               }};

const Member kXplaceName{.name = "xplaceName",
                         .args = {value("sValue", ArgType::Text)},
                         .has_result = true,
                         .call = [](ReturnObject&, Args& args) {
                           return Variant::text(xplaceName(text(args, 0)));
                         }};

// A validator of the cell (r, c) with nothing else to pass.
template <void (*Check)(ReturnObject&, double, double)>
constexpr Member cell_member(std::string_view name) {
  return {.name = name, .args = {kR, kC}, .has_result = false, .call = cell_check<Check>};
}
// clang-format on

const Member kCheckPanRef = cell_member<CheckPanRef>("CheckPanRef");
const Member kCheckPan10 = cell_member<CheckPan10>("CheckPan10");
const Member kCheckPin6 = cell_member<CheckPin6>("CheckPin6");

const Member kCheckLegth{.name = "CheckLegth",
                         .args = {kR, kC, value("checkLength", ArgType::Number)},
                         .has_result = false,
                         .call = [](ReturnObject& self, Args& args) {
                           CheckLegth(self, number(args, 0), number(args, 1), number(args, 2));
                           return Variant();
                         }};

const Member kAddZero{.name = "AddZero",
                      .args = {value("STR", ArgType::Text), value("num", ArgType::Integer16)},
                      .has_result = true,
                      .call = [](ReturnObject& self, Args& args) {
                        return Variant::text(AddZero(self, text(args, 0), integer16(args, 1)));
                      }};

const Member kCheckBlank = cell_member<CheckBlank>("CheckBlank");
const Member kCheckDigitAfterDecimal =
    cell_member<CheckAmountDigitAfterDicimal>("CheckAmountDigitAfterDicimal");
const Member kCheckRateAmount = cell_member<CheckRateAmount>("CheckRateAmount");
const Member kCheckAmount = cell_member<CheckAmount>("CheckAmount");
const Member kCheckAmountRoundoff = cell_member<CheckAmountroundoff>("CheckAmountroundoff");
const Member kIfValueIsZero = cell_member<ifValueIsZero>("ifValueIsZero");
const Member kCheckZBAmount = cell_member<CheckZ_B_Amount>("CheckZ_B_Amount");
// clang-format off
const Member kCheckDate{
    .name = "CheckDate", .args = {kR, kC, kCheckFin}, .has_result = false, .call = date_check<CheckDate>};

const Member kSetDataBase{.name = "SetDataBase",
                          .args = {ref("dbPath", ArgType::Text)},
                          .has_result = false,
                          .call = [](ReturnObject&, Args& args) {
                            SetDataBase(text(args, 0));
                            return Variant();
                          }};
const Member kGenerateCertificate{.name = "GenerateCertificate",
                                  .args = {ref("excel", ArgType::Object)},
                                  .has_result = false,
                                  .call = [](ReturnObject& self, Args& args) {
                                    GenerateCertificate(self, workbook(args, 0));
                                    return Variant();
                                  }};

const Member kGetVersion{.name = "GetVersion",
                         .args = {},
                         .has_result = true,
                         .call = [](ReturnObject&, Args&) { return Variant::text(GetVersion()); }};

const Member kCheckDateQuarter{.name = "CheckDateQuarter",
                               .args = {kR, kC, kCheckFin},
                               .has_result = false,
                               .call = date_check<CheckDateQuarter>};

const Member kCheckRateAmountNill{.name = "CheckRateAmountNill",
                                  .args = {kR},
                                  .has_result = false,
                                  .call = [](ReturnObject& self, Args& args) {
                                    CheckRateAmountNill(self, number(args, 0));
                                    return Variant();
                                  }};

const Member kXplaceHidetxt{.name = "xplaceHidetxt",
                            .args = {ref("WhatStr", ArgType::Text)},
                            .has_result = true,
                            .call = [](ReturnObject&, Args& args) {
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
// clang-format on

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
