#pragma once
// The certificate host's tables as the stand-in host creates them: the company
// table of 42 columns and the certificate table with the columns of a
// certificate row. Their text columns hold at most 255 characters, as the host's
// do, so that a longer value fails its statement rather than being cut.
#include <cstddef>
#include <string>

#include "platform/database/database.hpp"

namespace fenwarx {

inline constexpr std::size_t kHostTextLength = 255;

// "Value1" ... "Value42": the host reads its company row by position.
std::string company_column(int position);

// Creates both tables in an empty database.
void create_host_tables(Database& database);

}  // namespace fenwarx
