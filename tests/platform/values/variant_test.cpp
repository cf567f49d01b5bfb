// Variants and runtime errors: the values the automation layer passes and raises.
#include "platform/values/variant.hpp"

#include <gtest/gtest.h>

#include "platform/values/runtime_error.hpp"

namespace fenwarx {
namespace {

struct Sheet : Object {};

int error_number(auto&& action) {
  try {
    action();
  } catch (const RuntimeError& e) {
    return e.number();
  }
  return 0;
}

TEST(ErrorText, EveryKnownNumberHasItsTextAndAnUnknownOneIsApplicationDefined) {
  const char* kApplication = "Application-defined or object-defined error";
  const struct {
    int number;
    const char* text;
  } cases[] = {
      {5, "Invalid procedure call or argument"}, {6, "Overflow"},     {7, "Out of memory"},
      {9, "Subscript out of range"},  {13, "Type mismatch"},          {53, "File not found"},
      {57, "Device I/O error"},       {58, "File already exists"},    {61, "Disk full"},
      {70, "Permission denied"},      {75, "Path/File access error"}, {76, "Path not found"},
      {91, "Object variable or With block variable not set"},         {424, "Object required"},
      {438, "Object doesn't support this property or method"},
      {450, "Wrong number of arguments or invalid property assignment"},
      {1004, kApplication},           {0, kApplication},              {31337, kApplication},
  };
  for (const auto& c : cases) EXPECT_EQ(error_text(c.number), c.text) << c.number;
}

TEST(RuntimeError, CarriesNumberAndDescription) {
  const RuntimeError standard(err::kTypeMismatch);  // described by the number's own text
  EXPECT_EQ(standard.description(), "Type mismatch");
  EXPECT_STREQ(standard.what(), "Type mismatch");
  const RuntimeError custom(err::kApplication, "Sheet 'Deductees' is missing");
  EXPECT_EQ(custom.number(), 1004);
  EXPECT_EQ(custom.description(), "Sheet 'Deductees' is missing");
  EXPECT_STREQ(custom.what(), "Sheet 'Deductees' is missing");
}

TEST(CellError, TextsAndCodesRoundTrip) {
  const struct {
    const char* text;
    int code;
  } cases[] = {{"#NULL!", 2000}, {"#DIV/0!", 2007}, {"#VALUE!", 2015}, {"#REF!", 2023},
               {"#NAME?", 2029}, {"#NUM!", 2036},  {"#N/A", 2042}};
  for (const auto& c : cases) {
    EXPECT_EQ(cell_error::from_text(c.text), c.code) << c.text;
    EXPECT_EQ(cell_error::to_text(c.code), c.text) << c.code;
  }
  EXPECT_EQ(cell_error::from_text("#N/A "), 0);
  EXPECT_EQ(cell_error::from_text("N/A"), 0);
  EXPECT_EQ(cell_error::to_text(2001), "");
}

TEST(Variant, ToText) {
  const struct {
    Variant value;
    const char* text;
  } cases[] = {
      {Variant(), ""},                         {Variant::number(0.1 + 0.2), "0.3"},
      {Variant::text("PAN"), "PAN"},           {Variant::date(38443.75), "01/04/2005"},
      {Variant::boolean(true), "True"},        {Variant::boolean(false), "False"},
      {Variant::date(38443), "01/04/2005"},    {Variant::error(cell_error::kNA), "Error 2042"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value.to_text(), c.text);
  EXPECT_EQ(error_number([] { Variant::object(std::make_shared<Sheet>()).to_text(); }), 13);
}

TEST(Variant, ToNumber) {
  EXPECT_EQ(Variant().to_number(), 0);
  EXPECT_EQ(Variant::number(-4.25).to_number(), -4.25);
  EXPECT_EQ(Variant::date(38443.5).to_number(), 38443.5);
  EXPECT_EQ(Variant::boolean(true).to_number(), -1);
  EXPECT_EQ(Variant::boolean(false).to_number(), 0);
  EXPECT_EQ(Variant::text(" 1,234.5 ").to_number(), 1234.5);
  for (const Variant& bad : {Variant::text("12abc"), Variant::text(""),
                             Variant::error(cell_error::kDiv0),
                             Variant::object(std::make_shared<Sheet>())})
    EXPECT_EQ(error_number([&] { bad.to_number(); }), 13) << static_cast<int>(bad.type());
}

TEST(Variant, PayloadOfTheWrongTypeIsATypeMismatch) {
  const Variant text = Variant::text("x");
  EXPECT_EQ(error_number([&] { text.number_value(); }), 13);
  EXPECT_EQ(error_number([&] { text.boolean_value(); }), 13);
  EXPECT_EQ(error_number([&] { text.error_value(); }), 13);
  EXPECT_EQ(error_number([&] { text.object_value(); }), 13);
  EXPECT_EQ(error_number([] { Variant::number(1).text_value(); }), 13);
  EXPECT_EQ(error_number([] { Variant().number_value(); }), 13);
  EXPECT_EQ(Variant::boolean(true).number_value(), -1);
  EXPECT_EQ(Variant::error(2023).error_value(), 2023);
}

TEST(Variant, EqualityNeedsTheSameTypeAndPayload) {
  auto sheet = std::make_shared<Sheet>();
  EXPECT_EQ(Variant(), Variant());
  EXPECT_EQ(Variant::text("a"), Variant::text("a"));
  EXPECT_NE(Variant::text("a"), Variant::text("A"));
  EXPECT_NE(Variant::number(38443), Variant::date(38443));
  EXPECT_NE(Variant::number(0), Variant());
  EXPECT_EQ(Variant::object(sheet), Variant::object(sheet));
  EXPECT_NE(Variant::object(sheet), Variant::object(std::make_shared<Sheet>()));
}

}  // namespace
}  // namespace fenwarx
