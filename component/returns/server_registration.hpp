#pragma once
// The library registering its own classes: each programmatic identifier in the
// class registry of the system folder, naming this library's file.
#include <filesystem>

namespace fenwarx {

// The library this code is in, as it was loaded (made absolute, links kept, so
// that a versioned link such as libfenwarx.so.0 stays what is named).
std::filesystem::path own_library();

// The four identifiers named to own_library() in default_system_folder()'s
// registry, other entries kept; RuntimeError when the registry cannot be written.
void register_server();
// The four identifiers' entries removed from that registry.
void unregister_server();

}  // namespace fenwarx
