#pragma once
// The blank return workbook of a form, ready for typing in.
#include <filesystem>
#include <vector>

#include "layout/forms.hpp"
#include "platform/clock/clock.hpp"
#include "templates/return_package.hpp"

namespace fenwarx::templates {

struct TemplateParts {
  std::vector<WorksheetPart> sheets;  // in workbook order
  SharedStringTable strings;
};

// The year rows' hints show the financial year `clock` stands in.
TemplateParts make_return_template(Form form, Clock& clock);

// Replaces `path` atomically; RuntimeError on an I/O failure.
void write_return_template(const std::filesystem::path& path, Form form, Clock& clock);

}  // namespace fenwarx::templates
