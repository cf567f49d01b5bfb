// The challan sheet's columns per form. Forms 26, 27 and 27EQ share their parts;
// Form 24 has no section column, so everything after column 1 sits one column
// to the left.
#include <array>

#include "verify/sheet_columns.hpp"

namespace fenwarx {
namespace {

using S = ChallanStep;

// Forms 26, 27 and 27EQ: columns 1 to 12, the book entry (not on Form 26), the
// computed columns 16 to 23, and Form 27EQ's minor head.
constexpr ChallanAction kHead[] = {
    {2, S::SectionCode},      {3, S::AmountRoundoff}, {4, S::AmountRoundoff},
    {5, S::AmountRoundoff},   {6, S::AmountRoundoff}, {7, S::AmountRoundoff},
    {8, S::Amount},           {8, S::FillTotal, 3, 7}, {8, S::AddToTotal},
    {10, S::BankCode},        {11, S::ChallanDate},   {11, S::Date},
    {12, S::YesNoFlag}};
constexpr ChallanAction kBookEntryColumns[] = {{13, S::BookEntry}, {14, S::BookEntry}};
constexpr ChallanAction kComputed[] = {
    {16, S::Count},   {17, S::Sum, 0},  {18, S::Sum, 1},          {19, S::Sum, 2},
    {20, S::Copy, 6}, {21, S::Copy, 7}, {22, S::Sum, 3},          {22, S::AgainstTotal, 8},
    {23, S::Sum, 4},  {23, S::AgainstTotal, 8}};
constexpr ChallanAction kMinorHead[] = {{24, S::MinorHead}};

constexpr ChallanAction kForm24[] = {
    {2, S::Amount},      {3, S::Amount},          {4, S::Amount},         {5, S::Amount},
    {6, S::Amount},      {7, S::Amount},          {7, S::FillTotal, 2, 6}, {7, S::AddToTotal},
    {9, S::BankCode},    {10, S::ChallanDate},    {10, S::Date},          {11, S::YesNoFlag},
    {12, S::BookEntry},  {13, S::BookEntry},      {15, S::Count},         {16, S::Sum, 0},
    {17, S::Sum, 1},     {18, S::Sum, 2},         {19, S::Copy, 5},       {20, S::Copy, 6},
    {21, S::Sum, 3},     {21, S::AgainstTotal, 7}, {22, S::Sum, 4},       {22, S::AgainstTotal, 7}};

constexpr BookEntryColumns kBookEntry{12, 13, 14};

const std::array<ChallanLayout, 4> kLayouts{{
    {22, false, 7, {11, 12, 13}, 1, {kForm24}},
    {23, true, 8, kBookEntry, 0, {kHead, kComputed}},
    {23, false, 8, kBookEntry, 0, {kHead, kBookEntryColumns, kComputed}},
    {24, false, 8, kBookEntry, 0, {kHead, kBookEntryColumns, kComputed, kMinorHead}},
}};

}  // namespace

const ChallanLayout& challan_layout(Form form) { return kLayouts[static_cast<std::size_t>(form)]; }

}  // namespace fenwarx
