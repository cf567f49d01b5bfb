#include "platform/files/fault_injection.hpp"

#include <utility>

namespace fenwarx {

FaultInjectingFileSystem::FaultInjectingFileSystem(std::vector<FileFault> faults, FileSystem& real)
    : faults_(std::move(faults)),
      real_(real),
      counts_(static_cast<std::size_t>(FileCall::Stat) + 1) {}

int FaultInjectingFileSystem::calls(FileCall call) const {
  return counts_[static_cast<std::size_t>(call)];
}

bool FaultInjectingFileSystem::fails(FileCall call) {
  const int count = ++counts_[static_cast<std::size_t>(call)];
  for (const FileFault& fault : faults_) {
    if (fault.call != call || fault.nth != count) continue;
    if (fault.stall) {
      fault.stall();
      return false;
    }
    errno = fault.error;
    return true;
  }
  return false;
}

int FaultInjectingFileSystem::opened(int fd) {
  if (fd >= 0) ++open_descriptors_;
  return fd;
}

int FaultInjectingFileSystem::open(const char* path, int flags) {
  return fails(FileCall::Open) ? -1 : opened(real_.open(path, flags));
}

int FaultInjectingFileSystem::create_temporary(char* pattern) {
  return fails(FileCall::CreateTemporary) ? -1 : opened(real_.create_temporary(pattern));
}

ssize_t FaultInjectingFileSystem::read_at(int fd, void* out, std::size_t length, off_t offset) {
  return fails(FileCall::Read) ? -1 : real_.read_at(fd, out, length, offset);
}

ssize_t FaultInjectingFileSystem::write(int fd, const void* bytes, std::size_t length) {
  return fails(FileCall::Write) ? -1 : real_.write(fd, bytes, length);
}

int FaultInjectingFileSystem::sync(int fd) { return fails(FileCall::Sync) ? -1 : real_.sync(fd); }

int FaultInjectingFileSystem::change_mode(int fd, mode_t mode) {
  return fails(FileCall::ChangeMode) ? -1 : real_.change_mode(fd, mode);
}

int FaultInjectingFileSystem::close(int fd) {
  --open_descriptors_;
  if (!fails(FileCall::Close)) return real_.close(fd);
  const int error = errno;
  real_.close(fd);
  errno = error;
  return -1;
}

int FaultInjectingFileSystem::rename(const char* from, const char* to) {
  return fails(FileCall::Rename) ? -1 : real_.rename(from, to);
}

int FaultInjectingFileSystem::unlink(const char* path) {
  return fails(FileCall::Unlink) ? -1 : real_.unlink(path);
}

ssize_t FaultInjectingFileSystem::read_link(const char* path, char* out, std::size_t size) {
  return fails(FileCall::ReadLink) ? -1 : real_.read_link(path, out, size);
}

int FaultInjectingFileSystem::stat(const char* path, struct stat* info) {
  return fails(FileCall::Stat) ? -1 : real_.stat(path, info);
}

int FaultInjectingFileSystem::fstat(int fd, struct stat* info) {
  return fails(FileCall::Stat) ? -1 : real_.fstat(fd, info);
}

}  // namespace fenwarx
