#pragma once
// The certificate layout: the cells the certificate generation reads and what it
// writes into the certificate host's tables. A workbook in this layout has the
// return workbook's deductor (collector) sheet, and a deductee (collectee) sheet
// of the same name laid out otherwise: one certificate row per sheet row from row
// 2, the section in column 1, the PAN in 3, the name in 4, and so on (kRow). A
// return workbook is laid out in it (kFill) before its certificates are made.
#include <array>
#include <string_view>
#include <variant>

#include "layout/code_lists.hpp"
#include "layout/roles.hpp"

namespace fenwarx::certificate_layout {

inline constexpr int kFirstRow = 2;
// The texts of these columns, equal in two rows, make them rows of one certificate.
inline constexpr std::array<int, 3> kKeyColumns{1, 4, 21};
// A row whose first column is empty ends the certificate rows.
inline constexpr int kSectionColumn = 1;

// Where a value written into the host's tables comes from.
struct Fixed {  // this text, as it stands
  std::string_view text;
};
struct FixedNumber {
  long long number;
};
struct DeductorCell {  // column 2 of a row of the deductor sheet
  int row;
};
struct YearCell {};  // the deductor sheet's cell the export takes the year from
struct Today {};     // today's date, dd/MMM/yyyy
struct RowCell {     // a cell of the certificate row
  int column;
};
struct CertificateNumber {};
struct DescribedSection {  // the text of `column`, or of `fallback` when that is empty
  int column;
  int fallback;
};

// The host's company row: its 42 values by position.
using CompanySource = std::variant<FixedNumber, Fixed, DeductorCell, YearCell, Today>;
struct CompanyValue {
  int position;
  CompanySource source;
};

// clang-format off
inline constexpr std::array<CompanyValue, 42> kCompany{{
    {.position = 1, .source = FixedNumber{1}},
    {.position = 2, .source = Fixed{"1"}},
    {.position = 3, .source = DeductorCell{3}},
    {.position = 4, .source = DeductorCell{3}},
    {.position = 5, .source = DeductorCell{4}},
    {.position = 6, .source = DeductorCell{5}},
    {.position = 7, .source = DeductorCell{6}},
    {.position = 8, .source = DeductorCell{7}},
    {.position = 9, .source = DeductorCell{8}},
    {.position = 10, .source = DeductorCell{9}},
    {.position = 11, .source = DeductorCell{10}},
    {.position = 12, .source = Fixed{"EMAIL"}},
    {.position = 13, .source = Fixed{"OrgType"}},
    {.position = 14, .source = Today{}},
    {.position = 15, .source = Today{}},
    {.position = 16, .source = DeductorCell{2}},
    {.position = 17, .source = Fixed{"panward"}},
    {.position = 18, .source = DeductorCell{1}},
    {.position = 19, .source = DeductorCell{36}},
    {.position = 20, .source = DeductorCell{5}},
    {.position = 21, .source = DeductorCell{13}},
    {.position = 22, .source = DeductorCell{15}},
    {.position = 23, .source = DeductorCell{16}},
    {.position = 24, .source = DeductorCell{17}},
    {.position = 25, .source = DeductorCell{18}},
    {.position = 26, .source = DeductorCell{19}},
    {.position = 27, .source = DeductorCell{20}},
    {.position = 28, .source = DeductorCell{21}},
    {.position = 29, .source = DeductorCell{22}},
    {.position = 30, .source = DeductorCell{23}},
    {.position = 31, .source = Fixed{"chkRespAddChange"}},
    {.position = 32, .source = DeductorCell{26}},
    {.position = 33, .source = DeductorCell{27}},
    {.position = 34, .source = Fixed{"UserName"}},
    {.position = 35, .source = Fixed{"Password"}},
    {.position = 36, .source = Fixed{"UserStatus"}},
    {.position = 37, .source = DeductorCell{11}},
    {.position = 38, .source = DeductorCell{12}},
    {.position = 39, .source = DeductorCell{24}},
    {.position = 40, .source = DeductorCell{25}},
    {.position = 41, .source = Fixed{"RespFatherName"}},
    {.position = 42, .source = YearCell{}},
}};
// clang-format on

// The host's certificate table and the columns of one of its rows, in the order
// the certificate generation lists them.
inline constexpr std::string_view kCompanyTable = "mstcompany";
inline constexpr std::string_view kRowTable = "16a";
using RowSource = std::variant<Fixed, RowCell, CertificateNumber, DescribedSection>;
struct RowValue {
  std::string_view column;
  RowSource source;
};

// clang-format off
inline constexpr std::array<RowValue, 28> kRow{{
    {.column = "ID", .source = Fixed{"1"}},
    {.column = "PName", .source = RowCell{4}},
    {.column = "Block1", .source = RowCell{5}},
    {.column = "Build2", .source = RowCell{6}},
    {.column = "PostOffice3", .source = RowCell{7}},
    {.column = "SubDivi4", .source = RowCell{8}},
    {.column = "District", .source = RowCell{9}},
    {.column = "State", .source = RowCell{10}},
    {.column = "Pincode", .source = RowCell{11}},
    {.column = "Residency", .source = Fixed{"Residency"}},
    {.column = "PANNo", .source = RowCell{3}},
    {.column = "Status", .source = Fixed{"status"}},
    {.column = "TDSCertificate", .source = RowCell{25}},
    {.column = "TaxSection", .source = RowCell{1}},
    {.column = "AmountPaid", .source = RowCell{12}},
    {.column = "DteAmountPaid", .source = RowCell{13}},
    {.column = "RateofTax", .source = RowCell{14}},
    {.column = "AmtOfTax", .source = RowCell{16}},
    {.column = "DteOfDeduction", .source = RowCell{17}},
    {.column = "DteOfDeposit", .source = RowCell{18}},
    {.column = "ChallanNo", .source = RowCell{20}},
    {.column = "DteIssCerti", .source = RowCell{21}},
    {.column = "Reason", .source = RowCell{22}},
    {.column = "BankName", .source = RowCell{23}},
    {.column = "BranchName", .source = RowCell{24}},
    {.column = "TDSIssueNo", .source = CertificateNumber{}},
    {.column = "AmtInWords", .source = Fixed{"AmtInWords"}},
    {.column = "SectionDescription", .source = DescribedSection{.column = 26, .fallback = 1}},
}};
// clang-format on

// A verified return laid out in this layout: what fills each column of a
// certificate row, one row per deductee record. The other columns stay empty.
struct DeducteeField {
  DeducteeColumn role;
};
struct ChallanField {  // of the challan whose serial the deductee names
  ChallanColumn role;
};
struct IssueDate {};         // today, dd/MMM/yyyy
struct SectionDescribed {};  // the description of the row's section
using FillSource = std::variant<DeducteeField, ChallanField, IssueDate, SectionDescribed>;
struct FillColumn {
  int column;
  FillSource source;
};

// clang-format off
inline constexpr std::array<FillColumn, 14> kFill{{
    {.column = 1, .source = DeducteeField{DeducteeColumn::Section}},
    {.column = 3, .source = DeducteeField{DeducteeColumn::Pan}},
    {.column = 4, .source = DeducteeField{DeducteeColumn::Name}},
    {.column = 12, .source = DeducteeField{DeducteeColumn::AmountPaid}},
    {.column = 13, .source = DeducteeField{DeducteeColumn::PaymentDate}},
    {.column = 14, .source = DeducteeField{DeducteeColumn::Rate}},
    {.column = 16, .source = DeducteeField{DeducteeColumn::TotalTax}},
    {.column = 17, .source = DeducteeField{DeducteeColumn::DeductionDate}},
    {.column = 18, .source = ChallanField{ChallanColumn::DepositDate}},
    {.column = 20, .source = DeducteeField{DeducteeColumn::ChallanSerial}},
    {.column = 21, .source = IssueDate{}},
    {.column = 22, .source = DeducteeField{DeducteeColumn::Reason}},
    {.column = 23, .source = ChallanField{ChallanColumn::BsrCode}},
    {.column = 26, .source = SectionDescribed{}},
}};
// clang-format on

// The section a row of `form` states when its record names none, so that the row
// is never taken for the end of the certificate rows: Form 24 pays salaries, Form
// 27EQ has one code; "" where a verified return always names one.
constexpr std::string_view fallback_section(Form form) {
  if (form == Form::F24) return kSalarySection;
  const auto codes = section_codes(form);
  return codes.size() == 1 ? codes.front() : std::string_view();
}

// The tables list their positions and fill columns in order, once each.
consteval bool in_order() {
  for (std::size_t i = 0; i < kCompany.size(); ++i)
    if (kCompany[i].position != static_cast<int>(i) + 1) return false;
  for (std::size_t i = 1; i < kFill.size(); ++i)
    if (kFill[i].column <= kFill[i - 1].column) return false;
  return kFill.front().column == kSectionColumn;
}
static_assert(in_order());

}  // namespace fenwarx::certificate_layout
