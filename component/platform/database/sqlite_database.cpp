// The database engine on SQLite: the one file that includes its header.
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/database/database.hpp"
#include "platform/files/file_kind.hpp"
#include "platform/files/file_system.hpp"

namespace fenwarx {
namespace {

// How long a statement waits for another connection to let go of the database.
constexpr int kBusyMilliseconds = 2000;

DatabaseTrouble trouble_of(int code, std::string_view message) {
  switch (code & 0xff) {
    case SQLITE_ERROR:
      return message.starts_with("no such table") ? DatabaseTrouble::NoTable
                                                  : DatabaseTrouble::Statement;
    case SQLITE_CONSTRAINT:
    case SQLITE_TOOBIG:
    case SQLITE_MISMATCH:
    case SQLITE_RANGE: return DatabaseTrouble::Statement;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return DatabaseTrouble::Locked;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return DatabaseTrouble::Damaged;
    case SQLITE_CANTOPEN: return DatabaseTrouble::Missing;
    default: return DatabaseTrouble::Io;
  }
}

// What a statement is, in a failure's text: its words up to the first parenthesis.
std::string action_of(std::string_view sql) {
  std::string_view head = sql.substr(0, sql.find('('));
  while (!head.empty() && (head.back() == ' ' || head.back() == '\n')) head.remove_suffix(1);
  while (!head.empty() && (head.front() == ' ' || head.front() == '\n')) head.remove_prefix(1);
  if (head.size() > 60) head = head.substr(0, 60);
  return "cannot run " + std::string(head);
}

// An open connection, shared by the database and its statements: it closes when
// the last of them goes, so a statement may outlive the object it came from.
struct Connection {
  Connection(std::filesystem::path file, sqlite3* open) : path(std::move(file)), handle(open) {
    sqlite3_extended_result_codes(handle, 1);
    sqlite3_busy_timeout(handle, kBusyMilliseconds);
  }
  ~Connection() { sqlite3_close_v2(handle); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  RuntimeError failure(int code, std::string_view action) const {
    const char* message = sqlite3_errmsg(handle);
    return database_error(trouble_of(code, message), path, action, message);
  }

  std::filesystem::path path;
  sqlite3* handle;
};

class SqliteStatement final : public Statement {
 public:
  SqliteStatement(std::shared_ptr<Connection> connection, sqlite3_stmt* statement,
                  std::string action)
      : connection_(std::move(connection)), statement_(statement), action_(std::move(action)) {}
  ~SqliteStatement() override { sqlite3_finalize(statement_); }

  void bind(int parameter, std::string_view text) override {
    bind_text(parameter, text, SQLITE_TRANSIENT);
  }
  void bind_borrowed(int parameter, std::string_view text) override {
    bind_text(parameter, text, SQLITE_STATIC);
  }
  void bind(int parameter, long long number) override {
    check_bound(sqlite3_bind_int64(statement_, parameter, number));
  }
  bool step() override {
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    RuntimeError error = connection_->failure(code, action_);
    sqlite3_reset(statement_);
    throw error;
  }
  void reset() override {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
  }
  int column_count() const override { return sqlite3_data_count(statement_); }
  std::string column_text(int column) const override {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return text ? std::string(text,
                              static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
                : std::string();
  }
  bool column_is_null(int column) const override {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
  }

 private:
  void bind_text(int parameter, std::string_view text, sqlite3_destructor_type copy) {
    if (text.size() > INT_MAX)
      throw database_error(DatabaseTrouble::Statement, connection_->path, action_,
                           "a text too big to bind");
    check_bound(
        sqlite3_bind_text(statement_, parameter, text.data(), static_cast<int>(text.size()), copy));
  }
  void check_bound(int code) {
    if (code != SQLITE_OK) throw connection_->failure(code, action_);
  }

  std::shared_ptr<Connection> connection_;
  sqlite3_stmt* statement_;
  std::string action_;
};

class SqliteDatabase final : public Database {
 public:
  SqliteDatabase(std::filesystem::path path, sqlite3* handle)
      : connection_(std::make_shared<Connection>(std::move(path), handle)) {}

  const std::filesystem::path& path() const override { return connection_->path; }

  std::unique_ptr<Statement> prepare(std::string_view sql) override {
    sqlite3_stmt* statement = nullptr;
    const int code = sqlite3_prepare_v2(connection_->handle, sql.data(),
                                        static_cast<int>(sql.size()), &statement, nullptr);
    if (code != SQLITE_OK) {
      sqlite3_finalize(statement);
      throw connection_->failure(code, action_of(sql));
    }
    return std::make_unique<SqliteStatement>(connection_, statement, action_of(sql));
  }

  void begin() override { run("begin immediate", "cannot begin a transaction"); }
  void commit() override { run("commit", "cannot commit"); }
  void rollback() override {
    if (sqlite3_get_autocommit(connection_->handle) == 0)
      sqlite3_exec(connection_->handle, "rollback", nullptr, nullptr, nullptr);
  }

 private:
  void run(const char* sql, std::string_view action) {
    const int code = sqlite3_exec(connection_->handle, sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) throw connection_->failure(code, action);
  }

  std::shared_ptr<Connection> connection_;
};

// A new file, made here so that an existing one is never taken over: the engine
// itself would open it.
void create_exclusively(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd >= 0) {
    ::close(fd);
    return;
  }
  const int error = errno;
  if (error == EEXIST)
    throw RuntimeError(err::kFileExists, "File already exists: " + path.string());
  if (error == ENOENT || error == ENOTDIR)
    throw RuntimeError(err::kPathNotFound, "Path not found: " + path.parent_path().string());
  if (error == EACCES || error == EPERM || error == EROFS)
    throw RuntimeError(err::kPermission, "Permission denied: " + path.string());
  throw database_error(DatabaseTrouble::Io, path, "cannot create the database",
                       std::strerror(error));
}

class SqliteEngine final : public DatabaseEngine {
 public:
  std::unique_ptr<Database> open(const std::filesystem::path& path, OpenMode mode) override {
    if (mode == OpenMode::CreateNew) return create(path);
    struct stat info {};
    if (file_system().stat(path.c_str(), &info) != 0)
      throw RuntimeError(err::kFileNotFound, "File not found: " + path.string());
    require_regular_file(path, info.st_mode);
    return connect(path, mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
  }

 private:
  static std::unique_ptr<SqliteDatabase> connect(const std::filesystem::path& path, int flags) {
    sqlite3* handle = nullptr;
    // A connection serves one thread: the engine's own locking would only cost.
    const int code = sqlite3_open_v2(path.c_str(), &handle, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) {
      const std::string reason = handle ? sqlite3_errmsg(handle) : sqlite3_errstr(code);
      sqlite3_close_v2(handle);
      throw database_error(trouble_of(code, reason), path, "cannot open the database", reason);
    }
    return std::make_unique<SqliteDatabase>(path, handle);
  }

  static std::unique_ptr<Database> create(const std::filesystem::path& path) {
    create_exclusively(path);
    try {
      auto database = connect(path, SQLITE_OPEN_READWRITE);
      // Writes the file's header: an empty file is not yet a database to other programs.
      database->execute("pragma user_version = 0");
      return database;
    } catch (...) {
      ::unlink(path.c_str());
      throw;
    }
  }
};

}  // namespace

DatabaseEngine& sqlite_engine() {
  static SqliteEngine engine;
  return engine;
}

}  // namespace fenwarx
