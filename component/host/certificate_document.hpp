#pragma once
// One certificate drawn as a PDF document of A4 portrait pages.
#include <string>

#include "host/certificate_pages.hpp"

namespace fenwarx::host {

// The document's bytes. RuntimeError 7 when memory runs out while drawing, 1004
// when the drawing fails otherwise.
std::string certificate_pdf(const Certificate& certificate);

}  // namespace fenwarx::host
