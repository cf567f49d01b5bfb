#include "layout/forms.hpp"

#include "platform/values/ascii.hpp"

namespace fenwarx {
namespace {

struct FormName {
  Form form;
  std::string_view name;
};

constexpr PerForm<FormName> kNames = per_form<FormName>({{
    {.form = Form::F24, .name = "24"},
    {.form = Form::F26, .name = "26"},
    {.form = Form::F27, .name = "27"},
    {.form = Form::F27EQ, .name = "27EQ"},
}});

}  // namespace

std::string_view form_name(Form form) { return kNames[form_index(form)].name; }

std::optional<Form> find_form(std::string_view name) {
  for (const FormName& entry : kNames)
    if (equal_ignoring_case(entry.name, name)) return entry.form;
  return std::nullopt;
}

}  // namespace fenwarx
