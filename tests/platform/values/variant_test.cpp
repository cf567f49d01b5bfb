// Variants: what each converts to, the type mismatch of a wrong payload, and equality.
#include "platform/values/variant.hpp"

#include <gtest/gtest.h>

#include "support/error_of.hpp"

namespace fenwarx {
namespace {

struct Sheet : Object {};

using testing::error_number_of;

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
  EXPECT_EQ(error_number_of([&] { sheet.to_text(); }), 13);
  for (const Variant& bad :
       {Variant::text("12abc"), Variant::text(""), Variant::error(cell_error::kDiv0), sheet})
    EXPECT_EQ(error_number_of([&] { bad.to_number(); }), 13) << static_cast<int>(bad.type());
  for (int number :
       {error_number_of([&] { text.number_value(); }),
        error_number_of([&] { text.boolean_value(); }),
        error_number_of([&] { text.error_value(); }), error_number_of([&] { text.object_value(); }),
        error_number_of([] { Variant::number(1).text_value(); }),
        error_number_of([] { Variant().number_value(); })})
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
