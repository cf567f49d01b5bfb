#pragma once
// A database as the component reaches it: opened by path, statements prepared once
// and run with bound parameters, rows stepped through, changes made in one
// transaction. Every failure is a RuntimeError naming the file and what failed.
// The engine behind it is chosen per thread, so that a test can put one in place
// that fails a chosen call (fault_injection.hpp).
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/values/runtime_error.hpp"

namespace fenwarx {

// What a failure of the database was, as the engine reports it; the number of the
// RuntimeError follows from it (database_error below).
enum class DatabaseTrouble {
  Statement,  // the statement was refused: a constraint, a value too big, bad SQL
  NoTable,    // the statement names a table the database lacks
  Locked,     // another connection holds the database
  Damaged,    // the file is not a database, or a damaged one
  Missing,    // the file is not there, or cannot be opened
  Io,         // reading or writing the file failed (a full disk among them)
};

// The failure "PATH: ACTION: REASON" ("/h/Quonda.mdb: cannot run insert into \"16a\":
// database is locked"), numbered by the trouble: the numbers the host's engine
// gives a refused statement and a missing table, 53 for a missing file, 57 for an
// I/O error, its generic failure number for a locked or damaged database.
RuntimeError database_error(DatabaseTrouble trouble, const std::filesystem::path& path,
                            std::string_view action, std::string_view reason);

class Statement {
 public:
  virtual ~Statement() = default;

  // Parameters count from 1; texts are copied. To run again, reset() first.
  virtual void bind(int parameter, std::string_view text) = 0;
  // Not copied, for texts bound row after row: the text must stay as it is until
  // the statement is reset.
  virtual void bind_borrowed(int parameter, std::string_view text) = 0;
  virtual void bind(int parameter, long long number) = 0;
  // Runs the statement to its next row: true with a row to read, false once done.
  virtual bool step() = 0;
  // Ready to run again with new parameters (the old ones are cleared).
  virtual void reset() = 0;

  // The row's columns, counted from 0; null reads as "" and 0.
  virtual int column_count() const = 0;
  virtual std::string column_text(int column) const = 0;
  virtual bool column_is_null(int column) const = 0;

  // Runs a statement that returns no rows.
  void run();
};

class Database {
 public:
  virtual ~Database() = default;

  virtual const std::filesystem::path& path() const = 0;
  virtual std::unique_ptr<Statement> prepare(std::string_view sql) = 0;
  // Prepares and runs one statement that returns no rows.
  void execute(std::string_view sql);

  virtual void begin() = 0;     // takes the write lock at once
  virtual void commit() = 0;    // a failed commit leaves the transaction to roll back
  virtual void rollback() = 0;  // never fails: a database that cannot undo keeps its journal
};

// Begins a transaction; unless committed, rolls it back when it goes out of scope.
class Transaction {
 public:
  explicit Transaction(Database& database);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void commit();

 private:
  Database& database_;
  bool open_ = true;
};

enum class OpenMode {
  Existing,   // read and write a database that is there
  ReadOnly,   // read one that is there
  CreateNew,  // a new, empty database; RuntimeError 58 when the file exists
};

class DatabaseEngine {
 public:
  virtual ~DatabaseEngine() = default;
  // RuntimeError 53 naming the file when an existing one is missing, 76 when the
  // folder of a new one is, 58 when a new one would replace a file.
  virtual std::unique_ptr<Database> open(const std::filesystem::path& path, OpenMode mode) = 0;
};

DatabaseEngine& sqlite_engine();

// The engine of the calling thread: a substitute while one is in place, else SQLite.
DatabaseEngine& database_engine();

// Puts `substitute` in place for the calling thread until it goes out of scope.
class DatabaseEngineOverride {
 public:
  explicit DatabaseEngineOverride(DatabaseEngine& substitute);
  ~DatabaseEngineOverride();
  DatabaseEngineOverride(const DatabaseEngineOverride&) = delete;
  DatabaseEngineOverride& operator=(const DatabaseEngineOverride&) = delete;

 private:
  DatabaseEngine* previous_;
};

}  // namespace fenwarx
