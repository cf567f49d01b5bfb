#pragma once
// What the challan check and the deductee walk do in each column, per form, as
// tables: one walk reads them. A column's steps run in table order, so where a
// form stores a field before checking it (or after), its table says so.
#include <array>
#include <cstdint>
#include <span>

#include "returns/form_profile.hpp"
#include "verify/walk_checks.hpp"

namespace fenwarx {

enum class ChallanStep : std::uint8_t {
  SectionCode,
  AmountRoundoff,
  Amount,
  FillTotal,     // the cell <- sum of columns a..b
  AddToTotal,    // challan total += the cell
  BankCode,      // at most 7 characters
  ChallanDate,   // present and not after today
  Date,          // CheckDate
  YesNoFlag,
  BookEntry,
  Count,         // the cell <- the deductee rows naming this challan
  Sum,           // the cell <- tallied deductee sum a (0-4)
  Copy,          // the cell <- the text of column a; the record keeps "0.00"
  AgainstTotal,  // not above the total column
  MinorHead,
};

struct ChallanAction {
  int column;
  ChallanStep step;
  int a = 0, b = 0;
};

struct ChallanLayout {
  int columns;
  bool delete_row_check;  // Form 26 flags an empty first row before the data
  int total_column;
  BookEntryColumns book_entry;
  int record_shift;  // column N >= 2 is kept at record index N - 1 + shift
  // Runs of actions in ascending columns, one run after another.
  std::array<std::span<const ChallanAction>, 4> parts;
};
const ChallanLayout& challan_layout(Form form);

enum class DeducteeStep : std::uint8_t {
  Store,          // record field a <- the cell's text
  StoreCleaned,   // record field a <- the cell's text without control characters
  CleanName,      // the cell <- its text as a name
  Clear,          // the cell <- ""
  RoundWhole,     // the cell <- its leading number, rounded (halves to even)
  SectionCode,
  DeducteeCode,
  Pan10,
  PanRef,
  Amount,
  YesNo,
  YesNoStrict,
  RateAmount,
  RateNill,
  AorB,
  BankCode,
  AddAmount,        // amount total += the cell's leading number
  AddTax,           // tax total += the cell's leading number
  SumTax,           // the cell <- columns a + b + c
  CoversTax,        // column a not below column b, else mark column c
  CoversTaxStrict,  // the same, both converted as numbers
  DeductionDate,    // a = tax column; b = 1: cleared on a nil tax, else on a nil date
  NilRateDate,      // cleared when nil and rate or tax is nil, else a quarter date
  ChallanSerial,    // a = column exempting a nil row (0: none); b = 1: skipped when nil
  Date,             // CheckDate within no financial-year end
};

struct DeducteeAction {
  int column;
  DeducteeStep step;
  int a = 0, b = 0, c = 0;
};
std::span<const DeducteeAction> deductee_actions(Form form);

}  // namespace fenwarx
