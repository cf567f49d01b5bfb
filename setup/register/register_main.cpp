// fenwarx-register [-s] [-u] LIBRARY: loads a library, has it register (or
// unregister) its classes through its own entry points, and reports what really
// happened. Exit 0 done, 2 usage, 3 when the library cannot be loaded, has no
// entry point, or the entry point failed (said on standard error even with -s).
#include <dlfcn.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

constexpr int kExitDone = 0;
constexpr int kExitUsage = 2;
constexpr int kExitFailure = 3;

struct Direction {
  const char* entry_point;
  const char* shown;  // how the outcome names it
};

constexpr Direction kRegister{.entry_point = "fenwarx_register_server",
                              .shown = "DllRegisterServer"};
constexpr Direction kUnregister{.entry_point = "fenwarx_unregister_server",
                                .shown = "DllUnregisterServer"};

int fail(const std::string& text) {
  std::fprintf(stderr, "fenwarx-register: %s\n", text.c_str());
  return kExitFailure;
}

template <class Function>
Function entry(void* library, const char* name) {
  return reinterpret_cast<Function>(dlsym(library, name));
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  CLI::App app{
      "Registers the classes of a Fenwarx library by their programmatic identifiers in the "
      "class registry of the system folder (FENWARX_SYSTEM_DIR, else "
      "${XDG_DATA_HOME:-~/.local/share}/fenwarx/system), or unregisters them.",
      "fenwarx-register"};
  app.set_version_flag("--version", "fenwarx-register " FENWARX_VERSION);
  bool silent = false;
  bool unregister = false;
  std::string library;
  app.add_flag("-s", silent, "Print nothing on success");
  app.add_flag("-u", unregister, "Unregister the library's classes");
  app.add_option("LIBRARY", library, "The library's file, such as libfenwarx.so")->required();
  try {
    app.parse(argc, argv);
    if (library.empty()) throw CLI::ValidationError("LIBRARY", "an empty path names no library");
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? kExitDone : kExitUsage;
  }

  const Direction& direction = unregister ? kUnregister : kRegister;
  // Loaded by its absolute path, links kept: the library registers the path it
  // was loaded by, which must hold from any folder and across upgrades that
  // replace the file a versioned link leads to.
  std::error_code error;
  const fs::path path = fs::absolute(library, error).lexically_normal();
  if (error) return fail("cannot load " + library + ": " + error.message());
  void* loaded = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!loaded) return fail("cannot load " + path.string() + ": " + dlerror());
  auto call = entry<int (*)()>(loaded, direction.entry_point);
  if (!call)
    return fail(path.string() + " has no entry point " + direction.entry_point +
                ": it is no Fenwarx library");
  if (const int number = call(); number != 0) {
    const char* description = nullptr;
    if (auto last_error = entry<int (*)(const char**)>(loaded, "fenwarx_last_error"))
      last_error(&description);
    return fail(std::string(direction.shown) + " in " + path.string() + " failed: error " +
                std::to_string(number) + ": " +
                (description && *description ? description : "no description given"));
  }
  if (!silent) std::printf("%s in %s succeeded.\n", direction.shown, path.filename().c_str());
  return kExitDone;
}
