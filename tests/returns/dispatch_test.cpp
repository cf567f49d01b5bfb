// Late binding: creation by identifier, the member tables, argument coercion, by-reference
// and optional arguments, and the failures a caller sees; then the same through the C
// interface as another language binds to it, with a workbook round trip.
#include "returns/dispatch.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock/clock.hpp"
#include "platform/spreadsheet/memory_workbook.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "returns/c_api.h"
#include "returns/registry.hpp"
#include "state/return_object.hpp"
#include "support/clean_return.hpp"
#include "support/error_of.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

using Args = std::vector<Variant>;

Variant N(double value) { return Variant::number(value); }
Variant T(const char* value) { return Variant::text(value); }
Variant B(bool value) { return Variant::boolean(value); }

// Bound as VerifyData_Vantor_ETDS leaves it, the deductor sheet current.
struct Harness {
  explicit Harness(const char* prog_id = "Fenwarx.clsExport26")
      : self(create_object(prog_id, {ui, *clock})) {
    self->bind(workbook);
    self->financial_year = "2005";
    self->current_sheet = self->deductor_sheet;
  }
  RecordingUi ui;
  std::unique_ptr<Clock> clock = fixed_clock(serial_from_civil({2007, 6, 1}));
  std::shared_ptr<ReturnObject> self;
  std::shared_ptr<MemoryWorkbook> workbook =
      layout({{"Deductor Details", {{30, 2, "2005"}, {2, 2, "01/04/2006"}, {3, 2, "01/04/2006"}}},
              {"Challan Details", {}}});
  Variant call(const char* member, Args args) { return invoke(*self, member, args); }
};

// A member as "name(args)=": each argument "?" if optional, "&" if by reference, then
// its name and its type (Double, Integer, String, Boolean, Object); "=" if it has a result.
std::string signature(const Member& member) {
  std::string out = std::string(member.name) + "(";
  for (const Parameter& arg : member.args) {
    if (out.back() != '(') out += ',';
    out += std::string(arg.optional ? "?" : "") + (arg.by_ref ? "&" : "") + std::string(arg.name) +
           ':' + "disbo"[static_cast<int>(arg.type)];
  }
  return out + (member.has_result ? ")=" : ")");
}

TEST(Dispatch, MemberTablesInSlotOrderWithPresence) {
  // clang-format off
  const std::vector<std::string> slots = {
      "ExportETDS_Vantor(&excel:o)", "AddSpace(&STR:s,&num:i)=", "xplace(&WhatStr:s,&findStr:s,&repStr:s)=",
      "Validation_ReturnFile()", "LoadingDelay(&delay:i,?DisplayDelayForm:b)=", "checkBankCode(&r:d,&c:d)",
      "Verify_Challan()", "VerifyData_Vantor_ETDS(&excel:o)", "verifySalary(&excelApp:o)",
      "CheckQuarterDate(r:d,c:d,excelApp:o)", "xplaceName(sValue:s)=", "CheckPanRef(r:d,c:d)", "CheckPan10(r:d,c:d)",
      "CheckPin6(r:d,c:d)", "CheckLegth(r:d,c:d,checkLength:d)", "AddZero(STR:s,num:i)=", "CheckBlank(r:d,c:d)",
      "CheckAmountDigitAfterDicimal(r:d,c:d)", "CheckRateAmount(r:d,c:d)", "CheckAmount(r:d,c:d)",
      "CheckAmountroundoff(r:d,c:d)", "ifValueIsZero(r:d,c:d)", "CheckZ_B_Amount(r:d,c:d)",
      "CheckDate(r:d,c:d,?&checkFin:b)", "SetDataBase(&dbPath:s)", "GenerateCertificate(&excel:o)", "GetVersion()=",
      "CheckDateQuarter(r:d,c:d,?&checkFin:b)", "CheckRateAmountNill(r:d)", "xplaceHidetxt(&WhatStr:s)="};
  const struct { Form form; std::vector<std::string> absent; } cases[] = {
      {Form::F24, {"CheckAmountroundoff", "CheckRateAmountNill"}}, {Form::F26, {"verifySalary"}},
      {Form::F27, {"verifySalary"}}, {Form::F27EQ, {"verifySalary"}}};
  for (const auto& c : cases) {
    std::vector<std::string> expected, actual;
    for (const std::string& slot : slots)
      if (std::ranges::none_of(c.absent, [&](auto& name) { return slot.starts_with(name + "("); }))
        expected.push_back(slot);
    for (const Member* member : members_of(return_class(c.form))) actual.push_back(signature(*member));
    EXPECT_EQ(actual, expected) << return_class(c.form).class_name;
  }
  // clang-format on
}

