// The deductee sheet's steps per form, in the order each form runs them. Form 26
// checks a column and then stores what the check left; Forms 27 and 27EQ store
// most columns as typed before checking them; Form 24 sums its totals from the
// cells as typed.
#include <array>
#include <span>
#include <vector>

#include "layout/workbook_layout.hpp"
#include "verify/placed_actions.hpp"

namespace fenwarx {
namespace {

using D = DeducteeColumn;
using namespace deductee_step;

// clang-format off
constexpr DeducteeAction kForm26[] = {
    {.column = D::Section, .step = SectionCode{}},
    {.column = D::Section, .step = Store{}},
    {.column = D::Code, .step = DeducteeCode{}},
    {.column = D::Code, .step = Store{}},
    {.column = D::Pan, .step = Pan10{}},
    {.column = D::Pan, .step = Store{}},
    {.column = D::PanReference, .step = PanRef{}},
    {.column = D::PanReference, .step = Store{}},
    {.column = D::Name, .step = CleanName{}},
    {.column = D::Name, .step = StoreCleaned{}},
    {.column = D::AmountPaid, .step = Amount{}},
    {.column = D::AmountPaid, .step = AddAmount{}},
    {.column = D::AmountPaid, .step = Store{}},
    {.column = D::PaymentDate, .step = Store{}},
    {.column = D::BookEntry, .step = YesNo{}},
    {.column = D::BookEntry, .step = Store{}},
    {.column = D::Rate, .step = RateAmount{}},
    {.column = D::Rate, .step = Store{}},
    {.column = D::GrossedUp, .step = Clear{}},
    {.column = D::Tds, .step = RoundWhole{}},
    {.column = D::Tds, .step = Amount{}},
    {.column = D::Tds, .step = RateNil{}},
    {.column = D::Tds, .step = Store{}},
    {.column = D::Surcharge, .step = RoundWhole{}},
    {.column = D::Surcharge, .step = Amount{}},
    {.column = D::Surcharge, .step = Store{}},
    {.column = D::Cess, .step = RoundWhole{}},
    {.column = D::Cess, .step = Amount{}},
    {.column = D::Cess, .step = Store{}},
    {.column = D::TotalTax, .step = AddTax{}},
    {.column = D::TotalTax, .step = SumTax{.first = D::Tds, .second = D::Surcharge, .third = D::Cess}},
    {.column = D::TotalTax, .step = Amount{}},
    {.column = D::TotalTax, .step = Store{}},
    {.column = D::TotalTax, .step = CoversTax{.amount = D::AmountPaid, .tax = D::TotalTax, .marked = D::TotalTax}},
    {.column = D::DeductionDate, .step = DeductionDate{.tax = D::Tds}},
    {.column = D::DeductionDate, .step = Store{}},
    {.column = D::TaxDeposited, .step = Amount{}},
    {.column = D::TaxDeposited, .step = Store{}},
    {.column = D::BsrCode, .step = BankCode{}},
    {.column = D::BsrCode, .step = Store{}},
    {.column = D::DepositDate, .step = Store{}},
    {.column = D::ChallanSerial, .step = ChallanSerial{.exempting = D::Rate}},
    {.column = D::ChallanSerial, .step = Store{}},
    {.column = D::Reason, .step = AorB{}},
    {.column = D::Reason, .step = Store{}},
    {.column = D::Certificate, .step = Store{}},
    {.column = D::Remarks, .step = Store{}},
};
// clang-format on

// Forms 27 and 27EQ store a column before its check; these parts of their
// sheets run alike.
// clang-format off
constexpr DeducteeAction kPartyStoredFirst[] = {
    {.column = D::Section, .step = SectionCode{}},
    {.column = D::Section, .step = Store{}},
    {.column = D::Code, .step = Store{}},
    {.column = D::Code, .step = DeducteeCode{}},
    {.column = D::Pan, .step = Store{}},
    {.column = D::Pan, .step = Pan10{}},
    {.column = D::PanReference, .step = Store{}},
    {.column = D::PanReference, .step = PanRef{}},
};
// clang-format on

// clang-format off
constexpr DeducteeAction kPaymentStoredFirst[] = {
    {.column = D::PaymentDate, .step = Store{}},
    {.column = D::BookEntry, .step = Store{}},
    {.column = D::BookEntry, .step = YesNo{}},
    {.column = D::Rate, .step = Store{}},
    {.column = D::Rate, .step = RateAmount{}},
};
// clang-format on

// clang-format off
constexpr DeducteeAction kTaxStoredFirst[] = {
    {.column = D::Tds, .step = Store{}},
    {.column = D::Tds, .step = Amount{}},
    {.column = D::Surcharge, .step = Store{}},
    {.column = D::Surcharge, .step = Amount{}},
    {.column = D::Cess, .step = Store{}},
    {.column = D::Cess, .step = Amount{}},
    {.column = D::TotalTax, .step = Store{}},
    {.column = D::TotalTax, .step = SumTax{.first = D::Tds, .second = D::Surcharge, .third = D::Cess}},
    {.column = D::TotalTax, .step = Amount{}},
    {.column = D::TotalTax, .step = AddTax{}},
};
// clang-format on

constexpr DeducteeAction kDepositStoredFirst[] = {
    {.column = D::TaxDeposited, .step = Store{}},
    {.column = D::TaxDeposited, .step = Amount{}},
    {.column = D::BsrCode, .step = Store{}},
    {.column = D::BsrCode, .step = BankCode{}},
    {.column = D::DepositDate, .step = Store{}},
    {.column = D::ChallanSerial, .step = Store{}},
    {.column = D::ChallanSerial, .step = ChallanSerial{.skipped_when_nil = true}},
    {.column = D::Reason, .step = Store{}},
    {.column = D::Reason, .step = AorB{}},
};

// clang-format off
constexpr DeducteeAction kForm27Own[] = {
    {.column = D::Name, .step = StoreCleaned{}},
    {.column = D::Name, .step = CleanName{}},
    {.column = D::AmountPaid, .step = Store{}},
    {.column = D::AmountPaid, .step = Amount{}},
    {.column = D::AmountPaid, .step = AddAmount{}},
    {.column = D::AmountPaid, .step = CoversTax{.amount = D::AmountPaid, .tax = D::TotalTax, .marked = D::AmountPaid, .strict = true}},
    {.column = D::GrossedUp, .step = Store{}},
    {.column = D::GrossedUp, .step = YesNoStrict{}},
    {.column = D::DeductionDate, .step = NilRateDate{}},
    {.column = D::DeductionDate, .step = Store{}},
    {.column = D::DeductionDate, .step = RateNil{}},
    {.column = D::Certificate, .step = Store{}},
    {.column = D::Remarks, .step = Store{}},
};
// clang-format on

// clang-format off
constexpr DeducteeAction kForm27EQOwn[] = {
    {.column = D::Name, .step = Store{}},
    {.column = D::Name, .step = CleanName{}},
    {.column = D::PurchaseValue, .step = Store{}},
    {.column = D::PurchaseValue, .step = Amount{}},
    {.column = D::AmountPaid, .step = Store{}},
    {.column = D::AmountPaid, .step = Amount{}},
    {.column = D::AmountPaid, .step = AddAmount{}},
    {.column = D::AmountPaid, .step = CoversTax{.amount = D::AmountPaid, .tax = D::TotalTax, .marked = D::AmountPaid}},
    {.column = D::GrossedUp, .step = Store{}},
    {.column = D::GrossedUp, .step = Clear{}},
    {.column = D::DeductionDate, .step = Store{}},
    {.column = D::DeductionDate, .step = DeductionDate{.tax = D::Tds}},
    {.column = D::DeductionDate, .step = RateNil{}},
};
// clang-format on

// Both totals take the cells as the user left them, before any check. The
// section is kept for the certificates; the return file does not carry it.
// clang-format off
constexpr DeducteeAction kForm24[] = {
    {.column = D::Section, .step = Store{}},
    {.column = D::Pan, .step = Pan10{}},
    {.column = D::Pan, .step = Store{}},
    {.column = D::Name, .step = CleanName{}},
    {.column = D::Name, .step = Store{}},
    {.column = D::PaymentDate, .step = Store{}},
    {.column = D::AmountPaid, .step = AddAmount{}},
    {.column = D::AmountPaid, .step = Amount{}},
    {.column = D::AmountPaid, .step = Store{}},
    {.column = D::Tds, .step = Store{}},
    {.column = D::Tds, .step = Amount{}},
    {.column = D::Surcharge, .step = Store{}},
    {.column = D::Surcharge, .step = Amount{}},
    {.column = D::Cess, .step = Store{}},
    {.column = D::Cess, .step = Amount{}},
    {.column = D::TotalTax, .step = AddTax{}},
    {.column = D::TotalTax, .step = SumTax{.first = D::Surcharge, .second = D::Cess, .third = D::Tds}},
    {.column = D::TotalTax, .step = Amount{}},
    {.column = D::TotalTax, .step = Store{}},
    {.column = D::ChallanSerial, .step = Store{}},
    {.column = D::ChallanSerial, .step = ChallanSerial{.exempting = D::TotalTax}},
    {.column = D::TaxDeposited, .step = Amount{}},
    {.column = D::TaxDeposited, .step = Store{}},
    {.column = D::DeductionDate, .step = DeductionDate{.tax = D::TotalTax, .cleared_on_nil_tax = true}},
    {.column = D::DeductionDate, .step = Store{}},
    {.column = D::DepositDate, .step = Date{}},
    {.column = D::DepositDate, .step = Store{}},
    {.column = D::Reason, .step = AorB{}},
    {.column = D::Reason, .step = Store{}},
};
// clang-format on

// A form's steps, in parts (see placed_actions.hpp).
struct FormActions {
  Form form;
  std::array<std::span<const DeducteeAction>, 5> parts;
};

constexpr PerForm<FormActions> kActions = per_form<FormActions>({{
    {.form = Form::F24, .parts = {kForm24}},
    {.form = Form::F26, .parts = {kForm26}},
    {.form = Form::F27,
     .parts = {kForm27Own, kPartyStoredFirst, kPaymentStoredFirst, kTaxStoredFirst,
               kDepositStoredFirst}},
    {.form = Form::F27EQ,
     .parts = {kForm27EQOwn, kPartyStoredFirst, kPaymentStoredFirst, kTaxStoredFirst,
               kDepositStoredFirst}},
}});

std::vector<const DeducteeAction*> actions_of(Form form) {
  std::vector<const DeducteeAction*> out;
  for (std::span<const DeducteeAction> part : kActions[form_index(form)].parts)
    for (const DeducteeAction& action : part) out.push_back(&action);
  return out;
}

std::vector<PlacedAction<DeducteeAction>> placed(Form form) {
  return place_actions(kActions[form_index(form)].parts, workbook_layout(form).deductees.columns,
                       "deductee");
}

// The columns a step may write into.
std::vector<int> written_columns(const PlacedAction<DeducteeAction>& placed,
                                 const FieldTable<DeducteeColumn>& columns) {
  const DeducteeStep& step = placed.action->step;
  if (std::holds_alternative<Store>(step) || std::holds_alternative<StoreCleaned>(step) ||
      std::holds_alternative<AddAmount>(step) || std::holds_alternative<AddTax>(step) ||
      std::holds_alternative<DeducteeCode>(step) || std::holds_alternative<YesNoStrict>(step) ||
      std::holds_alternative<BankCode>(step) || std::holds_alternative<CoversTax>(step) ||
      std::holds_alternative<ChallanSerial>(step))
    return {};
  // A nil rate or tax zeroes the row's challan serial; the other steps write their own cell.
  if (std::holds_alternative<RateNil>(step)) return {columns.of(D::ChallanSerial)};
  return {placed.column};
}

// Steps that take a cell's text into the record or a total.
bool takes(const DeducteeStep& step) {
  return std::holds_alternative<Store>(step) || std::holds_alternative<StoreCleaned>(step) ||
         std::holds_alternative<AddAmount>(step) || std::holds_alternative<AddTax>(step);
}

std::vector<PlacedAction<DeducteeAction>> taken_early(
    Form form, std::span<const PlacedAction<DeducteeAction>> placed) {
  const FieldTable<DeducteeColumn>& columns = workbook_layout(form).deductees.columns;
  std::vector<bool> early(placed.size(), false);
  bool amount_early = false, tax_early = false;
  for (std::size_t i = 0; i < placed.size(); ++i) {
    if (!takes(placed[i].action->step)) continue;
    for (std::size_t later = i + 1; later < placed.size() && !early[i]; ++later)
      for (int column : written_columns(placed[later], columns))
        if (column == placed[i].column) early[i] = true;
    if (early[i] && std::holds_alternative<AddAmount>(placed[i].action->step)) amount_early = true;
    if (early[i] && std::holds_alternative<AddTax>(placed[i].action->step)) tax_early = true;
  }
  std::vector<PlacedAction<DeducteeAction>> out;
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const DeducteeStep& step = placed[i].action->step;
    if (early[i] || (std::holds_alternative<AddAmount>(step) && amount_early) ||
        (std::holds_alternative<AddTax>(step) && tax_early))
      out.push_back(placed[i]);
  }
  return out;
}

}  // namespace

std::span<const PlacedAction<DeducteeAction>> deductee_steps_taken_early(Form form) {
  static const PerForm<std::vector<PlacedAction<DeducteeAction>>> kEarly{
      taken_early(Form::F24, deductee_actions(Form::F24)),
      taken_early(Form::F26, deductee_actions(Form::F26)),
      taken_early(Form::F27, deductee_actions(Form::F27)),
      taken_early(Form::F27EQ, deductee_actions(Form::F27EQ))};
  return kEarly[form_index(form)];
}

std::span<const PlacedAction<DeducteeAction>> deductee_actions(Form form) {
  static const PerForm<std::vector<PlacedAction<DeducteeAction>>> kPlaced{
      placed(Form::F24), placed(Form::F26), placed(Form::F27), placed(Form::F27EQ)};
  return kPlaced[form_index(form)];
}

bool deductee_column_stored(Form form, DeducteeColumn column) {
  for (const DeducteeAction* action : actions_of(form))
    if (action->column == column && (std::holds_alternative<Store>(action->step) ||
                                     std::holds_alternative<StoreCleaned>(action->step)))
      return true;
  return false;
}

}  // namespace fenwarx
