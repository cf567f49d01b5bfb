#pragma once
// Texts from the host database as the page may show them.
#include <string>
#include <string_view>

namespace fenwarx::host {

// Well-formed UTF-8, as the text layout demands: each byte of a broken sequence
// becomes U+FFFD, and a control character a blank, so a cell never breaks its row
// and a NUL never cuts a text short.
std::string displayable(std::string_view text);

}  // namespace fenwarx::host
