#pragma once
// The four return forms, and tables indexed by them. Everything that differs
// between the forms is a row of such a table; per_form() refuses, at compile
// time, a table whose rows are not in the order of the enum.
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace fenwarx {

enum class Form : unsigned char { F24, F26, F27, F27EQ };

inline constexpr std::size_t kFormCount = 4;
inline constexpr std::array<Form, kFormCount> kForms{Form::F24, Form::F26, Form::F27, Form::F27EQ};

constexpr std::size_t form_index(Form form) { return static_cast<std::size_t>(form); }

// "24", "26", "27", "27EQ": the form as --form takes it and the workbook calls it.
std::string_view form_name(Form form);
// A form by its name, ignoring ASCII case.
std::optional<Form> find_form(std::string_view name);

// A table with one row per form, each row naming its form in a `form` member.
template <class Row>
using PerForm = std::array<Row, kFormCount>;

template <class Row>
consteval PerForm<Row> per_form(PerForm<Row> rows) {
  for (std::size_t i = 0; i < kFormCount; ++i)
    if (rows[i].form != kForms[i]) throw "a per-form table must list the forms in enum order";
  return rows;
}

}  // namespace fenwarx
