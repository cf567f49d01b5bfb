#include "platform/files/atomic_file.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "platform/files/fault_injection.hpp"
#include "platform/values/runtime_error.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;
using Names = std::set<std::string>;

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Names listing(const fs::path& dir) {
  Names names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

// "number description" of what `f` raises, or "".
std::string error_of(auto&& f) try {
  f();
  return "";
} catch (const RuntimeError& e) {
  return std::to_string(e.number()) + " " + e.description();
}

// Writes "new" over `target` (holding "old") with `fault` in place; what that raised.
// Every descriptor the file opened must be closed again, whatever failed.
std::string replace_failing(const fs::path& target, const FileFault& fault) {
  std::ofstream(target) << "old";
  FaultInjectingFileSystem faulty({fault});
  FileSystemOverride in_place(faulty);
  const std::string error = error_of([&] {
    AtomicFile file(target);
    file.write("new");
    file.write(std::string(1000, 'x'));
    file.commit();
  });
  EXPECT_EQ(faulty.open_descriptors(), 0);
  return error;
}

TEST(AtomicFile, TargetUntouchedUntilCommitAndAnUncommittedTempIsRemoved) {
  const auto dir = testing::scratch_dir(), target = dir / "return.txt";
  std::ofstream(target) << "old";
  AtomicFile(target).write("half written");
  { AtomicFile never(dir / "new.xlsx"); }
  EXPECT_EQ(listing(dir), Names{"return.txt"});
  AtomicFile file(target);
  file.write("new ");
  file.write(std::string(100000, 'x'));
  EXPECT_EQ(file.size(), 100004u);
  EXPECT_EQ(slurp(target), "old");
  EXPECT_EQ(listing(dir).begin()->rfind(".return.txt.fenwarx-", 0), 0u) << *listing(dir).begin();
  file.commit();
  EXPECT_THROW(file.commit(), RuntimeError);
  EXPECT_THROW(file.write("late"), RuntimeError);
  EXPECT_EQ(slurp(target), "new " + std::string(100000, 'x'));
  EXPECT_EQ(listing(dir), Names{"return.txt"});
}

TEST(AtomicFile, NewFileTakesTheUmaskedDefaultAndAReplacedOneKeepsItsMode) {
  const auto path = testing::scratch_dir() / "private.txt";
  const auto mode_after_commit = [&] {
    AtomicFile(path).commit();
    return static_cast<unsigned>(fs::status(path).permissions());
  };
  const mode_t saved = ::umask(027);
  EXPECT_EQ(mode_after_commit(), 0640u);
  ::umask(022);
  EXPECT_EQ(mode_after_commit(), 0640u) << "the target's mode, not the umask's";
  ::umask(saved);
}

TEST(AtomicFile, RefusesTargetsItCannotWrite) {
  const auto dir = testing::scratch_dir();
  const fs::path target = dir / "sub" / "out.txt";
  const auto refusal = [&](const fs::path& path) {
    return error_of([&] { AtomicFile file(path); });
  };
  EXPECT_EQ(refusal(dir / "absent" / "out.txt"), "76 Path not found: " + (dir / "absent").string());
  fs::create_directory(dir / "sub");
  EXPECT_EQ(refusal(dir / "sub"),
            "75 Path/File access error: " + (dir / "sub").string() + " is a folder");
  // What the system says when it will not create the temporary file.
  // clang-format off
  const struct { int error; std::string message; } cases[] = {
      {.error = EACCES, .message = "70 Permission denied: " + target.string()},
      {.error = EROFS, .message = "70 Permission denied: " + target.string()},
      {.error = ENOSPC, .message = "61 Disk full: cannot write " + target.string()},
      {.error = EMFILE,
       .message = "75 Path/File access error: " + target.string() + " (Too many open files)"}};
  for (const auto& c : cases) {
    FaultInjectingFileSystem faulty({{.call = FileCall::CreateTemporary, .error = c.error}});
    FileSystemOverride in_place(faulty);
    EXPECT_EQ(refusal(target), c.message);
  }
  // clang-format on
  EXPECT_EQ(listing(dir), Names{"sub"}) << "refused before writing";
  EXPECT_EQ(listing(dir / "sub"), Names{});
}

// Up to the rename the target keeps its old bytes, and the temporary file goes.
TEST(AtomicFile, AFailureBeforeTheRenameLeavesTheTargetAndNoTemporaryFile) {
  const auto dir = testing::scratch_dir();
  const fs::path target = dir / "return.txt";
  const std::string io = "57 Device I/O error writing " + target.string();
  const std::string full = "61 Disk full: cannot write " + target.string();
  // clang-format off
  const struct { FileFault fault; std::string message; } cases[] = {
      {.fault = {.call = FileCall::Write, .error = ENOSPC}, .message = full},
      {.fault = {.call = FileCall::Write, .nth = 2, .error = EDQUOT}, .message = full},
      {.fault = {.call = FileCall::Write, .error = EIO}, .message = io + " (Input/output error)"},
      {.fault = {.call = FileCall::Sync, .error = EIO}, .message = io + " (Input/output error)"},
      {.fault = {.call = FileCall::ChangeMode, .error = EPERM},
       .message = io + " (Operation not permitted)"},
      {.fault = {.call = FileCall::Close, .error = ENOSPC}, .message = full},
      {.fault = {.call = FileCall::Rename, .error = EACCES},
       .message = "70 Permission denied: " + target.string()},
      {.fault = {.call = FileCall::Rename, .error = EXDEV},
       .message = io + " (Invalid cross-device link)"}};
  for (const auto& c : cases) {
    EXPECT_EQ(replace_failing(target, c.fault), c.message);
    EXPECT_EQ(slurp(target), "old") << c.message;
    EXPECT_EQ(listing(dir), Names{"return.txt"}) << c.message;
  }
  // clang-format on
}

// Some file systems cannot sync a folder; after the rename only a real failure is reported.
TEST(AtomicFile, TheFolderSyncAfterTheRenameFailsOnlyOnARealError) {
  const auto dir = testing::scratch_dir();
  const fs::path target = dir / "return.txt";
  // clang-format off
  const struct { int error; std::string message; } cases[] = {
      {.error = EINVAL, .message = ""},
      {.error = EROFS, .message = ""},
      {.error = EIO, .message = "57 Device I/O error writing " + target.string() + " (Input/output error)"}};
  for (const auto& c : cases) {
    EXPECT_EQ(replace_failing(target, {.call = FileCall::Sync, .nth = 2, .error = c.error}), c.message);
    EXPECT_EQ(slurp(target), "new" + std::string(1000, 'x')) << c.error;
    EXPECT_EQ(listing(dir), Names{"return.txt"}) << c.error;
  }
  // clang-format on
}

}  // namespace
}  // namespace fenwarx
