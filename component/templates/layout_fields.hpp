#pragma once
// The field tables behind return_layout(), one source file per sheet.
#include <array>
#include <vector>

#include "templates/return_layout.hpp"

namespace fenwarx::templates {

std::array<Field, kDeductorRows> deductor_fields(Form form);
std::vector<Field> challan_fields(Form form);
std::vector<Field> deductee_fields(Form form);
std::vector<Field> salary_fields();
std::vector<Field> perquisite_fields();

}  // namespace fenwarx::templates
