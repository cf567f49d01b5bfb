#include "platform/files/atomic_file.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/values/runtime_error.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void put(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> listing(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

mode_t mode_of(const fs::path& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0);
  return st.st_mode & 07777;
}

TEST(AtomicFile, TargetUntouchedUntilCommit) {
  auto dir = testing::scratch_dir();
  auto target = dir / "return.txt";
  put(target, "old");
  {
    AtomicFile file(target);
    file.write("new ");
    file.write(std::string(100000, 'x'));
    EXPECT_EQ(file.size(), 100004u);
    EXPECT_EQ(slurp(target), "old");
    auto names = listing(dir);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0].rfind(".return.txt.fenwarx-", 0), 0u) << names[0];
    file.commit();
  }
  EXPECT_EQ(slurp(target), "new " + std::string(100000, 'x'));
  EXPECT_EQ(listing(dir), std::vector<std::string>{"return.txt"});
}

TEST(AtomicFile, UncommittedTempIsRemovedAndTargetKept) {
  auto dir = testing::scratch_dir();
  put(dir / "book.xlsx", "original");
  {
    AtomicFile file(dir / "book.xlsx");
    file.write("half written");
  }
  EXPECT_EQ(listing(dir), std::vector<std::string>{"book.xlsx"});
  EXPECT_EQ(slurp(dir / "book.xlsx"), "original");

  { AtomicFile never(dir / "new.xlsx"); }
  EXPECT_EQ(listing(dir), std::vector<std::string>{"book.xlsx"});
}

TEST(AtomicFile, KeepsTheTargetsPermissions) {
  auto dir = testing::scratch_dir();
  auto target = dir / "private.txt";
  put(target, "old");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  AtomicFile file(target);
  file.write("new");
  file.commit();
  EXPECT_EQ(mode_of(target), 0640u);
}

TEST(AtomicFile, NewFileGetsTheUmaskedDefault) {
  auto dir = testing::scratch_dir();
  mode_t saved = ::umask(027);
  {
    AtomicFile file(dir / "fresh.txt");
    file.write("x");
    file.commit();
  }
  ::umask(saved);
  EXPECT_EQ(mode_of(dir / "fresh.txt"), 0640u);
}

TEST(AtomicFile, MissingFolderIsPathNotFound) {
  auto dir = testing::scratch_dir() / "absent";
  try {
    AtomicFile file(dir / "out.txt");
    FAIL() << "expected an error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), err::kPathNotFound);
    EXPECT_EQ(e.description(), "Path not found: " + dir.string());
  }
}

TEST(AtomicFile, ReadOnlyFolderIsPermissionDenied) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
  auto dir = testing::scratch_dir() / "locked";
  fs::create_directory(dir);
  ASSERT_EQ(::chmod(dir.c_str(), 0555), 0);
  try {
    AtomicFile file(dir / "out.txt");
    ADD_FAILURE() << "expected an error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), err::kPermission);
    EXPECT_EQ(e.description(), "Permission denied: " + (dir / "out.txt").string());
  }
  ::chmod(dir.c_str(), 0755);
}

TEST(AtomicFile, FolderAsTargetIsRefusedBeforeWriting) {
  auto dir = testing::scratch_dir();
  fs::create_directory(dir / "sub");
  try {
    AtomicFile file(dir / "sub");
    FAIL() << "expected an error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), err::kPathFileAccess);
  }
  EXPECT_EQ(listing(dir), std::vector<std::string>{"sub"});
}

TEST(AtomicFile, CommitTwiceIsAnError) {
  auto dir = testing::scratch_dir();
  AtomicFile file(dir / "a.txt");
  file.commit();
  EXPECT_THROW(file.commit(), RuntimeError);
  EXPECT_THROW(file.write("late"), RuntimeError);
  EXPECT_EQ(slurp(dir / "a.txt"), "");
}

}  // namespace
}  // namespace fenwarx
