#pragma once
// The blank return workbook of a form, ready for typing in.
#include <filesystem>
#include <vector>

#include "layout/forms.hpp"
#include "templates/return_package.hpp"

namespace fenwarx::templates {

struct TemplateParts {
  std::vector<WorksheetPart> sheets;  // in workbook order
  SharedStringTable strings;
};

TemplateParts make_return_template(Form form);

// Replaces `path` atomically; RuntimeError on an I/O failure.
void write_return_template(const std::filesystem::path& path, Form form);

}  // namespace fenwarx::templates
