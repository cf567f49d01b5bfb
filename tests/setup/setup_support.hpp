#pragma once
// What the setup tests share: the programs and library of the build, and the
// environment the programs they start run in.
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace fenwarx::testing {

inline const std::filesystem::path kLibrary = FENWARX_LIBRARY;  // the versioned link, .so.0
inline const std::filesystem::path kRegisterTool = FENWARX_REGISTER_TOOL;
inline const std::filesystem::path kSetupTool = FENWARX_SETUP_TOOL;
inline const std::filesystem::path kClientExample = FENWARX_CLIENT_EXAMPLE;
inline const std::filesystem::path kExamples = FENWARX_EXAMPLES;

// Sets (or, given nothing, removes) a variable of the environment until it goes.
class Variable {
 public:
  Variable(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
  }
  ~Variable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
  Variable(const Variable&) = delete;
  Variable& operator=(const Variable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace fenwarx::testing
