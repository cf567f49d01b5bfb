#pragma once
// Creation by programmatic identifier, and the global object: clsExport26's
// members may be called without an instance.
#include <memory>
#include <string_view>

#include "state/return_object.hpp"

namespace fenwarx {

// "Fenwarx.clsExport26" and the like, ignoring case; RuntimeError 429 for an
// identifier that is not registered.
std::shared_ptr<ReturnObject> create_object(std::string_view prog_id, Platform platform);

// The thread's instance of clsExport26 serving calls made without an instance,
// created on first use with `platform`.
ReturnObject& global_object(Platform platform);

}  // namespace fenwarx
