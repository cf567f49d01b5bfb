#pragma once
// The class registry of a system folder (see class_registry.h for its format):
// read, and rewritten atomically with only the given identifiers' entries
// changed, every other line kept as it stands.
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fenwarx {

struct ClassEntry {
  std::string prog_id;
  std::string library;
};

// FOLDER/classes.ini.
std::filesystem::path class_registry_file(const std::filesystem::path& folder);

// The entries of the folder's registry in file order; none when it has no
// registry. RuntimeError when the file is there and cannot be read.
std::vector<ClassEntry> read_class_registry(const std::filesystem::path& folder);

// The library registered for `prog_id` (ignoring case), the first entry winning;
// empty when none.
std::string registered_library(std::span<const ClassEntry> entries, std::string_view prog_id);

// Names `library` for each of `prog_ids`, replacing their earlier entries. Makes
// the folder when missing. RuntimeError 5 for a library that is no absolute path
// or that a line cannot hold; the failures of the folder and the atomic write.
void register_classes(const std::filesystem::path& folder,
                      std::span<const std::string_view> prog_ids,
                      const std::filesystem::path& library);

// Removes the entries of `prog_ids`; the registry goes when no entry is left in
// it. Nothing to do when the folder has no registry.
void unregister_classes(const std::filesystem::path& folder,
                        std::span<const std::string_view> prog_ids);

}  // namespace fenwarx