TEST(Dispatch, CreatesByProgrammaticIdentifierOnly) {
  Harness h;
  EXPECT_EQ(create_object("fenwarx.CLSEXPORT27EQ", {h.ui, *h.clock})->return_class().class_name,
            "clsExport27EQ");
  for (const char* id : {"clsExport26", "Fenwarx.clsExport25"})  // the text: the C tests
    EXPECT_EQ(testing::error_number_of([&] { create_object(id, {h.ui, *h.clock}); }), 429) << id;
}

TEST(Dispatch, CallsMatchNamesCoerceArgumentsAndHandBackByReferenceOnes) {
  const char *kNoMember = "438: Object doesn't support this property or method",
             *kMismatch = "13: Type mismatch",
             *kCount = "450: Wrong number of arguments or invalid property assignment",
             *kObjectRequired = "424: Object required";
  Harness h26, h24("Fenwarx.clsExport24");
  const Variant book = Variant::object(h26.workbook);
  const auto other = std::make_shared<MemoryWorkbook>();
  const Variant sheet = Variant::object(std::shared_ptr<Object>(other, &other->add_sheet("S")));
  const Variant not_a_book = Variant::object(std::make_shared<Object>());
  const struct {
    const char* member;
    Args args;
    Variant result;
    const char* failure = "";
    bool f24 = false;
    // clang-format off
                 Args returned = {}; } cases[] = {
      // Names ignore case and are looked up before the count; arguments are coerced before the call.
      {"aDDzERO", {T("12.50"), N(6)}, T("001250")}, {"Nope", {N(1), N(2), N(3)}, {}, kNoMember},
      {"GetCellText", {N(1), N(1)}, {}, kNoMember},  // private
      {"verifySalary", {book}, {}, kNoMember},
      // A book without the salary sheets: the error names the sheet looked for.
      {"verifySalary", {book}, {}, "9: Subscript out of range: the workbook has no sheet 'Salary Details'", true},
      {"CheckRateAmountNill", {N(1)}, {}, kNoMember, true}, {"AddZero", {T("1"), N(2), N(3)}, {}, kCount},
      {"CheckDate", {N(1)}, {}, kCount},
      {"CheckDate", {N(1), N(1), B(true), B(true)}, {}, kCount},
      // A book without a deductee sheet: the error names the sheet looked for.
      {"ExportETDS_Vantor", {book}, {}, "9: Subscript out of range: the workbook has no sheet 'Deductee Details'"},
      {"ExportETDS_Vantor", {book}, {}, "9: Subscript out of range: the workbook has no sheet 'Deductee Details'", true},
      {"Validation_ReturnFile", {}, {}, "53: File not found"},  // no validator given
      {"ExportETDS_Vantor", {T("book")}, {}, kObjectRequired},
      {"GenerateCertificate", {T("book")}, {}, kObjectRequired},
      {"GenerateCertificate", {not_a_book}, {}, kMismatch},
      // By reference the coerced value comes back; members without a result give Empty.
      {"AddSpace", {N(12.5), T("6")}, T("12.5  "), "", false, {T("12.5"), N(6)}},
      {"xplace", {N(1), T("1"), B(false)}, T("False"), "", false, {T("1"), T("1"), T("False")}},
      {"checkBankCode", {T("9"), T(" 2 ")}, {}, "", false, {N(9), N(2)}},
      {"CheckDate", {T("2"), T("2"), T("true")}, {}, "", false, {T("2"), T("2"), B(true)}},
      {"CheckDateQuarter", {N(9), N(2), N(0)}, {}, "", false, {N(9), N(2), B(false)}},
      {"LoadingDelay", {T("0"), T("true")}, {}, "", false, {N(0), T("true")}},  // the flag is by value
      // Texts and Doubles read as the value reads; Integers halve to even and keep to 16 bits.
      {"AddZero", {not_a_book, N(6)}, {}, kMismatch}, {"AddZero", {T("1"), N(4.5)}, T("0001")},
      {"AddZero", {T("1"), T("5.5")}, T("000001")}, {"AddZero", {T("1"), T("abc")}, {}, kMismatch},
      {"AddZero", {T("1"), N(32767.5)}, {}, "6: Overflow"},  // 32768 after rounding
      {"AddSpace", {T("AB"), B(true)}, {}, "5: Invalid procedure call or argument"},  // True is -1
      {"LoadingDelay", {N(0), T("2")}, {}}, {"LoadingDelay", {N(0), T("maybe")}, {}, kMismatch},  // Booleans
      {"LoadingDelay", {N(0), Variant::error(2042)}, {}, kMismatch},
      // Workbooks: a null one passes and fails where the member uses it.
      {"CheckQuarterDate", {N(9), N(9), T("book")}, {}, kObjectRequired},
      {"CheckQuarterDate", {N(9), N(9), sheet}, {}, kMismatch},
      {"VerifyData_Vantor_ETDS", {Variant::object(nullptr)}, {}, "91: Object variable or With block variable not set"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.member);
    Args args = c.args;
    try {
      EXPECT_EQ(invoke(*(c.f24 ? h24 : h26).self, c.member, args), c.result);
      EXPECT_STREQ(c.failure, "");
      EXPECT_EQ(args, c.returned.empty() ? c.args : c.returned);  // by value: as passed
    } catch (const RuntimeError& e) {
      // clang-format on
      EXPECT_EQ(std::to_string(e.number()) + ": " + e.description(), c.failure);
    }
  }
}

