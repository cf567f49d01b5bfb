#pragma once
// The value a cell or an automation argument carries.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace fenwarx {

// Anything passed to the component as an object (a workbook, a sheet).
class Object {
 public:
  virtual ~Object() = default;
};

enum class VariantType : std::uint8_t { Empty, Number, Text, Date, Boolean, Error, Object };

// Cell error values as the automation layer numbers them (#N/A is 2042).
namespace cell_error {
inline constexpr int kNull = 2000, kDiv0 = 2007, kValue = 2015, kRef = 2023, kName = 2029,
                     kNum = 2036, kNA = 2042;
int from_text(std::string_view text);  // "#N/A" -> 2042; 0 when not an error text
std::string_view to_text(int code);    // 2042 -> "#N/A"
}  // namespace cell_error

class Variant {
 public:
  Variant() = default;  // Empty
  static Variant number(double value);
  static Variant text(std::string value);
  static Variant date(double serial);  // days since 30/12/1899, time as the fraction
  static Variant boolean(bool value);
  static Variant error(int code);  // a cell_error code
  static Variant object(std::shared_ptr<Object> value);

  VariantType type() const noexcept { return type_; }
  bool is_empty() const noexcept { return type_ == VariantType::Empty; }

  // Raw payloads; each throws RuntimeError 13 when the type does not hold one.
  double number_value() const;                          // Number, Date (serial), Boolean (-1 / 0)
  const std::string& text_value() const;                // Text
  bool boolean_value() const;                           // Boolean
  int error_value() const;                              // Error
  const std::shared_ptr<Object>& object_value() const;  // Object

  // The conversion the component applies when it turns a value into text:
  // "" for empty, number text for numbers, dd/mm/yyyy for dates, "True"/"False",
  // "Error 2042" for errors; RuntimeError 13 for an object.
  std::string to_text() const&;
  std::string to_text() &&;  // a text is moved out, not copied

  // The conversion to a number: empty 0, numbers as they are, a text that reads
  // wholly as a number, True -1; RuntimeError 13 otherwise.
  double to_number() const;

  friend bool operator==(const Variant& a, const Variant& b);

 private:
  Variant(VariantType type, double number) : type_(type), number_(number) {}

  VariantType type_ = VariantType::Empty;
  double number_ = 0;
  std::string text_;
  std::shared_ptr<Object> object_;
};

// The leading number of the value's text (0 when the text begins with none),
// without making the text where a number's text reads back as the number.
double leading_number_of(const Variant& value);

}  // namespace fenwarx
