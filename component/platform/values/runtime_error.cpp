#include "platform/values/runtime_error.hpp"

#include <utility>

namespace fenwarx {

namespace {

struct ErrorText {
  int number;
  std::string_view text;
};

constexpr ErrorText kTexts[] = {
    {err::kInvalidCall, "Invalid procedure call or argument"},
    {err::kOverflow, "Overflow"},
    {err::kOutOfMemory, "Out of memory"},
    {err::kSubscript, "Subscript out of range"},
    {err::kTypeMismatch, "Type mismatch"},
    {err::kUserInterrupt, "User interrupt occurred"},
    {err::kFileNotFound, "File not found"},
    {err::kDeviceIo, "Device I/O error"},
    {err::kFileExists, "File already exists"},
    {err::kDiskFull, "Disk full"},
    {err::kPermission, "Permission denied"},
    {err::kPathFileAccess, "Path/File access error"},
    {err::kPathNotFound, "Path not found"},
    {err::kObjectNotSet, "Object variable or With block variable not set"},
    {err::kObjectRequired, "Object required"},
    {err::kCannotCreate, "Can't create object"},
    {err::kNoSuchMember, "Object doesn't support this property or method"},
    {err::kNotSupported, "Object doesn't support this action"},
    {err::kWrongArguments, "Wrong number of arguments or invalid property assignment"},
    {err::kApplication, "Application-defined or object-defined error"},
    {err::kDatabaseStatement, "The database refused the statement"},
    {err::kDatabaseNoTable, "The database has no such table"},
    {err::kDatabaseFailed, "The database failed"},
};

}  // namespace

std::string_view error_text(int number) {
  for (const auto& entry : kTexts) {
    if (entry.number == number) return entry.text;
  }
  return "Application-defined or object-defined error";
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, std::string(error_text(number))) {}

RuntimeError::RuntimeError(int number, std::string description)
    : std::runtime_error(description), number_(number), description_(std::move(description)) {}

}  // namespace fenwarx
