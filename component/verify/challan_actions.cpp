// The challan sheet's steps per form. Forms 26, 27 and 27EQ share their parts
// (27 and 27EQ add the book entry, 27EQ the minor head); Form 24 has no section
// column and checks its amounts without rounding them.
#include <array>
#include <span>
#include <vector>

#include "layout/workbook_layout.hpp"
#include "verify/placed_actions.hpp"

namespace fenwarx {
namespace {

using C = ChallanColumn;
using D = DeducteeColumn;
using namespace challan_step;

// A deductee names its challan by the serial number: two challans of one number
// would both take its record.
constexpr ChallanAction kSerial[] = {{.column = C::SerialNumber, .step = UniqueSerial{}}};

// clang-format off
constexpr ChallanAction kHead[] = {
    {.column = C::Section, .step = SectionCode{}},
    {.column = C::Tds, .step = AmountRoundoff{}},
    {.column = C::Surcharge, .step = AmountRoundoff{}},
    {.column = C::Cess, .step = AmountRoundoff{}},
    {.column = C::Interest, .step = AmountRoundoff{}},
    {.column = C::Others, .step = AmountRoundoff{}},
    {.column = C::TotalDeposited, .step = Amount{}},
    {.column = C::TotalDeposited, .step = FillTotal{.first = C::Tds, .last = C::Others, .beside = C::Section}},
    {.column = C::TotalDeposited, .step = AddToTotal{}},
    {.column = C::BsrCode, .step = BankCode{}},
    {.column = C::DepositDate, .step = ChallanDate{}},
    {.column = C::DepositDate, .step = Date{}},
    {.column = C::BookEntry, .step = YesNoFlag{}},
};
// clang-format on

constexpr ChallanAction kBookEntry[] = {
    {.column = C::ChallanNumber, .step = BookEntry{}},
    {.column = C::TransferVoucher, .step = BookEntry{}},
};

constexpr ChallanAction kComputed[] = {
    {.column = C::DeducteeCount, .step = Count{}},
    {.column = C::TdsOfDeductees, .step = Sum{.of = D::Tds}},
    {.column = C::SurchargeOfDeductees, .step = Sum{.of = D::Surcharge}},
    {.column = C::CessOfDeductees, .step = Sum{.of = D::Cess}},
    {.column = C::InterestCopy, .step = Copy{.from = C::Interest}},
    {.column = C::OthersCopy, .step = Copy{.from = C::Others}},
    {.column = C::TaxDeductedOfDeductees, .step = Sum{.of = D::TotalTax}},
    {.column = C::TaxDeductedOfDeductees, .step = AgainstTotal{}},
    {.column = C::TaxDepositedOfDeductees, .step = Sum{.of = D::TaxDeposited}},
    {.column = C::TaxDepositedOfDeductees, .step = AgainstTotal{}},
};

constexpr ChallanAction kMinorHead[] = {{.column = C::MinorHead, .step = MinorHead{}}};

// clang-format off
constexpr ChallanAction kSalaryHead[] = {
    {.column = C::Tds, .step = Amount{}},
    {.column = C::Surcharge, .step = Amount{}},
    {.column = C::Cess, .step = Amount{}},
    {.column = C::Interest, .step = Amount{}},
    {.column = C::Others, .step = Amount{}},
    {.column = C::TotalDeposited, .step = FillTotal{.first = C::Tds, .last = C::Others, .beside = C::Tds}},
    {.column = C::TotalDeposited, .step = AddToTotal{}},
    {.column = C::BsrCode, .step = BankCode{}},
    {.column = C::DepositDate, .step = ChallanDate{}},
    {.column = C::DepositDate, .step = Date{}},
    {.column = C::BookEntry, .step = YesNoFlag{}},
};
// clang-format on

struct FormActions {
  Form form;
  std::array<std::span<const ChallanAction>, 5> parts;
};

constexpr PerForm<FormActions> kActions = per_form<FormActions>({{
    {.form = Form::F24, .parts = {kSerial, kSalaryHead, kBookEntry, kComputed}},
    {.form = Form::F26, .parts = {kSerial, kHead, kComputed}},
    {.form = Form::F27, .parts = {kSerial, kHead, kBookEntry, kComputed}},
    {.form = Form::F27EQ, .parts = {kSerial, kHead, kBookEntry, kComputed, kMinorHead}},
}});

std::vector<PlacedAction<ChallanAction>> placed(Form form) {
  return place_actions(kActions[form_index(form)].parts, workbook_layout(form).challans.columns,
                       "challan");
}

}  // namespace

std::span<const PlacedAction<ChallanAction>> challan_actions(Form form) {
  static const PerForm<std::vector<PlacedAction<ChallanAction>>> kPlaced{
      placed(Form::F24), placed(Form::F26), placed(Form::F27), placed(Form::F27EQ)};
  return kPlaced[form_index(form)];
}

}  // namespace fenwarx
