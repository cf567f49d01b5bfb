#pragma once
// The texts the component shows to the user or writes into the workbook, each
// once, as the return workbook's users have always seen them (their spelling
// included). A form's own texts (its export message, its walks' status texts)
// stand in its export profile and its workbook layout.
#include <string>
#include <string_view>

#include "platform/ui/ui.hpp"

namespace fenwarx::texts {

// Verification.
inline constexpr std::string_view kSelectYear = "Select year Once Again !";
// The note beside it: "the financial year cell Deductor Details!B30 is empty".
std::string empty_year_cell(std::string_view sheet, int row, int column);
inline constexpr std::string_view kNoError = "No error.";
inline constexpr std::string_view kVerifiedTitle = " Verificaton Sucess ! ";
std::string errors_found(double count);  // "This sheet contains N errors(s)."
inline constexpr std::string_view kNoDeductee = " Their should be atleast one Deductee ";
inline constexpr std::string_view kNoDataTitle = " No Data Available ";
inline constexpr std::string_view kUnknownQuarter = "Error";

// Salary verification. It rests on the workbook and the financial year that an
// earlier verification or export left on the object.
inline constexpr std::string_view kSalaryNeedsWorkbook =
    "verifySalary needs the workbook of an earlier verification or export: verify first";
inline constexpr std::string_view kSalaryNeedsYear =
    "verifySalary needs the financial year of an earlier verification or export: verify first";
// "verifySalary cannot take '20x5' as the financial year: it needs four digits, such as 2005"
std::string salary_year_unusable(std::string_view year);
// What the salary checks show after a failure's description: the period-date
// check, and the fill of the gross salary.
inline constexpr std::string_view kDateRangeFailure = "CheckDateRange";
inline constexpr std::string_view kGrossSalaryFailure = "Check209";
// "The salary sheets contain N errors(s)."; "The salary sheets contain no error."
std::string salary_errors_found(double count);

// A cell whose data cannot be taken.
inline constexpr std::string_view kFormatTitle = " Check Value and Correct according to format ";

// Export.
inline constexpr std::string_view kVerifyFirst = "Please verify your data correctly";
inline constexpr std::string_view kNoDeposit =
    "You haven't deposit Amount inspite of deduction (Rate greater than zero)";

// Written into the workbook: row markers and the deductor sheet's flag.
inline constexpr std::string_view kEndOfData = "End of Data";
inline constexpr std::string_view kDeleteThisRow = "Delete This Row";
inline constexpr std::string_view kFlagError = "Error";
inline constexpr std::string_view kFlagVerified = "Verified";
inline constexpr std::string_view kFlagExported = "Exported";

// Certificates: the status texts of a run, its stops and the host's missing files.
inline constexpr std::string_view kCertificatesWait = " Please Wait..........";
inline constexpr std::string_view kCheckingResources = " Checking for Resources..........";
inline constexpr std::string_view kUpdatingCompany = " Updating Company..........";
inline constexpr std::string_view kUpdatingDeductees = " Updating Deductee Records..........";
std::string certificate_row_status(int row);  // " Deductee Records No 7 .........."
inline constexpr std::string_view kCertificatesUpdated = " Updated ..........";
// A message box's text under its title.
struct Notice {
  std::string_view text;
  std::string_view title;
};
inline constexpr Notice kErrorInData{
    .text = "Their is Error in Data. Please Verify and Export first then Press for Certificate !",
    .title = "Please Verify Again"};
inline constexpr std::string_view kExportFirst = "Please Export first then Press for Certificate !";
inline constexpr Notice kNoHostPath{.text = " Login in Orlinex Once to Proceed ! ",
                                    .title = " Path not Available "};
inline constexpr Notice kNoHostFiles{.text = " Files are not available ! ",
                                     .title = "File is missing Brelmo.mdb "};
inline constexpr Notice kNoResourceFiles{.text = " Resourse Files are not available ! ",
                                         .title = "File is missing Quonda.mdb"};
inline constexpr Notice kNoUtility{.text = " 'Plomberg' not available ! ",
                                   .title = "File is missing Plomberg.exe "};
// "Certificates not generated: Deductee Details row 7, column 4 (PName): 300
// characters, more than the 255 the host takes. The host database keeps its
// earlier data."
Message certificates_not_written(std::string_view where, std::string_view reason);
// The reason of a value the host cannot hold: "300 characters, more than the 255 the host takes".
std::string too_long_for_host(std::size_t characters, std::size_t most);

// A plain box with a procedure's name joined to the failure's description, as
// the procedures with a handler of their own report what stopped them.
Message procedure_failure(std::string_view procedure, std::string_view description);
// A plain box with the failure's description followed directly by a text of the
// procedure's own, as the salary checks report what stopped them.
Message failure_then(std::string_view description, std::string_view after);

}  // namespace fenwarx::texts
