// The database as the component reaches it: texts go in and come back as they
// were, nothing replaces an existing file, a transaction not committed leaves
// nothing, and each failure names the file, what failed and why.
#include "platform/database/database.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/database/fault_injection.hpp"
#include "support/error_of.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

namespace fs = std::filesystem;

using testing::slurp;

using testing::error_of;

// A new database holding table t, its one text column at most 3 characters long.
std::unique_ptr<Database> with_table(const fs::path& path) {
  auto database = sqlite_engine().open(path, OpenMode::CreateNew);
  database->execute("create table t (a text check(length(a) <= 3), b text)");
  return database;
}

std::vector<std::string> column_a(Database& database) {
  std::vector<std::string> texts;
  const auto select = database.prepare("select a from t order by rowid");
  while (select->step()) texts.push_back(select->column_text(0));
  return texts;
}

TEST(Database, BoundTextsComeBackAsTheyWent) {
  const fs::path path = testing::scratch_dir() / "host.db";
  auto database = sqlite_engine().open(path, OpenMode::CreateNew);
  database->execute("create table t (a text, n integer)");
  const std::vector<std::string> texts{"O'Brien", "a \"b\" ; drop table t; --", "नमस्ते", "",
                                       std::string(10000, 'x')};
  const auto insert = database->prepare("insert into t values (?, ?)");
  for (const std::string& text : texts) {
    // Copied or borrowed, a text goes in as it stands.
    if (text.size() % 2)
      insert->bind_borrowed(1, text);
    else
      insert->bind(1, text);
    insert->bind(2, 42LL);
    insert->run();
    insert->reset();
  }
  const auto select = database->prepare("select a, n, null from t order by rowid");
  std::vector<std::string> back;
  while (select->step()) {
    back.push_back(select->column_text(0));
    EXPECT_EQ(select->column_count(), 3);
    EXPECT_EQ(select->column_text(1), "42");
    EXPECT_TRUE(select->column_is_null(2));
    EXPECT_EQ(select->column_text(2), "");
  }
  EXPECT_EQ(back, texts);
  database.reset();
  // Read back by another connection, read-only; its statement may outlive it.
  auto reader = sqlite_engine().open(path, OpenMode::ReadOnly);
  const auto count =
      sqlite_engine().open(path, OpenMode::ReadOnly)->prepare("select count(*) from t");
  ASSERT_TRUE(count->step());
  EXPECT_EQ(count->column_text(0), "5");
  EXPECT_EQ(
      error_of([&] { reader->execute("delete from t"); }),
      "57 " + path.string() + ": cannot run delete from t: attempt to write a readonly database");
}

TEST(Database, ANewDatabaseNeverReplacesAFileAndMissingOnesAreNamed) {
  const fs::path dir = testing::scratch_dir();
  std::ofstream(dir / "taken.mdb") << "the user's file";
  EXPECT_EQ(error_of([&] { sqlite_engine().open(dir / "taken.mdb", OpenMode::CreateNew); }),
            "58 File already exists: " + (dir / "taken.mdb").string());
  EXPECT_EQ(slurp(dir / "taken.mdb"), "the user's file");
  EXPECT_EQ(error_of([&] { sqlite_engine().open(dir / "no" / "new.mdb", OpenMode::CreateNew); }),
            "76 Path not found: " + (dir / "no").string());
  EXPECT_EQ(error_of([&] { sqlite_engine().open(dir / "gone.mdb", OpenMode::Existing); }),
            "53 File not found: " + (dir / "gone.mdb").string());
  EXPECT_EQ(error_of([&] { sqlite_engine().open(dir, OpenMode::ReadOnly); }),
            "75 Path/File access error: " + dir.string() + " is a folder");
  // A new database is a database file from the start, its header written.
  sqlite_engine().open(dir / "new.mdb", OpenMode::CreateNew);
  EXPECT_EQ(slurp(dir / "new.mdb").substr(0, 16), std::string("SQLite format 3\0", 16));
}

