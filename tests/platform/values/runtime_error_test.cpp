#include "platform/values/runtime_error.hpp"

#include <gtest/gtest.h>

namespace fenwarx {
namespace {

TEST(ErrorText, EveryKnownNumberHasItsText) {
  const struct {
    int number;
    const char* text;
  } cases[] = {
      {5, "Invalid procedure call or argument"},
      {6, "Overflow"},
      {7, "Out of memory"},
      {9, "Subscript out of range"},
      {13, "Type mismatch"},
      {53, "File not found"},
      {57, "Device I/O error"},
      {58, "File already exists"},
      {61, "Disk full"},
      {70, "Permission denied"},
      {75, "Path/File access error"},
      {76, "Path not found"},
      {91, "Object variable or With block variable not set"},
      {424, "Object required"},
      {438, "Object doesn't support this property or method"},
      {450, "Wrong number of arguments or invalid property assignment"},
      {1004, "Application-defined or object-defined error"},
  };
  for (const auto& c : cases) EXPECT_EQ(error_text(c.number), c.text) << c.number;
}

TEST(ErrorText, UnknownNumberIsApplicationDefined) {
  EXPECT_EQ(error_text(0), "Application-defined or object-defined error");
  EXPECT_EQ(error_text(31337), "Application-defined or object-defined error");
}

TEST(RuntimeError, CarriesNumberAndDescription) {
  const RuntimeError standard(err::kTypeMismatch);
  EXPECT_EQ(standard.number(), 13);
  EXPECT_EQ(standard.description(), "Type mismatch");
  EXPECT_STREQ(standard.what(), "Type mismatch");

  const RuntimeError custom(err::kApplication, "Sheet 'Deductees' is missing");
  EXPECT_EQ(custom.number(), 1004);
  EXPECT_EQ(custom.description(), "Sheet 'Deductees' is missing");
  EXPECT_STREQ(custom.what(), "Sheet 'Deductees' is missing");
}

}  // namespace
}  // namespace fenwarx
