#include "platform/database/database.hpp"

namespace fenwarx {
namespace {

thread_local DatabaseEngine* substitute = nullptr;

int number_of(DatabaseTrouble trouble) {
  switch (trouble) {
    case DatabaseTrouble::Statement: return err::kDatabaseStatement;
    case DatabaseTrouble::NoTable: return err::kDatabaseNoTable;
    case DatabaseTrouble::Missing: return err::kFileNotFound;
    case DatabaseTrouble::Io: return err::kDeviceIo;
    case DatabaseTrouble::Locked:
    case DatabaseTrouble::Damaged: break;
  }
  return err::kDatabaseFailed;
}

}  // namespace

RuntimeError database_error(DatabaseTrouble trouble, const std::filesystem::path& path,
                            std::string_view action, std::string_view reason) {
  std::string description = path.string();
  description.append(": ").append(action).append(": ").append(reason);
  return RuntimeError(number_of(trouble), std::move(description));
}

void Statement::run() {
  while (step()) {
  }
}

void Database::execute(std::string_view sql) { prepare(sql)->run(); }

Transaction::Transaction(Database& database) : database_(database) { database_.begin(); }

Transaction::~Transaction() {
  if (open_) database_.rollback();
}

void Transaction::commit() {
  database_.commit();
  open_ = false;
}

DatabaseEngine& database_engine() { return substitute ? *substitute : sqlite_engine(); }

DatabaseEngineOverride::DatabaseEngineOverride(DatabaseEngine& engine) : previous_(substitute) {
  substitute = &engine;
}

DatabaseEngineOverride::~DatabaseEngineOverride() { substitute = previous_; }

}  // namespace fenwarx
