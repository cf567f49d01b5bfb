#include "returns/registry.hpp"

#include "platform/values/ascii.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx {

std::shared_ptr<ReturnObject> create_object(std::string_view prog_id, Platform platform) {
  // Only the programmatic identifiers are registered, not the class or form names.
  const FormProfile* profile = find_profile(prog_id);
  if (!profile || !equal_ignoring_case(profile->prog_id, prog_id))
    throw RuntimeError(err::kCannotCreate);
  return std::make_shared<ReturnObject>(*profile, platform);
}

ReturnObject& global_object(Platform platform) {
  thread_local std::unique_ptr<ReturnObject> global;
  if (!global) global = std::make_unique<ReturnObject>(profile_of(Form::F26), platform);
  return *global;
}

}  // namespace fenwarx
