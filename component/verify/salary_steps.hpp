#pragma once
// What the salary walk and the perquisite pass do in each column of Form 24's
// two sheets, as tables of steps one walk reads. A column's steps run in table
// order, so whether a derived column is checked before or after it is filled
// is its place in the table. Columns are named by role.
#include <optional>
#include <span>
#include <string_view>
#include <variant>

#include "layout/roles.hpp"
#include "verify/walk_steps.hpp"

namespace fenwarx {

namespace sheet_step {
struct Blank {};   // CheckBlank
struct Amount {};  // CheckAmount
struct Pan10 {};   // CheckPan10
// An empty cell <- this day of the financial year, `years_after` its first
// calendar year.
struct YearDate {
  int day, month, years_after;
};
struct Date {};       // CheckDate
struct DateRange {};  // within the financial year
// "P" when the number in `amount` is 0; else the cell must read P or N.
template <class Role>
struct SignFlag {
  Role amount;
};
// A fill whose spreadsheet step fails shows the failure's description followed
// by `after`, writes nothing and lets the walk go on; a fill without it passes
// the failure on.
struct Caught {
  std::string_view after;
};
// The cell <- the numbers of `added` less those of `less`, as two-decimal text,
// or `zero` when that is not above 0.
template <class Role>
struct Fill {
  std::span<const Role> added;
  std::span<const Role> less = {};
  std::string_view zero;
  std::optional<Caught> caught = std::nullopt;
};
// The cell <- `base` with `amount` added, or subtracted when `sign` reads N.
template <class Role>
struct SignedFill {
  Role base, sign, amount;
  std::string_view zero;
};
// The cell <- "P" when `payable` is at least `paid`, else "N"; the column
// `amount` <- the size of the difference.
template <class Role>
struct Balance {
  Role payable, paid, amount;
  std::string_view zero;
};
}  // namespace sheet_step

template <class Role>
using SheetStep =
    std::variant<sheet_step::Blank, sheet_step::Amount, sheet_step::Pan10, sheet_step::YearDate,
                 sheet_step::Date, sheet_step::DateRange, sheet_step::SignFlag<Role>,
                 sheet_step::Fill<Role>, sheet_step::SignedFill<Role>, sheet_step::Balance<Role>>;

template <class Role>
struct SheetAction {
  Role column;
  SheetStep<Role> step;
};

using SalaryAction = SheetAction<SalaryColumn>;
using PerquisiteAction = SheetAction<PerquisiteColumn>;

// Placed on Form 24's sheets, in ascending columns (see walk_steps.hpp).
std::span<const PlacedAction<SalaryAction>> salary_actions();
std::span<const PlacedAction<PerquisiteAction>> perquisite_actions();

}  // namespace fenwarx
