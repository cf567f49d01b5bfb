#include "platform/registry/class_registry.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <system_error>

#include "platform/files/atomic_file.hpp"
#include "platform/files/file_system.hpp"
#include "platform/files/folders.hpp"
#include "platform/files/read_only_file.hpp"
#include "platform/registry/class_registry.h"
#include "platform/values/ascii.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kHeading = "; Fenwarx classes: programmatic identifier=library";

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view stripped(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<ClassEntry> entry_of(std::string_view line) {
  const std::string_view text = stripped(line);
  if (text.empty() || text.front() == ';' || text.front() == '#') return std::nullopt;
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return ClassEntry{.prog_id = std::string(stripped(text.substr(0, equals))),
                    .library = std::string(stripped(text.substr(equals + 1)))};
}

bool names_one_of(std::string_view line, std::span<const std::string_view> prog_ids) {
  const auto entry = entry_of(line);
  return entry && std::ranges::any_of(prog_ids, [&](std::string_view id) {
           return equal_ignoring_case(entry->prog_id, id);
         });
}

// The registry's lines without their ends; none when there is no registry.
std::vector<std::string> registry_lines(const fs::path& file) {
  struct stat info {};
  if (file_system().stat(file.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR))
    return {};
  const ReadOnlyFile in(file);
  std::string text(static_cast<std::size_t>(in.size()), '\0');
  if (!in.read_exactly(0, text.size(), text.data()))
    throw RuntimeError(err::kDeviceIo, "Device I/O error reading " + file.string());
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

void write_lines(const fs::path& file, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  AtomicFile out(file);
  out.write(text);
  out.commit();
}

// What reads back as it was written: a line ends at a line break, and blanks
// around the path would be taken off.
void require_registrable(const fs::path& library) {
  const std::string& text = library.native();
  if (library.is_absolute() && text.find_first_of("\r\n") == std::string::npos &&
      !is_blank(text.back()))
    return;
  throw RuntimeError(err::kInvalidCall,
                     "Invalid procedure call or argument: the class registry cannot name " + text +
                         " (an absolute path without line breaks or blanks at its end)");
}

}  // namespace

fs::path class_registry_file(const fs::path& folder) { return folder / FENWARX_CLASS_REGISTRY; }

std::vector<ClassEntry> read_class_registry(const fs::path& folder) {
  std::vector<ClassEntry> entries;
  for (const std::string& line : registry_lines(class_registry_file(folder)))
    if (auto entry = entry_of(line)) entries.push_back(std::move(*entry));
  return entries;
}

std::string registered_library(std::span<const ClassEntry> entries, std::string_view prog_id) {
  for (const ClassEntry& entry : entries)
    if (equal_ignoring_case(entry.prog_id, prog_id)) return entry.library;
  return {};
}

void register_classes(const fs::path& folder, std::span<const std::string_view> prog_ids,
                      const fs::path& library) {
  require_registrable(library);
  make_folder(folder);
  const fs::path file = class_registry_file(folder);
  std::vector<std::string> lines = registry_lines(file);
  if (lines.empty()) lines.emplace_back(kHeading);
  std::erase_if(lines, [&](const std::string& line) { return names_one_of(line, prog_ids); });
  for (std::string_view id : prog_ids) lines.push_back(std::string(id) + "=" + library.string());
  write_lines(file, lines);
}

void unregister_classes(const fs::path& folder, std::span<const std::string_view> prog_ids) {
  const fs::path file = class_registry_file(folder);
  std::vector<std::string> lines = registry_lines(file);
  if (std::erase_if(lines, [&](const std::string& line) { return names_one_of(line, prog_ids); }) ==
      0)
    return;
  if (std::ranges::any_of(lines,
                          [](const std::string& line) { return entry_of(line).has_value(); })) {
    write_lines(file, lines);
    return;
  }
  if (file_system().unlink(file.c_str()) != 0 && errno != ENOENT)
    throw RuntimeError(err::kPathFileAccess, "Path/File access error: cannot remove " +
                                                 file.string() + " (" + std::strerror(errno) + ")");
}

}  // namespace fenwarx
