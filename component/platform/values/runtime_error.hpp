#pragma once
// Failures: a number and a description, as the automation layer reports them.
#include <stdexcept>
#include <string>
#include <string_view>

namespace fenwarx {

// Numbers the component raises or that callers test for. The texts live in
// runtime_error.cpp, beside each other, so a message can never drift from its code.
namespace err {
inline constexpr int kInvalidCall = 5;       // "Invalid procedure call or argument"
inline constexpr int kOverflow = 6;          // "Overflow"
inline constexpr int kOutOfMemory = 7;       // "Out of memory"
inline constexpr int kSubscript = 9;         // "Subscript out of range"
inline constexpr int kTypeMismatch = 13;     // "Type mismatch"
inline constexpr int kUserInterrupt = 18;    // "User interrupt occurred"
inline constexpr int kFileNotFound = 53;     // "File not found"
inline constexpr int kDeviceIo = 57;         // "Device I/O error"
inline constexpr int kFileExists = 58;       // "File already exists"
inline constexpr int kDiskFull = 61;         // "Disk full"
inline constexpr int kPermission = 70;       // "Permission denied"
inline constexpr int kPathFileAccess = 75;   // "Path/File access error"
inline constexpr int kPathNotFound = 76;     // "Path not found"
inline constexpr int kObjectNotSet = 91;     // "Object variable or With block variable not set"
inline constexpr int kObjectRequired = 424;  // "Object required"
inline constexpr int kCannotCreate = 429;    // "Can't create object"
inline constexpr int kNoSuchMember = 438;    // "Object doesn't support this property or method"
inline constexpr int kNotSupported = 445;    // "Object doesn't support this action"
inline constexpr int kWrongArguments =
    450;  // "Wrong number of arguments or invalid property assignment"
inline constexpr int kApplication = 1004;  // "Application-defined or object-defined error"
// A database's failures, numbered as the host database's engine numbers them.
inline constexpr int kDatabaseStatement = -2147217900;  // "The database refused the statement"
inline constexpr int kDatabaseNoTable = -2147217865;    // "The database has no such table"
inline constexpr int kDatabaseFailed = -2147467259;     // "The database failed"
}  // namespace err

// The platform's usual text for an error number; "Application-defined or
// object-defined error" for a number it does not know.
std::string_view error_text(int number);

class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(int number);
  RuntimeError(int number, std::string description);

  int number() const noexcept { return number_; }
  const std::string& description() const noexcept { return description_; }

 private:
  int number_;
  std::string description_;
};

}  // namespace fenwarx
