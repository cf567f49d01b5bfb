#include "returns/server_registration.hpp"

#include <dlfcn.h>

#include <array>
#include <string_view>

#include "layout/forms.hpp"
#include "platform/files/system_folder.hpp"
#include "platform/registry/class_registry.hpp"
#include "platform/values/runtime_error.hpp"
#include "state/return_class.hpp"

namespace fenwarx {
namespace {

std::array<std::string_view, kFormCount> prog_ids() {
  std::array<std::string_view, kFormCount> ids;
  for (Form form : kForms) ids[form_index(form)] = return_class(form).prog_id;
  return ids;
}

// An address of this library that nothing can interpose: an exported function's
// address may resolve to a loader's function of the same name.
void anchor() {}

}  // namespace

std::filesystem::path own_library() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<const void*>(&anchor), &info) == 0 || !info.dli_fname ||
      !*info.dli_fname)
    throw RuntimeError(err::kFileNotFound, "File not found: the library's own file is unknown");
  return std::filesystem::absolute(info.dli_fname).lexically_normal();
}

void register_server() {
  const auto ids = prog_ids();
  register_classes(default_system_folder(), ids, own_library());
}

void unregister_server() {
  const auto ids = prog_ids();
  unregister_classes(default_system_folder(), ids);
}

}  // namespace fenwarx
