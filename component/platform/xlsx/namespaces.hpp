#pragma once
// The namespaces every part a workbook package is written with.
#include <string_view>

namespace fenwarx::ns {

inline constexpr std::string_view kMain =
    "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr std::string_view kRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr std::string_view kPackageRelationships =
    "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr std::string_view kContentTypes =
    "http://schemas.openxmlformats.org/package/2006/content-types";

}  // namespace fenwarx::ns
