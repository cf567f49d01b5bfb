#include "platform/database/fault_injection.hpp"

#include <utility>

namespace fenwarx {
namespace {

// The engine's usual words for each trouble.
std::string_view reason_of(DatabaseTrouble trouble) {
  switch (trouble) {
    case DatabaseTrouble::Statement: return "constraint failed";
    case DatabaseTrouble::NoTable: return "no such table";
    case DatabaseTrouble::Locked: return "database is locked";
    case DatabaseTrouble::Damaged: return "file is not a database";
    case DatabaseTrouble::Missing: return "unable to open database file";
    case DatabaseTrouble::Io: break;
  }
  return "disk I/O error";
}

std::string_view action_of(DatabaseCall call) {
  switch (call) {
    case DatabaseCall::Open: return "cannot open the database";
    case DatabaseCall::Prepare:
    case DatabaseCall::Step: return "cannot run the statement";
    case DatabaseCall::Begin: return "cannot begin a transaction";
    case DatabaseCall::Commit: break;
  }
  return "cannot commit";
}

class FaultyStatement final : public Statement {
 public:
  FaultyStatement(FaultInjectingDatabaseEngine& engine, std::unique_ptr<Statement> real,
                  const std::filesystem::path& path)
      : engine_(engine), real_(std::move(real)), path_(path) {}

  void bind(int parameter, std::string_view text) override { real_->bind(parameter, text); }
  void bind_borrowed(int parameter, std::string_view text) override {
    real_->bind_borrowed(parameter, text);
  }
  void bind(int parameter, long long number) override { real_->bind(parameter, number); }
  bool step() override {
    engine_.count(DatabaseCall::Step, path_);
    return real_->step();
  }
  void reset() override { real_->reset(); }
  int column_count() const override { return real_->column_count(); }
  std::string column_text(int column) const override { return real_->column_text(column); }
  bool column_is_null(int column) const override { return real_->column_is_null(column); }

 private:
  FaultInjectingDatabaseEngine& engine_;
  std::unique_ptr<Statement> real_;
  std::filesystem::path path_;
};

class FaultyDatabase final : public Database {
 public:
  FaultyDatabase(FaultInjectingDatabaseEngine& engine, std::unique_ptr<Database> real)
      : engine_(engine), real_(std::move(real)) {}

  const std::filesystem::path& path() const override { return real_->path(); }
  std::unique_ptr<Statement> prepare(std::string_view sql) override {
    engine_.count(DatabaseCall::Prepare, path());
    return std::make_unique<FaultyStatement>(engine_, real_->prepare(sql), path());
  }
  void begin() override {
    engine_.count(DatabaseCall::Begin, path());
    real_->begin();
  }
  void commit() override {
    engine_.count(DatabaseCall::Commit, path());
    real_->commit();
  }
  void rollback() override {
    engine_.count_rollback();
    real_->rollback();
  }

 private:
  FaultInjectingDatabaseEngine& engine_;
  std::unique_ptr<Database> real_;
};

}  // namespace

FaultInjectingDatabaseEngine::FaultInjectingDatabaseEngine(std::vector<DatabaseFault> faults,
                                                           DatabaseEngine& real)
    : faults_(std::move(faults)),
      real_(real),
      counts_(static_cast<std::size_t>(DatabaseCall::Commit) + 1) {}

int FaultInjectingDatabaseEngine::calls(DatabaseCall call) const {
  return counts_[static_cast<std::size_t>(call)];
}

void FaultInjectingDatabaseEngine::count(DatabaseCall call, const std::filesystem::path& path) {
  const int count = ++counts_[static_cast<std::size_t>(call)];
  for (const DatabaseFault& fault : faults_)
    if (fault.call == call && fault.nth == count)
      throw database_error(fault.trouble, path, action_of(call), reason_of(fault.trouble));
}

std::unique_ptr<Database> FaultInjectingDatabaseEngine::open(const std::filesystem::path& path,
                                                             OpenMode mode) {
  count(DatabaseCall::Open, path);
  return std::make_unique<FaultyDatabase>(*this, real_.open(path, mode));
}

}  // namespace fenwarx
