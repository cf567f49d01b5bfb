#pragma once
// Places a form's table of steps on its sheet: each step gets the column number
// its role has in the form's layout. A table comes in parts (what forms share);
// a column's steps stand in one part and run in that part's order.
#include <algorithm>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "layout/field_table.hpp"
#include "verify/walk_steps.hpp"

namespace fenwarx {

template <class Action, class Role, std::size_t Parts>
std::vector<PlacedAction<Action>> place_actions(
    const std::array<std::span<const Action>, Parts>& parts, const FieldTable<Role>& columns,
    const std::string& sheet) {
  std::vector<PlacedAction<Action>> out;
  for (std::span<const Action> part : parts) {
    const std::size_t part_start = out.size();
    for (const Action& action : part) {
      const int column = columns.of(action.column);
      if (column == 0)
        throw std::logic_error("a " + sheet + " step names a column the sheet lacks");
      for (std::size_t i = 0; i < part_start; ++i)
        if (out[i].column == column)
          throw std::logic_error("a " + sheet + " column's steps stand in two parts of its table");
      out.push_back({column, &action});
    }
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const auto& a, const auto& b) { return a.column < b.column; });
  return out;
}

}  // namespace fenwarx
