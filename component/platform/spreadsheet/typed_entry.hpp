#pragma once
// What a text typed into a cell reads as, before the cell's format has its say.
#include <string_view>

#include "platform/values/variant.hpp"

namespace fenwarx {

// A leading apostrophe makes the rest a text; a text that reads wholly as a number
// (thousands separators allowed), or as one followed by "%" (hundredths), is a
// Number; a day-first date a Date; TRUE / FALSE in any case a Boolean; an error
// text such as "#N/A" an Error. Anything else is the text exactly as typed.
Variant read_typed(std::string_view text);

}  // namespace fenwarx
