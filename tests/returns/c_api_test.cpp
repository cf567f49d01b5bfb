// The C interface as another language binds to it: handles, variant arguments,
// error out-parameters, messages, the global object and a workbook round trip.
#include "returns/c_api.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/xlsx/xlsx_workbook.hpp"
#include "support/clean_return.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

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
  c.rc = fenwarx_invoke(handle, member, args.data(), args.size(), &c.result, &c.number, &c.description);
  if (back) *back = args;
  return c;
}

TEST(CApi, CreateInvokeReleaseAndTheGlobalObject) {
  fenwarx_handle* object = fenwarx_create("fenwarx.clsexport26");
  ASSERT_NE(object, nullptr);
  CArgs args{text("12.50"), number(6)};
  const Call c = call(object, "AddZero", args, &args);
  EXPECT_EQ(c.rc, 0);
  EXPECT_EQ(c.number, 0);
  EXPECT_STREQ(c.description, "");
  EXPECT_EQ(c.result.type, FENWARX_TEXT);
  EXPECT_STREQ(c.result.text, "001250");
  EXPECT_STREQ(args[0].text, "12.50");  // by value: the caller's own text
  // By reference: the coerced values come back, ready to pass into the next call.
  EXPECT_STREQ(call(object, "AddSpace", {number(12.5), text("6")}, &args).result.text, "12.5  ");
  EXPECT_EQ(args[1].type, FENWARX_NUMBER);
  EXPECT_EQ(args[1].number, 6);
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
  const struct { const char* member; CArgs args; int number; const char* description; } cases[] = {
      {"Nope", {}, 438, "Object doesn't support this property or method"},
      {"AddZero", {text("1"), {99, 0, nullptr, nullptr}}, 13, "Type mismatch"},
      {"VerifyData_Vantor_ETDS", {handle(object)}, 13, "Type mismatch"}};
  for (auto c : cases) {
    SCOPED_TRACE(c.member);
    const Call result = call(object, c.member, c.args);
    EXPECT_EQ(result.rc, c.number);
    EXPECT_EQ(result.number, c.number);
    EXPECT_STREQ(result.description, c.description);
    EXPECT_EQ(result.result.type, FENWARX_EMPTY);
  }
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
  auto& deductor = sheets[testing::kDeductorSheet].cells;
  deductor = testing::with(deductor, {{5, 2, "abcde 1234f"}});
  testing::write_workbook(in, sheets);

  fenwarx_handle* book = fenwarx_open_workbook(in.c_str());
  fenwarx_handle* object = fenwarx_create("Fenwarx.clsExport26");
  ASSERT_NE(book, nullptr);
  CArgs bind;
  EXPECT_EQ(call(object, "VerifyData_Vantor_ETDS", {handle(book)}, &bind).rc, 0);
  EXPECT_EQ(bind[0].object, book);  // the same object comes back in its handle
  size_t count = 0;
  const fenwarx_message* shown = fenwarx_messages(object, &count);
  ASSERT_EQ(count, 1u);
  EXPECT_STREQ(shown[0].text, "No error.");
  fenwarx_messages(object, &count);
  EXPECT_EQ(count, 0u);

  EXPECT_EQ(call(object, "CheckPan10", {number(5), number(2)}).rc, 0);
  EXPECT_EQ(fenwarx_save_workbook(book, out.c_str()), 0);
  EXPECT_EQ(fenwarx_save_workbook(object, out.c_str()), 13);
  fenwarx_release(object);
  fenwarx_release(book);
  EXPECT_EQ(XlsxWorkbook::open(out)->Worksheets("Deductor Details").Cells(5, 2).Value(),
            Variant::text("ABCDE1234F"));
}

}  // namespace
}  // namespace fenwarx