TEST(Dispatch, OmittedOptionalArgumentsTakeTheirDefaults) {
  Harness
      h;  // financial year 2005: with checkFin a date after 31/03/2006 is marked, without it not
  h.call("CheckDate", {N(2), N(2)});
  EXPECT_EQ(h.self->error_count, 0);
  h.call("CheckDate", {N(3), N(2), B(true)});
  EXPECT_EQ(h.self->error_count, 1);
  const double start = h.clock->now();
  EXPECT_EQ(h.call("LoadingDelay", {N(2)}), Variant());
  EXPECT_GT(h.clock->now(), start + 2.0 / 86400);
}

using CArgs = std::vector<fenwarx_variant>;

fenwarx_variant number(double value) { return {FENWARX_NUMBER, value, nullptr, nullptr}; }
fenwarx_variant text(const char* value) { return {FENWARX_TEXT, 0, value, nullptr}; }
fenwarx_variant handle(fenwarx_handle* value) { return {FENWARX_OBJECT, 0, nullptr, value}; }

struct Call {
  int rc = -1, number = -1;
  const char* description = nullptr;
  fenwarx_variant result{};
};

Call call(fenwarx_handle* handle, const char* member, CArgs args, CArgs* back = nullptr) {
  Call c;
  c.rc = fenwarx_invoke(handle, member, args.data(), args.size(), &c.result, &c.number,
                        &c.description);
  if (back) *back = args;
  return c;
}

TEST(CApi, CreateInvokeReleaseAndTheGlobalObject) {
  fenwarx_handle* object = fenwarx_create("fenwarx.clsexport26");
  ASSERT_NE(object, nullptr);
  CArgs args{text("12.50"), number(6)};
  const Call c = call(object, "AddZero", args, &args);
  EXPECT_TRUE(c.rc == 0 && c.number == 0 && c.result.type == FENWARX_TEXT);
  EXPECT_STREQ(c.description, "");
  EXPECT_STREQ(c.result.text, "001250");
  EXPECT_STREQ(args[0].text, "12.50");  // by value: the caller's own text
  // By reference: the coerced values come back, ready to pass into the next call.
  EXPECT_STREQ(call(object, "AddSpace", {number(12.5), text("6")}, &args).result.text, "12.5  ");
  EXPECT_TRUE(args[1].type == FENWARX_NUMBER && args[1].number == 6);
  EXPECT_STREQ(call(object, "AddSpace", args, &args).result.text, "12.5  ");
  EXPECT_STREQ(args[0].text, "12.5");
  fenwarx_release(object);
  fenwarx_release(nullptr);
  // The null handle is the global clsExport26.
  EXPECT_EQ(call(nullptr, "verifySalary", {handle(nullptr)}).number, 438);  // Form 24 only
  EXPECT_STREQ(call(nullptr, "AddZero", {text("1234567"), number(5)}).result.text, "");
  size_t count = 0;
  const fenwarx_message* shown = fenwarx_messages(nullptr, &count);
  ASSERT_EQ(count, 1u);
  EXPECT_STREQ(shown[0].title, " Check Value and Correct according to format ");
  EXPECT_EQ(shown[0].style, 16);
}

