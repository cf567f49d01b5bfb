#pragma once
// A sheet's fields in their order, the place of each found by its role. Built at
// compile time: a role placed twice does not compile.
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace fenwarx {

// What a field holds, for its cell format in the template.
enum class Kind : unsigned char { Text, Amount, Whole, Date, Rate, Year };

// The closed lists a field's values come from (drop-downs in the template).
enum class Choice : unsigned char {
  None,
  Quarter,
  ReturnType,
  YesNo,
  AorB,
  Category,
  State,
  Section,
  MinorHead,
  PlusMinus,
  DeducteeCode
};

// A column of a table sheet, or a row of the deductor sheet. The label is the
// column heading (or the row's label in column 1), which the error log quotes.
template <class Role>
struct Field {
  Role role;
  std::string_view label;
  Kind kind = Kind::Text;
  Choice choice = Choice::None;
  double width = 14;
  std::string_view note = {};  // row 2 of the challan sheet; column 3 of the deductor sheet
};

template <class Role>
class FieldTable {
 public:
  static constexpr std::size_t kRoles = static_cast<std::size_t>(Role::kCount);

  // Field N (a column or a row, from 1) is fields[N - 1].
  consteval explicit FieldTable(std::span<const Field<Role>> fields) : fields_(fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      unsigned char& place = places_[static_cast<std::size_t>(fields[i].role)];
      if (place != 0) throw "a role stands in two places";
      place = static_cast<unsigned char>(i + 1);
    }
  }

  constexpr int count() const { return static_cast<int>(fields_.size()); }
  // The column (or row) of a role; 0 when this sheet has no such field.
  constexpr int of(Role role) const { return places_[static_cast<std::size_t>(role)]; }
  constexpr bool has(Role role) const { return of(role) != 0; }
  constexpr const Field<Role>& at(int place) const {
    return fields_[static_cast<std::size_t>(place - 1)];
  }
  constexpr std::span<const Field<Role>> all() const { return fields_; }

 private:
  std::span<const Field<Role>> fields_;
  std::array<unsigned char, kRoles> places_{};
};

}  // namespace fenwarx
