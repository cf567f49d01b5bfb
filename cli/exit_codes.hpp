#pragma once
// The process exit codes, stable for scripts that call the tool.
namespace fenwarx::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitDataErrors = 1;  // the workbook was checked and holds errors
inline constexpr int kExitUsage = 2;       // bad arguments
inline constexpr int kExitFailure = 3;     // a RuntimeError stopped the command

}  // namespace fenwarx::cli
