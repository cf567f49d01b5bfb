#pragma once
// The certificate host as the component finds it: the ini file in the system
// folder naming the host's folder, and the files it needs there.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "state/message_texts.hpp"

namespace fenwarx {

class ReturnObject;

inline constexpr std::string_view kHostIni = "quondapath.ini";

// A file the host needs, and the message that says it is missing.
struct HostFile {
  std::string_view name;
  texts::Notice missing;
};
inline constexpr std::array<HostFile, 3> kHostFiles{{
    {.name = "Brelmo.mdb", .missing = texts::kNoHostFiles},
    {.name = "Quonda.mdb", .missing = texts::kNoResourceFiles},
    {.name = "Plomberg.EXE", .missing = texts::kNoUtility},
}};
inline constexpr std::string_view kHostMainDatabase = kHostFiles[0].name;
inline constexpr std::string_view kHostDatabase = kHostFiles[1].name;  // the certificate tables
inline constexpr std::string_view kHostUtility = kHostFiles[2].name;

// The system folder the object's platform names, else the platform's own.
std::filesystem::path system_folder_of(const ReturnObject& self);

// A file of the host: its folder as the ini file names it, joined to the name.
std::filesystem::path host_file(const std::string& host, std::string_view name);

// The host's folder when the ini file names one and the host's files are all
// there, tested in the order of kHostFiles; otherwise the message saying what is
// missing (the ini file's first) has been shown and there is none.
std::optional<std::string> checked_host(ReturnObject& self);

}  // namespace fenwarx
