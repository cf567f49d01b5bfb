#include "returns/registry.hpp"

#include "platform/values/ascii.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx {

std::shared_ptr<ReturnObject> create_object(std::string_view prog_id, Platform platform) {
  // Only the programmatic identifiers are registered, not the class or form names.
  const ReturnClass* kind = find_return_class(prog_id);
  if (!kind || !equal_ignoring_case(kind->prog_id, prog_id)) throw RuntimeError(err::kCannotCreate);
  return std::make_shared<ReturnObject>(*kind, platform);
}

ReturnObject& global_object(Platform platform) {
  thread_local std::unique_ptr<ReturnObject> global;
  if (!global) global = std::make_unique<ReturnObject>(return_class(Form::F26), platform);
  return *global;
}

}  // namespace fenwarx
