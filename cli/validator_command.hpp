#pragma once
// The validator a return file is handed to: --validator, else FENWARX_VALIDATOR,
// else this program's own structural check.
#include <optional>
#include <string>
#include <vector>

namespace fenwarx::cli {

// The command line split at blanks (as a shell would without quotes).
std::vector<std::string> validator_command(const std::optional<std::string>& given);

}  // namespace fenwarx::cli