TEST(Database, FailuresNameTheFileTheStatementAndTheReason) {
  const fs::path dir = testing::scratch_dir(), path = dir / "host.db";
  auto database = with_table(path);
  const auto insert = database->prepare("insert into t (a) values (?)");
  insert->bind(1, std::string_view("abcd"));
  EXPECT_EQ(error_of([&] { insert->run(); }),
            "-2147217900 " + path.string() +
                ": cannot run insert into t: CHECK constraint failed: length(a) <= 3");
  EXPECT_EQ(
      error_of([&] { database->execute("delete from \"16a\""); }),
      "-2147217865 " + path.string() + ": cannot run delete from \"16a\": no such table: 16a");

  std::ofstream(dir / "damaged.mdb") << std::string(4096, 'x');
  EXPECT_EQ(
      error_of([&] {
        sqlite_engine().open(dir / "damaged.mdb", OpenMode::Existing)->execute("delete from t");
      }),
      "-2147467259 " + (dir / "damaged.mdb").string() +
          ": cannot run delete from t: file is not a database");
}

TEST(Database, OnlyACommittedTransactionChangesTheDatabase) {
  const fs::path path = testing::scratch_dir() / "host.db";
  auto database = with_table(path);
  database->execute("insert into t (a) values ('old')");
  {
    Transaction transaction(*database);
    database->execute("delete from t");
    database->execute("insert into t (a) values ('new')");
  }
  EXPECT_EQ(column_a(*database), std::vector<std::string>{"old"});
  {
    Transaction transaction(*database);
    database->execute("delete from t");
    database->execute("insert into t (a) values ('new')");
    transaction.commit();
  }
  database.reset();
  EXPECT_EQ(column_a(*sqlite_engine().open(path, OpenMode::Existing)),
            std::vector<std::string>{"new"});
}

// The Nth call of a kind fails as the fault says; the calls around it go through.
TEST(DatabaseFaults, TheChosenCallFailsWithItsTroubleAndTheRestGoThrough) {
  const fs::path dir = testing::scratch_dir(), path = dir / "host.db";
  with_table(path)->execute("insert into t (a) values ('old')");
  const struct {
    DatabaseFault fault;
    std::string error;
  } cases[] = {
      {{.call = DatabaseCall::Open, .trouble = DatabaseTrouble::Damaged},
       "-2147467259 " + path.string() + ": cannot open the database: file is not a database"},
      {{.call = DatabaseCall::Begin, .trouble = DatabaseTrouble::Locked},
       "-2147467259 " + path.string() + ": cannot begin a transaction: database is locked"},
      {{.call = DatabaseCall::Step, .nth = 2, .trouble = DatabaseTrouble::Statement},
       "-2147217900 " + path.string() + ": cannot run the statement: constraint failed"},
      {{.call = DatabaseCall::Commit, .trouble = DatabaseTrouble::Io},
       "57 " + path.string() + ": cannot commit: disk I/O error"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    FaultInjectingDatabaseEngine faulty({c.fault});
    DatabaseEngineOverride in_place(faulty);
    EXPECT_EQ(error_of([&] {
                auto database = database_engine().open(path, OpenMode::Existing);
                Transaction transaction(*database);
                database->execute("delete from t");
                database->execute("insert into t (a) values ('new')");
                transaction.commit();
              }),
              c.error);
    const bool begun = c.fault.call != DatabaseCall::Open && c.fault.call != DatabaseCall::Begin;
    EXPECT_EQ(faulty.rollbacks(), begun ? 1 : 0);
    EXPECT_EQ(column_a(*sqlite_engine().open(path, OpenMode::Existing)),
              std::vector<std::string>{"old"});
  }
  EXPECT_EQ(&database_engine(), &sqlite_engine());
}

}  // namespace
}  // namespace fenwarx
