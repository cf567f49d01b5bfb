// The deductee sheet's columns per form, in the order each form runs its steps.
// Form 26 checks a column and then stores what the check left; Form 27 stores most
// columns as typed before checking them; Form 27EQ has one column more (kept in
// field 30) and stores every column but the first before its check; Form 24 keeps
// its columns in the fields the return file reads them from.
#include "verify/sheet_columns.hpp"

namespace fenwarx {
namespace {

using S = DeducteeStep;

constexpr DeducteeAction kForm26[] = {
    {1, S::SectionCode},       {1, S::Store, 1},
    {2, S::DeducteeCode},      {2, S::Store, 2},
    {3, S::Pan10},             {3, S::Store, 3},
    {4, S::PanRef},            {4, S::Store, 4},
    {5, S::CleanName},         {5, S::StoreCleaned, 5},
    {6, S::Amount},            {6, S::AddAmount},         {6, S::Store, 6},
    {7, S::Store, 7},
    {8, S::YesNo},             {8, S::Store, 8},
    {9, S::RateAmount},        {9, S::Store, 9},
    {10, S::Clear},
    {11, S::RoundWhole},       {11, S::Amount},           {11, S::RateNill}, {11, S::Store, 11},
    {12, S::RoundWhole},       {12, S::Amount},           {12, S::Store, 12},
    {13, S::RoundWhole},       {13, S::Amount},           {13, S::Store, 13},
    {14, S::AddTax},           {14, S::SumTax, 11, 12, 13}, {14, S::Amount},
    {14, S::Store, 14},        {14, S::CoversTax, 6, 14, 14},
    {15, S::DeductionDate, 11, 0}, {15, S::Store, 15},
    {16, S::Amount},           {16, S::Store, 16},
    {17, S::BankCode},         {17, S::Store, 17},
    {18, S::Store, 18},
    {19, S::ChallanSerial, 9, 0}, {19, S::Store, 19},
    {20, S::AorB},             {20, S::Store, 20},
    {22, S::Store, 21},
    {23, S::Store, 22},
};

constexpr DeducteeAction kForm27[] = {
    {1, S::SectionCode},       {1, S::Store, 1},
    {2, S::Store, 2},          {2, S::DeducteeCode},
    {3, S::Store, 3},          {3, S::Pan10},
    {4, S::Store, 4},          {4, S::PanRef},
    {5, S::StoreCleaned, 5},   {5, S::CleanName},
    {6, S::Store, 6},          {6, S::Amount},            {6, S::AddAmount},
    {6, S::CoversTaxStrict, 6, 14, 6},
    {7, S::Store, 7},
    {8, S::Store, 8},          {8, S::YesNo},
    {9, S::Store, 9},          {9, S::RateAmount},
    {10, S::Store, 10},        {10, S::YesNoStrict},
    {11, S::Store, 11},        {11, S::Amount},
    {12, S::Store, 12},        {12, S::Amount},
    {13, S::Store, 13},        {13, S::Amount},
    {14, S::Store, 14},        {14, S::SumTax, 11, 12, 13}, {14, S::Amount}, {14, S::AddTax},
    {15, S::NilRateDate},      {15, S::Store, 15},        {15, S::RateNill},
    {16, S::Store, 16},        {16, S::Amount},
    {17, S::Store, 17},        {17, S::BankCode},
    {18, S::Store, 18},
    {19, S::Store, 19},        {19, S::ChallanSerial, 0, 1},
    {20, S::Store, 20},        {20, S::AorB},
    {22, S::Store, 21},
    {23, S::Store, 22},
};

constexpr DeducteeAction kForm27EQ[] = {
    {1, S::SectionCode},       {1, S::Store, 1},
    {2, S::Store, 2},          {2, S::DeducteeCode},
    {3, S::Store, 3},          {3, S::Pan10},
    {4, S::Store, 4},          {4, S::PanRef},
    {5, S::Store, 5},          {5, S::CleanName},
    {6, S::Store, 30},         {6, S::Amount},
    {7, S::Store, 6},          {7, S::Amount},            {7, S::AddAmount},
    {7, S::CoversTax, 7, 15, 7},
    {8, S::Store, 7},
    {9, S::Store, 8},          {9, S::YesNo},
    {10, S::Store, 9},         {10, S::RateAmount},
    {11, S::Store, 10},        {11, S::Clear},
    {12, S::Store, 11},        {12, S::Amount},
    {13, S::Store, 12},        {13, S::Amount},
    {14, S::Store, 13},        {14, S::Amount},
    {15, S::Store, 14},        {15, S::SumTax, 12, 13, 14}, {15, S::Amount}, {15, S::AddTax},
    {16, S::Store, 15},        {16, S::DeductionDate, 12, 0}, {16, S::RateNill},
    {17, S::Store, 16},        {17, S::Amount},
    {18, S::Store, 17},        {18, S::BankCode},
    {19, S::Store, 18},
    {20, S::Store, 19},        {20, S::ChallanSerial, 0, 1},
    {21, S::Store, 20},        {21, S::AorB},
};

// Both totals take the cells as the user left them, before any check.
constexpr DeducteeAction kForm24[] = {
    {4, S::Pan10},             {4, S::Store, 3},
    {5, S::CleanName},         {5, S::Store, 5},
    {6, S::Store, 7},
    {7, S::AddAmount},         {7, S::Amount},            {7, S::Store, 6},
    {8, S::Store, 11},         {8, S::Amount},
    {9, S::Store, 12},         {9, S::Amount},
    {10, S::Store, 13},        {10, S::Amount},
    {11, S::AddTax},           {11, S::SumTax, 9, 10, 8}, {11, S::Amount},  {11, S::Store, 14},
    {12, S::Store, 19},        {12, S::ChallanSerial, 11, 0},
    {13, S::Amount},           {13, S::Store, 16},
    {14, S::DeductionDate, 11, 1}, {14, S::Store, 15},
    {15, S::Date},             {15, S::Store, 28},
    {16, S::AorB},             {16, S::Store, 20},
};

}  // namespace

std::span<const DeducteeAction> deductee_actions(Form form) {
  switch (form) {
    case Form::F24: return kForm24;
    case Form::F27: return kForm27;
    case Form::F27EQ: return kForm27EQ;
    default: return kForm26;
  }
}

}  // namespace fenwarx
