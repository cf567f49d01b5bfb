// Variants and runtime errors: the values the automation layer passes and raises.
#include "platform/values/variant.hpp"

#include <gtest/gtest.h>

#include "platform/values/runtime_error.hpp"

namespace fenwarx {
namespace {

struct Sheet : Object {};

int error_number(auto&& action) try { return action(), 0; } catch (const RuntimeError& e) {
  return e.number();
}

// Each number's own text is pinned where its failure is raised; a number without
// one reads as application-defined.
TEST(ErrorText, AnUnknownNumberIsApplicationDefinedAndADescriptionIsKept) {
  for (int number : {1004, 0, 31337})
    EXPECT_EQ(error_text(number), "Application-defined or object-defined error") << number;
  EXPECT_EQ(error_text(err::kOutOfMemory), "Out of memory");  // raised only when memory runs out
  const RuntimeError standard(err::kTypeMismatch);            // described by the number's own text
  EXPECT_STREQ(standard.what(), "Type mismatch");
  const RuntimeError custom(err::kApplication, "Sheet 'Deductees' is missing");
  EXPECT_EQ(custom.number(), 1004);
  EXPECT_EQ(custom.description(), "Sheet 'Deductees' is missing");
  EXPECT_STREQ(custom.what(), "Sheet 'Deductees' is missing");
}

TEST(CellError, TextsAndCodesRoundTrip) {
  // clang-format off
  const struct { const char* text; int code; } cases[] = {
      {"#NULL!", 2000}, {"#DIV/0!", 2007}, {"#VALUE!", 2015}, {"#REF!", 2023}, {"#NAME?", 2029}, {"#NUM!", 2036},
      {"#N/A", 2042}};
  for (const auto& c : cases) {
    EXPECT_EQ(cell_error::from_text(c.text), c.code) << c.text;
    EXPECT_EQ(cell_error::to_text(c.code), c.text) << c.code;
  }
  // clang-format on
  EXPECT_TRUE(cell_error::from_text("#N/A ") == 0 && cell_error::to_text(2001).empty());
}

TEST(Variant, ConversionsAndPayloadsOfTheWrongTypeAreATypeMismatch) {
  // clang-format off
  const struct { Variant value; const char* text; double number; } cases[] = {
      {Variant(), "", 0}, {Variant::number(0.1 + 0.2), "0.3", 0.1 + 0.2},
      {Variant::date(38443.75), "01/04/2005", 38443.75},
      {Variant::boolean(true), "True", -1}, {Variant::boolean(false), "False", 0},
      {Variant::text(" 1,234.5 "), " 1,234.5 ", 1234.5}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.value.to_text(), c.text);
    EXPECT_EQ(c.value.to_number(), c.number) << c.text;
  }
  // clang-format on
  EXPECT_EQ(Variant::error(cell_error::kNA).to_text(), "Error 2042");
  const Variant sheet = Variant::object(std::make_shared<Sheet>()), text = Variant::text("x");
  EXPECT_EQ(error_number([&] { sheet.to_text(); }), 13);
  for (const Variant& bad :
       {Variant::text("12abc"), Variant::text(""), Variant::error(cell_error::kDiv0), sheet})
    EXPECT_EQ(error_number([&] { bad.to_number(); }), 13) << static_cast<int>(bad.type());
  for (int number :
       {error_number([&] { text.number_value(); }), error_number([&] { text.boolean_value(); }),
        error_number([&] { text.error_value(); }), error_number([&] { text.object_value(); }),
        error_number([] { Variant::number(1).text_value(); }),
        error_number([] { Variant().number_value(); })})
    EXPECT_EQ(number, 13);
  EXPECT_EQ(Variant::boolean(true).number_value(), -1);
}

TEST(Variant, EqualityNeedsTheSameTypeAndPayload) {
  auto sheet = std::make_shared<Sheet>();
  EXPECT_TRUE(Variant::text("a") == Variant::text("a") &&
              Variant::object(sheet) == Variant::object(sheet));
  EXPECT_NE(Variant::text("a"), Variant::text("A"));
  EXPECT_NE(Variant::number(38443), Variant::date(38443));
  EXPECT_NE(Variant::number(0), Variant());
  EXPECT_NE(Variant::object(sheet), Variant::object(std::make_shared<Sheet>()));
}

}  // namespace
}  // namespace fenwarx
