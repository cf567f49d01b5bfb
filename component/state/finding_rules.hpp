#pragma once
// Why a cell was marked, in words a user reads beside the cell: the error marker
// keeps the rule with each finding it logs, and the reports name it. Each rule's
// text stands in the table beside this list (finding_rules.cpp).
#include <string_view>

namespace fenwarx {

enum class Rule : unsigned char {
  None,  // a mark cleared
  // Codes and names.
  SectionCode,
  DeducteeCode,
  Pan,
  PanReference,
  Tan,
  BankCode,
  MinorHead,
  Required,
  Length,
  Pin,
  State,
  Category,
  YesNo,
  SignFlag,
  // Amounts and rates.
  AmountMissing,
  AmountNotNumber,
  AmountTooLarge,
  NegativeAmount,
  RateMissing,
  RateRange,
  PositiveAmount,
  AmountBelowTax,
  TaxAtNilRate,
  RateWithoutTax,
  TotalIsZero,
  AboveChallanTotal,
  // Dates.
  NotADate,
  DateAfterToday,
  DateOutsideYear,
  PeriodOutsideYear,
  DateOutsideQuarter,
  DeductionDateMissing,
  DepositDate,
  FinancialYear,
  // Links between sheets and rows.
  ChallanSerial,
  TransferVoucher,
  ChallanNumber,
  RepeatedChallan,
  // Whole cells and rows.
  WalkStopped,
  DataBelowGap,
  DataUnderMarker,
  FileCharacter,
  ErrorValue,
  kCount
};

std::string_view rule_text(Rule rule);

}  // namespace fenwarx
