#pragma once
// The shapes of the codes a return carries, for the checks of the workbook and
// of the return file alike: a PAN is five letters, four digits and a letter, a
// TAN four letters, five digits and a letter. Letters are A to Z only (the
// characters after Z in the code table are no letters), digits 0 to 9; a rule
// that lets case pass upper-cases the text first.
#include <string_view>

namespace fenwarx {

inline constexpr std::string_view kPanShape = "AAAAA9999A";
inline constexpr std::string_view kTanShape = "AAAA99999A";

// True when `text` has a letter wherever `shape` has 'A' and a digit wherever it
// has '9', and no other character.
bool has_shape(std::string_view text, std::string_view shape);
// One of the words that stand in a PAN's place.
bool is_reserved_pan(std::string_view text);

// One-character tests of the PAN and TAN checks of the workbook.
bool IsDigitChar(std::string_view ch);
bool IsLetterChar(std::string_view ch);  // after upper-casing

}  // namespace fenwarx