TEST(CApi, FailuresComeBackAsNumberAndDescription) {
  fenwarx_handle* object = fenwarx_create("Fenwarx.clsExport24");
  // clang-format off
  const struct { const char* member; CArgs args; int number; const char* description; } cases[] = {
      {"Nope", {}, 438, "Object doesn't support this property or method"},
      {"AddZero", {text("1"), {99, 0, nullptr, nullptr}}, 13, "Type mismatch"},
      {"VerifyData_Vantor_ETDS", {handle(object)}, 13, "Type mismatch"}};
  for (auto c : cases) {
    SCOPED_TRACE(c.member);
    const Call result = call(object, c.member, c.args);
    EXPECT_TRUE(result.rc == c.number && result.number == c.number && result.result.type == FENWARX_EMPTY);
    EXPECT_STREQ(result.description, c.description);
  }
  // clang-format on
  EXPECT_EQ(fenwarx_invoke(object, "Nope", nullptr, 0, nullptr, nullptr, nullptr), 438);
  fenwarx_release(object);
  const char* description = nullptr;
  EXPECT_EQ(fenwarx_create("Fenwarx.clsExport99"), nullptr);
  EXPECT_EQ(fenwarx_last_error(&description), 429);
  EXPECT_STREQ(description, "Can't create object");
  EXPECT_EQ(fenwarx_open_workbook((testing::scratch_dir() / "absent.xlsx").c_str()), nullptr);
  EXPECT_EQ(fenwarx_last_error(nullptr), 53);
}

TEST(CApi, VerifiesAndValidatesAnOpenedWorkbook) {
  const auto dir = testing::scratch_dir();
  const std::string in = dir / "return.xlsx", out = dir / "checked.xlsx";
  auto sheets = testing::clean_return(Form::F26);
  sheets[testing::kDeductorSheet].cells =
      testing::with(sheets[testing::kDeductorSheet].cells, {{5, 2, "abcde 1234f"}});
  testing::write_workbook(in, sheets);
  fenwarx_handle* book = fenwarx_open_workbook(in.c_str());
  fenwarx_handle* object = fenwarx_create("Fenwarx.clsExport26");
  ASSERT_NE(book, nullptr);
  CArgs bind;
  EXPECT_EQ(call(object, "VerifyData_Vantor_ETDS", {handle(book)}, &bind).rc, 0);
  EXPECT_EQ(bind[0].object, book);  // the same object comes back in its handle
  size_t count = 0;
  EXPECT_STREQ(fenwarx_messages(object, &count)[0].text, "No error.");
  EXPECT_EQ(count, 1u);
  fenwarx_messages(object, &count);
  EXPECT_EQ(count, 0u);  // each box is handed out once
  EXPECT_EQ(call(object, "CheckPan10", {number(5), number(2)}).rc, 0);
  EXPECT_EQ(fenwarx_save_workbook(book, out.c_str()), 0);
  EXPECT_EQ(fenwarx_save_workbook(object, out.c_str()), 13);
  for (fenwarx_handle* handle : {object, book}) fenwarx_release(handle);
  EXPECT_EQ(XlsxWorkbook::open(out)->Worksheets("Deductor Details").Cells(5, 2).Value(),
            Variant::text("ABCDE1234F"));
}

}  // namespace
}  // namespace fenwarx
