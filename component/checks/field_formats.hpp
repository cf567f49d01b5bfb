#pragma once
// How values are written into the return file's fields, and how a finished
// record becomes a line of the single-byte file.
#include <string>
#include <string_view>

#include "layout/record_tables.hpp"

namespace fenwarx {

// An amount or rate that is no number is written as it stands, a date that is no
// date with "/", "\" and "-" removed; strict amounts fail instead.
std::string amount_field(std::string_view text);
std::string strict_amount_field(std::string_view text);  // RuntimeError 13 for no number
std::string rate_field(std::string_view text);
std::string date_field(std::string_view text);
// amount_field and rate_field, appended to `out`.
void append_decimal_field(std::string& out, std::string_view text, int decimals);

// Appends the field's text in `format` when the format needs nothing but the
// text; false, appending nothing, for those that look elsewhere (a form's map of
// sections, the field's width) and for a strict amount that is no number.
bool append_plain_format(std::string& out, Format format, std::string_view text);

// Appends the record's text as a line: tabs and line breaks inside fields removed,
// characters the single-byte file cannot hold as "?", then CR LF.
void append_line(std::string& out, std::string_view record);

}  // namespace fenwarx
