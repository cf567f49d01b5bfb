#include "platform/values/variant.hpp"

#include <charconv>
#include <utility>

#include "platform/values/dates.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx {

namespace cell_error {

namespace {

struct Entry {
  int code;
  std::string_view text;
};

constexpr Entry kEntries[] = {{kNull, "#NULL!"}, {kDiv0, "#DIV/0!"}, {kValue, "#VALUE!"},
                              {kRef, "#REF!"},   {kName, "#NAME?"},  {kNum, "#NUM!"},
                              {kNA, "#N/A"}};

}  // namespace

int from_text(std::string_view text) {
  for (const auto& entry : kEntries) {
    if (entry.text == text) return entry.code;
  }
  return 0;
}

std::string_view to_text(int code) {
  for (const auto& entry : kEntries) {
    if (entry.code == code) return entry.text;
  }
  return {};
}

}  // namespace cell_error

Variant Variant::number(double value) { return Variant(VariantType::Number, value); }

Variant Variant::text(std::string value) {
  Variant v;
  v.type_ = VariantType::Text;
  v.text_ = std::move(value);
  return v;
}

Variant Variant::date(double serial) { return Variant(VariantType::Date, serial); }

Variant Variant::boolean(bool value) { return Variant(VariantType::Boolean, value ? -1 : 0); }

Variant Variant::error(int code) { return Variant(VariantType::Error, code); }

Variant Variant::object(std::shared_ptr<Object> value) {
  Variant v;
  v.type_ = VariantType::Object;
  v.object_ = std::move(value);
  return v;
}

double Variant::number_value() const {
  switch (type_) {
    case VariantType::Number:
    case VariantType::Date:
    case VariantType::Boolean: return number_;
    default: throw RuntimeError(err::kTypeMismatch);
  }
}

const std::string& Variant::text_value() const {
  if (type_ != VariantType::Text) throw RuntimeError(err::kTypeMismatch);
  return text_;
}

bool Variant::boolean_value() const {
  if (type_ != VariantType::Boolean) throw RuntimeError(err::kTypeMismatch);
  return number_ != 0;
}

int Variant::error_value() const {
  if (type_ != VariantType::Error) throw RuntimeError(err::kTypeMismatch);
  return static_cast<int>(number_);
}

const std::shared_ptr<Object>& Variant::object_value() const {
  if (type_ != VariantType::Object) throw RuntimeError(err::kTypeMismatch);
  return object_;
}

std::string Variant::to_text() && {
  if (type_ == VariantType::Text) return std::move(text_);
  return static_cast<const Variant&>(*this).to_text();
}

std::string Variant::to_text() const& {
  switch (type_) {
    case VariantType::Empty: return {};
    case VariantType::Number: return number_text(number_);
    case VariantType::Text: return text_;
    case VariantType::Date: return date_text(number_);
    case VariantType::Boolean: return number_ != 0 ? "True" : "False";
    case VariantType::Error: {
      char buffer[16];
      auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<int>(number_)).ptr;
      return "Error " + std::string(buffer, end);
    }
    case VariantType::Object: break;
  }
  throw RuntimeError(err::kTypeMismatch);
}

double Variant::to_number() const {
  switch (type_) {
    case VariantType::Empty: return 0;
    case VariantType::Number:
    case VariantType::Date:
    case VariantType::Boolean: return number_;
    case VariantType::Text:
      if (auto value = parse_number(text_)) return *value;
      break;
    case VariantType::Error:
    case VariantType::Object: break;
  }
  throw RuntimeError(err::kTypeMismatch);
}

bool operator==(const Variant& a, const Variant& b) {
  if (a.type_ != b.type_) return false;
  switch (a.type_) {
    case VariantType::Empty: return true;
    case VariantType::Text: return a.text_ == b.text_;
    case VariantType::Object: return a.object_ == b.object_;
    default: return a.number_ == b.number_;
  }
}

double leading_number_of(const Variant& value) {
  if (value.type() == VariantType::Number && number_text_reads_back(value.number_value()))
    return value.number_value();
  return leading_number(value.to_text());
}

}  // namespace fenwarx
