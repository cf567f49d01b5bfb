#pragma once
// The public text operations of every return object: fixed-width padding, find and
// replace, control-character removal, zero filling, a timed pause, the version.
#include <string>
#include <string_view>

#include "platform/ui/ui.hpp"
#include "platform/values/variant.hpp"

namespace fenwarx {

class ReturnObject;

// `num` is the platform's 16-bit integer; a negative `num` is RuntimeError 5.
std::string AddSpace(std::string_view STR, int num);
Variant xplace(std::string_view WhatStr, std::string_view findStr, std::string_view repStr);
std::string xplaceHidetxt(std::string_view WhatStr);
std::string xplaceName(std::string_view sValue);
// The box that names the cell last read and what it held, when its data cannot be
// taken: " Check Value and Correct according to format ", critical icon.
Message format_failure(ReturnObject& self, std::string_view description);
// Stores STR as the last text; a text (points removed) longer than `num` shows the
// " Check Value and Correct according to format " message and gives "".
std::string AddZero(ReturnObject& self, std::string_view STR, int num);
// Waits until the clock's seconds have advanced by delay + 1 from the start.
Variant LoadingDelay(ReturnObject& self, int delay, bool DisplayDelayForm = false);
std::string GetVersion();  // "2.2D "

}  // namespace fenwarx
