#pragma once
// What each row of the deductor sheet and each column of the other sheets holds,
// by name. Where a field stands differs between the forms (workbook_layout.hpp);
// the walks, the records of the return file, the templates and the locator of
// findings name it by its role and ask the form's layout for its place.
namespace fenwarx {

// Rows of the deductor (collector) sheet, their value in column 2.
enum class DeductorRow : unsigned char {
  Tan,
  Pan,
  Name,
  Branch,
  Flat,
  Premises,
  Road,
  Area,
  Town,
  State,
  Pin,
  StdCode,
  Telephone,
  Email,
  AddressChanged,
  Category,
  ResponsibleName,
  ResponsibleDesignation,
  ResponsibleFlat,
  ResponsiblePremises,
  ResponsibleRoad,
  ResponsibleArea,
  ResponsibleTown,
  ResponsibleState,
  ResponsiblePin,
  ResponsibleStdCode,
  ResponsibleTelephone,
  ResponsibleEmail,
  ResponsibleAddressChanged,
  AssessmentYear,
  FinancialYear,
  NilChallanDate,
  Quarter,
  // Control totals the verification fills in.
  TotalPaid,
  TotalTax,
  ChallanTotal,
  ChallanCount,
  DeducteeCount,
  ReturnType,
  PreparationDate,
  Place,
  VerifierName,
  VerifierDesignation,
  Remarks,
  kCount
};

// Columns of the challan sheet. The last seven before the minor head are filled
// in by the verification from the deductee rows naming the challan.
enum class ChallanColumn : unsigned char {
  SerialNumber,
  Section,
  Tds,
  Surcharge,
  Cess,
  Interest,
  Others,
  TotalDeposited,
  Cheque,
  BsrCode,
  DepositDate,
  BookEntry,
  ChallanNumber,
  TransferVoucher,
  Remarks,
  DeducteeCount,
  TdsOfDeductees,
  SurchargeOfDeductees,
  CessOfDeductees,
  InterestCopy,
  OthersCopy,
  TaxDeductedOfDeductees,
  TaxDepositedOfDeductees,
  MinorHead,
  kCount
};

// Columns of the deductee (collectee) sheet. A deductee record keeps its texts
// by these roles too.
enum class DeducteeColumn : unsigned char {
  SerialNumber,
  EmployeeReference,  // Form 24
  Section,
  Code,
  Pan,
  PanReference,
  Name,
  PurchaseValue,  // Form 27EQ
  AmountPaid,
  PaymentDate,
  BookEntry,
  Rate,
  GrossedUp,
  Tds,
  Surcharge,
  Cess,
  TotalTax,
  DeductionDate,
  TaxDeposited,
  BsrCode,
  DepositDate,
  ChallanSerial,
  Reason,
  Reserved,
  Certificate,
  Remarks,
  kCount
};

// Form 24's salary sheet: one employee's computation for the year.
enum class SalaryColumn : unsigned char {
  SerialNumber,
  Pan,
  Name,
  PeriodFrom,
  PeriodTo,
  Salary,
  Perquisites,
  ProfitsInLieu,
  PreviousEmployerSalary,
  GrossSalary,
  ExemptAllowances,
  Balance,
  OtherIncomeSign,
  OtherIncome,
  GrossTotalIncome,
  Deduction80C,
  Deduction80D,
  OtherDeductions,
  TotalDeductions,
  TotalIncome,
  TaxOnIncome,
  Rebate88,
  Rebate88B,
  Surcharge,
  Cess,
  TotalTaxPayable,
  Relief89,
  NetTaxPayable,
  TdsCurrentEmployer,
  TdsPreviousEmployer,
  TaxOnPerquisites,
  TotalTaxDeducted,
  BalanceSign,
  BalanceAmount,
  kCount
};

// Form 24's perquisite sheet.
enum class PerquisiteColumn : unsigned char {
  EmployeeName,
  SalarySerial,
  AccommodationValue,
  AccommodationRecovered,
  CarValue,
  CarRecovered,
  OtherBenefitsValue,
  OtherBenefitsRecovered,
  Accommodation,
  Car,
  Servants,
  Utilities,
  Loans,
  HolidayMealsGifts,
  OtherPerquisites,
  Total,
  kCount
};

}  // namespace fenwarx
