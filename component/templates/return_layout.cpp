#include "templates/return_layout.hpp"

#include "returns/return_codes.hpp"
#include "templates/layout_fields.hpp"

namespace fenwarx::templates {
namespace {

ReturnLayout make_layout(Form form) {
  const FormProfile& profile = profile_of(form);
  ReturnLayout layout{&profile,
                      deductor_fields(form),
                      {profile.challan_sheet, challan_fields(form), 4, true, true},
                      {profile.deductee_sheet, deductee_fields(form), 3, false, true},
                      {}};
  if (form == Form::F24) {
    layout.salary_sheets.push_back({"Salary Details", salary_fields(), 2, false, false});
    layout.salary_sheets.push_back({"Perquisite Details", perquisite_fields(), 2, false, false});
  }
  return layout;
}

template <typename Codes>
std::string quoted_list(const Codes& codes) {
  std::string out = "\"";
  for (std::string_view code : codes) {
    if (out.size() > 1) out.push_back(',');
    out.append(code);
  }
  return out + "\"";
}

}  // namespace

const ReturnLayout& return_layout(Form form) {
  static const std::array<ReturnLayout, 4> layouts{make_layout(Form::F24), make_layout(Form::F26),
                                                   make_layout(Form::F27),
                                                   make_layout(Form::F27EQ)};
  return layouts[static_cast<std::size_t>(form)];
}

std::vector<std::string_view> sheet_names(const ReturnLayout& layout) {
  std::vector<std::string_view> names{layout.profile->deductor_sheet, layout.challans.sheet,
                                      layout.deductees.sheet};
  for (const Table& table : layout.salary_sheets) names.push_back(table.sheet);
  names.push_back(kStateSheet);
  return names;
}

std::string choice_source(Choice choice, Form form) {
  using namespace std::string_view_literals;
  switch (choice) {
    case Choice::Quarter: return "\"Q1,Q2,Q3,Q4\"";
    case Choice::ReturnType: return "\"R,C\"";
    case Choice::YesNo: return "\"Y,N\"";
    case Choice::AorB: return "\"A,B\"";
    case Choice::PlusMinus: return "\"P,N\"";
    case Choice::DeducteeCode: return "\"1,2\"";
    case Choice::MinorHead: return "\"A,B,C,D,E,F,G,H,I\"";
    case Choice::Category: return quoted_list(kDeductorCategories);
    case Choice::Section: return quoted_list(section_codes(form));
    case Choice::State: return "'State Code'!$B$2:$B$36";
    case Choice::None: break;
  }
  return {};
}

}  // namespace fenwarx::templates
