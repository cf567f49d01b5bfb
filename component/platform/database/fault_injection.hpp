#pragma once
// A database engine that fails chosen calls, for tests of what a locked, damaged
// or refusing database does: the Nth call of a kind fails with the trouble given;
// all other calls go through to the engine it wraps. Put it in place with
// DatabaseEngineOverride.
#include <vector>

#include "platform/database/database.hpp"

namespace fenwarx {

enum class DatabaseCall { Open, Prepare, Step, Begin, Commit };

struct DatabaseFault {
  DatabaseCall call;
  int nth = 1;  // counted from 1 over the calls of that kind, across its databases
  DatabaseTrouble trouble = DatabaseTrouble::Locked;
};

class FaultInjectingDatabaseEngine final : public DatabaseEngine {
 public:
  explicit FaultInjectingDatabaseEngine(std::vector<DatabaseFault> faults,
                                        DatabaseEngine& real = sqlite_engine());

  int calls(DatabaseCall call) const;  // made so far, failed or not
  int rollbacks() const noexcept { return rollbacks_; }

  std::unique_ptr<Database> open(const std::filesystem::path& path, OpenMode mode) override;

  // Counts the call; throws the fault's failure when one hits it.
  void count(DatabaseCall call, const std::filesystem::path& path);
  void count_rollback() noexcept { ++rollbacks_; }

 private:
  std::vector<DatabaseFault> faults_;
  DatabaseEngine& real_;
  std::vector<int> counts_;
  int rollbacks_ = 0;
};

}  // namespace fenwarx
