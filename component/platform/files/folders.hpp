#pragma once
// Making a folder with the folders above it, as the system folder and the
// certificate host's folder need before their first file.
#include <filesystem>

namespace fenwarx {

// Creates `folder` and what is missing above it; a folder already there is fine.
// Failing, a RuntimeError 76 naming the folder and the system's reason.
void make_folder(const std::filesystem::path& folder);

}  // namespace fenwarx
