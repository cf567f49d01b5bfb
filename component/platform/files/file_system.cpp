#include "platform/files/file_system.hpp"

namespace fenwarx {
namespace {

thread_local FileSystem* substitute = nullptr;

}  // namespace

FileSystem& file_system() { return substitute ? *substitute : posix_file_system(); }

FileSystemOverride::FileSystemOverride(FileSystem& replacement) : previous_(substitute) {
  substitute = &replacement;
}

FileSystemOverride::~FileSystemOverride() { substitute = previous_; }

}  // namespace fenwarx
