#include "returns/dispatch.hpp"

#include <cstddef>
#include <memory>
#include <utility>

#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "state/return_object.hpp"

namespace fenwarx {
namespace {

double to_integer16(const Variant& value) {
  const double rounded = round_half_even(value.to_number(), 0);
  if (!(rounded >= -32768 && rounded <= 32767)) throw RuntimeError(err::kOverflow);
  return rounded;
}

bool to_boolean(const Variant& value) {
  switch (value.type()) {
    case VariantType::Empty: return false;
    case VariantType::Boolean: return value.boolean_value();
    case VariantType::Number:
    case VariantType::Date: return value.number_value() != 0;
    case VariantType::Text: {
      const std::string text = trimmed(value.text_value());
      if (equal_ignoring_case(text, "True")) return true;
      if (equal_ignoring_case(text, "False")) return false;
      if (auto number = parse_number(text)) return *number != 0;
      break;
    }
    case VariantType::Error:
    case VariantType::Object: break;
  }
  throw RuntimeError(err::kTypeMismatch);
}

// Every object argument of the interface is a workbook; a null object passes
// here and fails where the member first uses it.
Variant to_workbook(const Variant& value) {
  if (value.type() != VariantType::Object) throw RuntimeError(err::kObjectRequired);
  const auto& object = value.object_value();
  if (object && !std::dynamic_pointer_cast<Workbook>(object))
    throw RuntimeError(err::kTypeMismatch);
  return value;
}

Variant coerced(const Variant& value, ArgType type) {
  switch (type) {
    case ArgType::Number: return Variant::number(value.to_number());
    case ArgType::Integer16: return Variant::number(to_integer16(value));
    case ArgType::Text: return Variant::text(value.to_text());
    case ArgType::Boolean: return Variant::boolean(to_boolean(value));
    case ArgType::Object: return to_workbook(value);
  }
  throw RuntimeError(err::kTypeMismatch);
}

Variant default_of(ArgType type) {
  switch (type) {
    case ArgType::Boolean: return Variant::boolean(false);
    case ArgType::Number:
    case ArgType::Integer16: return Variant::number(0);
    case ArgType::Text: return Variant::text("");
    case ArgType::Object: break;
  }
  return Variant::object(nullptr);
}

const Member* find_member(const ReturnClass& kind, std::string_view name) {
  for (const Member* member : members_of(kind))
    if (equal_ignoring_case(member->name, name)) return member;
  return nullptr;
}

std::size_t required_count(const Member& member) {
  std::size_t count = 0;
  for (const Parameter& parameter : member.args)
    if (!parameter.optional) ++count;
  return count;
}

}  // namespace

Variant invoke(ReturnObject& self, std::string_view name, std::vector<Variant>& args) {
  const Member* member = find_member(self.return_class(), name);
  if (!member) throw RuntimeError(err::kNoSuchMember);
  if (args.size() < required_count(*member) || args.size() > member->args.size())
    throw RuntimeError(err::kWrongArguments);

  std::vector<Variant> typed;
  typed.reserve(member->args.size());
  for (std::size_t i = 0; i < member->args.size(); ++i) {
    const ArgType type = member->args[i].type;
    typed.push_back(i < args.size() ? coerced(args[i], type) : default_of(type));
  }

  Variant result = member->call(self, typed);

  for (std::size_t i = 0; i < args.size(); ++i)
    if (member->args[i].by_ref) args[i] = std::move(typed[i]);
  return member->has_result ? result : Variant();
}

}  // namespace fenwarx
