#include "platform/files/atomic_file.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "platform/files/fault_injection.hpp"
#include "platform/values/runtime_error.hpp"
#include "support/error_of.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;
using Names = std::set<std::string>;

using testing::slurp;

Names listing(const fs::path& dir) {
  Names names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

using testing::error_of;

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
  {  // the link test before anything is created
    FaultInjectingFileSystem faulty({{.call = FileCall::ReadLink, .error = EACCES}});
    FileSystemOverride in_place(faulty);
    EXPECT_EQ(refusal(target), "70 Permission denied: " + target.string());
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

// A save through a symbolic link replaces the file it leads to, with the
// temporary file beside that one, and the link stays a link.
TEST(AtomicFile, WritesThroughSymbolicLinksAndKeepsThem) {
  const auto dir = testing::scratch_dir();
  fs::create_directories(dir / "real" / "deep");
  std::ofstream(dir / "real" / "deep" / "return.xlsx") << "old";
  fs::create_symlink("deep/return.xlsx", dir / "real" / "hop");  // relative to its folder
  fs::create_symlink(dir / "real" / "hop", dir / "link.xlsx");   // absolute, to another link
  fs::create_symlink("real/absent.xlsx", dir / "dangling.xlsx");
  {
    AtomicFile file(dir / "link.xlsx");
    file.write("new");
    EXPECT_EQ(listing(dir / "real" / "deep").size(), 2u) << "the temporary file beside the target";
    file.commit();
  }
  EXPECT_TRUE(fs::is_symlink(dir / "link.xlsx"));
  EXPECT_TRUE(fs::is_symlink(dir / "real" / "hop"));
  EXPECT_EQ(slurp(dir / "real" / "deep" / "return.xlsx"), "new");
  EXPECT_EQ(listing(dir / "real" / "deep"), Names{"return.xlsx"});

  // A dangling link gets its file made.
  {
    AtomicFile file(dir / "dangling.xlsx");
    file.write("made");
    file.commit();
  }
  EXPECT_TRUE(fs::is_symlink(dir / "dangling.xlsx"));
  EXPECT_EQ(slurp(dir / "real" / "absent.xlsx"), "made");
  EXPECT_EQ(listing(dir), (Names{"dangling.xlsx", "link.xlsx", "real"}));

  // Links that never reach a file are refused before anything is written.
  fs::create_symlink("loop.xlsx", dir / "loop.xlsx");
  EXPECT_EQ(error_of([&] { AtomicFile file(dir / "loop.xlsx"); }),
            "75 Path/File access error: " + (dir / "loop.xlsx").string() +
                " (Too many levels of symbolic links)");
}

// A pipe or a device in the target's place is never replaced by a file.
TEST(AtomicFile, RefusesToReplaceWhatIsNoFile) {
  const auto dir = testing::scratch_dir();
  const fs::path pipe = dir / "pipe.xlsx", link = dir / "link.xlsx";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  fs::create_symlink(pipe, link);
  const std::string refused =
      "75 Path/File access error: " + pipe.string() + " is a named pipe, not a file";
  EXPECT_EQ(error_of([&] { AtomicFile file(pipe); }), refused);
  EXPECT_EQ(error_of([&] { AtomicFile file(link); }), refused);
  EXPECT_TRUE(fs::is_fifo(pipe));
  EXPECT_EQ(listing(dir), (Names{"link.xlsx", "pipe.xlsx"}));
}

// Saves "new" over `target`, raising `signal` at the first write.
void save_raising(const fs::path& target, int signal) {
  FaultInjectingFileSystem faulty(
      {{.call = FileCall::Write, .stall = [signal] { std::raise(signal); }}});
  FileSystemOverride in_place(faulty);
  AtomicFile file(target);
  file.write("new");
  file.commit();
}

sighandler_t disposition(int signal) {
  struct sigaction now {};
  ::sigaction(signal, nullptr, &now);
  return now.sa_handler;
}

// A signal that ends the process during a save takes the temporary file with it;
// the target keeps its old bytes.
TEST(AtomicFileDeathTest, ASignalDuringASaveRemovesTheTemporaryFile) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    const auto dir = testing::scratch_dir();
    const fs::path target = dir / "return.xlsx";
    std::ofstream(target) << "old";
    EXPECT_EXIT(save_raising(target, signal), ::testing::KilledBySignal(signal), "");
    EXPECT_EQ(listing(dir), Names{"return.xlsx"});
    EXPECT_EQ(slurp(target), "old");
  }
}

// A signal the process ignores stays ignored and the save completes; afterwards
// each signal is handled as it was before.
TEST(AtomicFileDeathTest, AnIgnoredSignalStaysIgnoredAndHandlersAreRestored) {
  const auto dir = testing::scratch_dir();
  const fs::path target = dir / "return.xlsx";
  const auto save_ignoring_term = [&] {
    std::signal(SIGTERM, SIG_IGN);
    save_raising(target, SIGTERM);
    std::exit(disposition(SIGTERM) == SIG_IGN && disposition(SIGINT) == SIG_DFL ? 7 : 1);
  };
  EXPECT_EXIT(save_ignoring_term(), ::testing::ExitedWithCode(7), "");
  EXPECT_EQ(slurp(target), "new");
  EXPECT_EQ(listing(dir), Names{"return.xlsx"});
}

}  // namespace
}  // namespace fenwarx
