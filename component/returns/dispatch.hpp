#pragma once
// Late binding: each class's public members by name, in the interface's slot
// order, with their argument lists. Names match ignoring case, as automation
// callers expect. Arguments are coerced to the declared types; by-reference
// arguments come back changed; missing optional arguments take their defaults.
#include <span>
#include <string_view>
#include <vector>

#include "platform/values/variant.hpp"
#include "state/return_class.hpp"

namespace fenwarx {

class ReturnObject;

enum class ArgType { Number, Integer16, Text, Boolean, Object };

// One parameter of a member, as the interface declares it.
struct Parameter {
  std::string_view name;
  ArgType type;
  bool by_ref = false;
  bool optional = false;  // defaults: False, 0, "" by type
};

struct Member {
  std::string_view name;
  std::vector<Parameter> args;
  bool has_result;
  // Called with exactly args.size() arguments, already of the declared types.
  Variant (*call)(ReturnObject& self, std::vector<Variant>& args);
};

// The members of a class, in slot order (verifySalary only on Form 24;
// CheckAmountroundoff and CheckRateAmountNill not on it).
std::vector<const Member*> members_of(const ReturnClass& kind);

// Calls a member by name. RuntimeError 438 for a name the class does not have,
// 450 for a wrong number of arguments, 13 for an argument that cannot take its
// type, 6 for a 16-bit argument out of range.
Variant invoke(ReturnObject& self, std::string_view member, std::vector<Variant>& args);

}  // namespace fenwarx
