#pragma once
// A number as the 15 significant decimal digits the platform prints, so that
// rounding for display is judged on those digits and not on the binary value.
#include <string>

namespace fenwarx::detail {

struct DecimalDigits {
  bool negative = false;
  int exponent = 0;  // power of ten of the first digit: d0.d1d2... x 10^exponent
  int count = 0;     // digits held, without trailing zeros; 0 means the value is zero
  char digits[16] = {};
};

// Rounds |value| to 15 significant digits; the value must be finite.
DecimalDigits to_decimal(double value);

enum class Halves { AwayFromZero, ToEven };

// Keeps the digits worth at least 10^-decimals (decimals may be negative).
void round_to_decimals(DecimalDigits& number, int decimals, Halves halves);

// The unsigned digits with exactly `decimals` decimals ("0" before the point
// when there is no whole part); call after round_to_decimals.
void append_fixed(std::string& out, const DecimalDigits& number, int decimals);

// The significant digits only ("125" for 1.25), "0" for zero.
std::string_view significant(const DecimalDigits& number);

double to_double(const DecimalDigits& number);

}  // namespace fenwarx::detail
