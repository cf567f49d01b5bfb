#include "platform/files/atomic_file.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

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

void expect_refused(const fs::path& target, int number, const std::string& description) {
  try {
    AtomicFile file(target);
    ADD_FAILURE() << "opened " << target;
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), number);
    EXPECT_EQ(e.description(), description);
  }
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
  expect_refused(dir / "absent" / "out.txt", err::kPathNotFound, "Path not found: " + (dir / "absent").string());
  fs::create_directory(dir / "sub");
  expect_refused(dir / "sub", err::kPathFileAccess,
                 "Path/File access error: " + (dir / "sub").string() + " is a folder");
  EXPECT_EQ(listing(dir), Names{"sub"}) << "refused before writing";
  if (::geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
  ASSERT_EQ(::chmod((dir / "sub").c_str(), 0555), 0);
  expect_refused(dir / "sub" / "out.txt", err::kPermission,
                 "Permission denied: " + (dir / "sub" / "out.txt").string());
  ::chmod((dir / "sub").c_str(), 0755);
}

}  // namespace
}  // namespace fenwarx
