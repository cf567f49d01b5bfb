// The record tables of the return file. Forms 26, 27 and 27EQ write the same
// headers and challans; a form's own differences are the rows that differ: Form
// 27EQ writes the value of purchase in DD 21; Form 24 states two more totals in
// its batch header, takes its challans' section from the deductor's category and
// their amounts by their leading numbers, writes the date of deposit in DD 25 and
// no rate, and dates a nil challan at the quarter's end.
#include "layout/record_tables.hpp"

#include <algorithm>
#include <array>
#include <iterator>

namespace fenwarx {
namespace {

using namespace source;
using C = ChallanColumn;
using D = DeducteeColumn;
using R = DeductorRow;

constexpr Constant kBatch{"1"};

// clang-format off
constexpr ReturnField kFileHeader[] = {
    {.number = 1, .source = LineNumber{}, .check = Check::LineNumber},
    {.number = 2, .source = Constant{"FH"}},
    {.number = 3, .source = FileType{}, .check = Check::FileType},
    {.number = 4, .source = ReturnType{}},
    {.number = 5, .source = Today{}, .check = Check::Date, .required = true},
    {.number = 6, .source = kBatch},
    {.number = 7, .source = Constant{"D"}},
    {.number = 8, .source = Deductor{.row = R::Tan, .trimmed = false}, .max_length = 10,
     .check = Check::Tan},
    {.number = 9, .source = Constant{"1"}, .check = Check::BatchCount},
};
// clang-format on

// BH fields 1 to 47, which every form writes alike.
// clang-format off
constexpr ReturnField kBatchHeaderHead[] = {
    {.number = 1, .source = LineNumber{}, .check = Check::LineNumber},
    {.number = 2, .source = Constant{"BH"}},
    {.number = 3, .source = kBatch, .check = Check::BatchNumber},
    {.number = 4, .source = ChallanCount{}, .check = Check::ChallanCount},
    {.number = 5, .source = FormCode{}, .check = Check::FormCode},
    {.number = 13, .source = Deductor{.row = R::Tan, .trimmed = false}, .max_length = 10,
     .check = Check::Tan},
    {.number = 15, .source = Deductor{.row = R::Pan}, .max_length = 10, .check = Check::Pan},
    {.number = 16, .source = AssessmentYear{}, .check = Check::AssessmentYear},
    {.number = 17, .source = FinancialYear{}, .check = Check::FinancialYear},
    {.number = 18, .source = Deductor{.row = R::Quarter}, .max_length = 2},
    {.number = 19, .source = Deductor{.row = R::Name}, .max_length = 75},
    {.number = 21, .source = Deductor{.row = R::Flat}, .max_length = 25},
    {.number = 22, .source = Deductor{.row = R::Premises}, .max_length = 25},
    {.number = 23, .source = Deductor{.row = R::Road}, .max_length = 25},
    {.number = 24, .source = Deductor{.row = R::Area}, .max_length = 25},
    {.number = 25, .source = Deductor{.row = R::Town}, .max_length = 25},
    {.number = 26, .source = StateCode{.row = R::State}, .max_length = 2},
    {.number = 27, .source = Deductor{.row = R::Pin}, .max_length = 6},
    {.number = 28, .source = Deductor{.row = R::Email}},
    {.number = 29, .source = Deductor{.row = R::StdCode}},
    {.number = 30, .source = Deductor{.row = R::Telephone, .trimmed = false}},
    {.number = 31, .source = Deductor{.row = R::AddressChanged, .trimmed = false},
     .max_length = 1},
    {.number = 32, .source = Deductor{.row = R::Category}, .max_length = 1},
    {.number = 33, .source = Deductor{.row = R::ResponsibleName}, .max_length = 75},
    {.number = 34, .source = Deductor{.row = R::ResponsibleDesignation}},
    {.number = 35, .source = Deductor{.row = R::ResponsibleFlat}, .max_length = 25},
    {.number = 36, .source = Deductor{.row = R::ResponsiblePremises}, .max_length = 25},
    {.number = 37, .source = Deductor{.row = R::ResponsibleRoad}, .max_length = 25},
    {.number = 38, .source = Deductor{.row = R::ResponsibleArea}, .max_length = 25},
    {.number = 39, .source = Deductor{.row = R::ResponsibleTown}, .max_length = 25},
    {.number = 40, .source = StateCode{.row = R::ResponsibleState}, .max_length = 2},
    {.number = 41, .source = Deductor{.row = R::ResponsiblePin}, .max_length = 6},
    {.number = 42, .source = Deductor{.row = R::ResponsibleEmail}},
    {.number = 43, .source = Deductor{.row = R::Remarks}},
    {.number = 44, .source = Deductor{.row = R::ResponsibleStdCode}},
    {.number = 45, .source = Deductor{.row = R::ResponsibleTelephone}},
    {.number = 46, .source = Constant{"N"}},
    {.number = 47, .source = DepositTotal{}, .check = Check::DepositTotal, .required = true},
};
// clang-format on
constexpr ReturnField kBatchHeaderTail[] = {{.number = 51, .source = Constant{"N"}}};

// CD fields 1 to 18 of a challan, which every form writes alike.
// clang-format off
constexpr ReturnField kChallanHead[] = {
    {.number = 1, .source = LineNumber{}, .check = Check::LineNumber},
    {.number = 2, .source = Constant{"CD"}},
    {.number = 3, .source = kBatch, .check = Check::BatchNumber},
    {.number = 4, .source = ChallanSerial{}, .check = Check::ChallanSerial},
    {.number = 5, .source = Challan{C::DeducteeCount}, .format = Format::WholeNumber,
     .check = Check::DeducteeCount},
    {.number = 6, .source = Constant{"N"}, .check = Check::NilIndicator},
    {.number = 12, .source = Challan{C::ChallanNumber}, .format = Format::ZeroPadded,
     .max_length = 5},
    {.number = 14, .source = Challan{C::TransferVoucher}, .format = Format::ZeroPadded,
     .max_length = 9},
    {.number = 16, .source = Challan{C::BsrCode}, .format = Format::ZeroPadded, .max_length = 7},
    {.number = 18, .source = Challan{C::DepositDate}, .format = Format::Date, .check = Check::Date,
     .required = true},
};
// clang-format on

// CD fields 22 to 27: what the challan deposited.
// clang-format off
constexpr ReturnField kChallanAmounts[] = {
    {.number = 22, .source = Challan{C::Tds}, .format = Format::StrictAmount,
     .check = Check::Amount, .required = true},
    {.number = 23, .source = Challan{C::Surcharge}, .format = Format::StrictAmount,
     .check = Check::Amount, .required = true},
    {.number = 24, .source = Challan{C::Cess}, .format = Format::StrictAmount,
     .check = Check::Amount, .required = true},
    {.number = 25, .source = Challan{C::Interest}, .format = Format::StrictAmount,
     .check = Check::Amount, .required = true},
    {.number = 26, .source = Challan{C::Others}, .format = Format::StrictAmount,
     .check = Check::Amount, .required = true},
    {.number = 27, .source = Challan{C::TotalDeposited}, .format = Format::StrictAmount,
     .check = Check::Amount, .required = true, .name = "total", .sum_of = {.first = 22, .last = 26}},
};
// clang-format on

// CD fields 29 to 38: what the deductees under the challan add up to, and how it was paid.
// clang-format off
constexpr ReturnField kChallanTail[] = {
    {.number = 29, .source = Challan{C::TaxDepositedOfDeductees}, .format = Format::AmountOrZero,
     .check = Check::Amount, .required = true, .sums_deductee_field = 19},
    {.number = 30, .source = Challan{C::TdsOfDeductees}, .format = Format::AmountOrZero,
     .check = Check::Amount, .required = true, .sums_deductee_field = 14},
    {.number = 31, .source = Challan{C::SurchargeOfDeductees}, .format = Format::AmountOrZero,
     .check = Check::Amount, .required = true, .sums_deductee_field = 15},
    {.number = 32, .source = Challan{C::CessOfDeductees}, .format = Format::AmountOrZero,
     .check = Check::Amount, .required = true, .sums_deductee_field = 16},
    {.number = 33, .source = Challan{C::TaxDeductedOfDeductees}, .format = Format::AmountOrZero,
     .check = Check::Amount, .required = true, .sums_deductee_field = 17},
    {.number = 34, .source = Challan{C::InterestCopy}, .format = Format::AmountOrZero,
     .check = Check::Amount, .required = true},
    {.number = 35, .source = Challan{C::OthersCopy}, .format = Format::AmountOrZero,
     .check = Check::Amount, .required = true},
    {.number = 36, .source = Cheque{.transfer_field = 14}},
    {.number = 37, .source = Challan{C::BookEntry}, .max_length = 1},
    {.number = 38, .source = Challan{C::Remarks}},
};
// clang-format on

// The fields a list holds, for a C array or a std::array of them.
template <class List>
constexpr std::size_t kFieldsIn = 0;
template <std::size_t N>
constexpr std::size_t kFieldsIn<ReturnField[N]> = N;
template <std::size_t N>
constexpr std::size_t kFieldsIn<std::array<ReturnField, N>> = N;

// Joins field lists into one table's list.
template <class... Lists>
consteval std::array<ReturnField, (kFieldsIn<Lists> + ...)> joined(const Lists&... lists) {
  std::array<ReturnField, (kFieldsIn<Lists> + ...)> out{};
  auto at = out.begin();
  ((at = std::copy(std::begin(lists), std::end(lists), at)), ...);
  return out;
}

constexpr auto kBatchHeader = joined(kBatchHeaderHead, kBatchHeaderTail);
// Form 24's batch header fills fields 49 and 50, a count and an amount, with zero.
// clang-format off
constexpr ReturnField kSalaryTotals[] = {
    {.number = 49, .source = Constant{"0"}, .check = Check::Count, .required = true},
    {.number = 50, .source = Constant{"0.00"}, .check = Check::Amount, .required = true},
};
// clang-format on
constexpr auto kSalaryBatchHeader = joined(kBatchHeaderHead, kSalaryTotals, kBatchHeaderTail);

constexpr ReturnField kChallanSection[] = {
    {.number = 21, .source = Challan{C::Section}, .format = Format::SectionCode}};
constexpr auto kChallan = joined(kChallanHead, kChallanSection, kChallanAmounts, kChallanTail);

// Form 24's challans have no section column: the deductor's category tells the
// code, 92A for a category held as exactly "C" (no blank, upper case), else 92B.
constexpr ReturnField kSalaryChallanSection[] = {
    {.number = 21,
     .source = ByCategory{.category = "C", .as_held = true, .matched = "92A", .other = "92B"}}};
// Form 24 takes each challan amount by its leading number: no text stops the file.
consteval auto leading_amounts() {
  auto amounts = std::to_array(kChallanAmounts);
  for (ReturnField& field : amounts) field.format = Format::LeadingAmount;
  return amounts;
}
constexpr auto kSalaryChallan =
    joined(kChallanHead, kSalaryChallanSection, leading_amounts(), kChallanTail);

constexpr Constant kZero{"0.00"};

// A nil challan states nothing deposited: its amounts are all zero.
constexpr ReturnField kNilAmounts[] = {
    {.number = 22, .source = kZero}, {.number = 23, .source = kZero},
    {.number = 24, .source = kZero}, {.number = 25, .source = kZero},
    {.number = 26, .source = kZero}, {.number = 27, .source = kZero},
    {.number = 29, .source = kZero}, {.number = 30, .source = kZero},
    {.number = 31, .source = kZero}, {.number = 32, .source = kZero},
    {.number = 33, .source = kZero}, {.number = 34, .source = kZero},
    {.number = 35, .source = kZero},
};

constexpr ReturnField kNilChallanHead[] = {
    {.number = 1, .source = LineNumber{}},
    {.number = 2, .source = Constant{"CD"}},
    {.number = 3, .source = kBatch},
    {.number = 4, .source = ChallanSerial{}},
    {.number = 5, .source = NilDeducteeCount{}},
    {.number = 6, .source = Constant{"Y"}},
};
// clang-format off
constexpr ReturnField kNilChallanDate[] = {
    {.number = 18, .source = Deductor{.row = R::NilChallanDate, .trimmed = false},
     .format = Format::HashedDate}};
// clang-format on
constexpr ReturnField kNilSection[] = {
    {.number = 21, .source = NilSection{}, .format = Format::NilSectionCode},
};
constexpr auto kNilChallan = joined(kNilChallanHead, kNilChallanDate, kNilSection, kNilAmounts);

// Form 24's one nil challan, of a return without deposits or deductees, is
// dated at the quarter's end; its code is 92B for category "O" (trimmed, in
// upper case), else 92A.
constexpr ReturnField kQuarterEndDate[] = {
    {.number = 18, .source = QuarterEnd{}, .format = Format::Date}};
constexpr ReturnField kSalaryNilSection[] = {
    {.number = 21,
     .source = ByCategory{.category = "O", .as_held = false, .matched = "92B", .other = "92A"}}};
constexpr auto kSalaryNilChallan =
    joined(kNilChallanHead, kQuarterEndDate, kSalaryNilSection, kNilAmounts);

constexpr ReturnField kNilReturnHead[] = {
    {.number = 1, .source = LineNumber{}},
    {.number = 2, .source = Constant{"CD"}},
    {.number = 3, .source = kBatch},
    {.number = 4, .source = ChallanSerial{}},
    {.number = 5, .source = Constant{"0"}},
    {.number = 6, .source = Constant{"Y"}},
    {.number = 18, .source = QuarterEnd{}, .format = Format::Date},
    {.number = 21, .source = NilReturnSection{}},
};
constexpr auto kNilReturn = joined(kNilReturnHead, kNilAmounts);

// DD fields 1 to 20, which every form writes alike.
// clang-format off
constexpr ReturnField kDeducteeHead[] = {
    {.number = 1, .source = LineNumber{}, .check = Check::LineNumber},
    {.number = 2, .source = Constant{"DD"}},
    {.number = 3, .source = kBatch, .check = Check::BatchNumber},
    {.number = 4, .source = ChallanSerial{}, .check = Check::ChallanSerial},
    {.number = 5, .source = DeducteeSerial{}, .check = Check::DeducteeSerial},
    {.number = 6, .source = Constant{"O"}},
    {.number = 8, .source = Deductee{D::Code}, .format = Format::Trimmed, .max_length = 1},
    {.number = 10, .source = Deductee{D::Pan}, .format = Format::Trimmed, .max_length = 10,
     .check = Check::Pan, .required = true},
    {.number = 12, .source = Deductee{D::PanReference}, .format = Format::Trimmed,
     .max_length = 10},
    {.number = 13, .source = Deductee{D::Name}, .format = Format::Trimmed, .max_length = 75},
    {.number = 14, .source = Deductee{D::Tds}, .format = Format::Amount, .check = Check::Amount,
     .required = true},
    {.number = 15, .source = Deductee{D::Surcharge}, .format = Format::Amount,
     .check = Check::Amount, .required = true},
    {.number = 16, .source = Deductee{D::Cess}, .format = Format::Amount, .check = Check::Amount,
     .required = true},
    {.number = 17, .source = Deductee{D::TotalTax}, .format = Format::Amount,
     .check = Check::Amount, .required = true, .name = "tax", .sum_of = {.first = 14, .last = 16}},
    {.number = 19, .source = Deductee{D::TaxDeposited}, .format = Format::Amount,
     .check = Check::Amount, .required = true},
};
// clang-format on

// DD field 21 holds the value of purchase, which only Form 27EQ has.
constexpr ReturnField kNoPurchase[] = {
    {.number = 21, .source = Constant{""}, .check = Check::Amount}};
constexpr ReturnField kPurchase[] = {{.number = 21,
                                      .source = Deductee{D::PurchaseValue},
                                      .format = Format::Amount,
                                      .check = Check::Amount}};

// DD fields 22 to 24.
// clang-format off
constexpr ReturnField kDeducteePayment[] = {
    {.number = 22, .source = Deductee{D::AmountPaid}, .format = Format::Amount,
     .check = Check::Amount, .required = true},
    {.number = 23, .source = Deductee{D::PaymentDate}, .format = Format::Date, .check = Check::Date},
    {.number = 24, .source = Deductee{D::DeductionDate}, .format = Format::Date,
     .check = Check::Date},
};
// clang-format on

// DD field 25: Form 24's date of deposit.
constexpr ReturnField kDepositDate[] = {{.number = 25,
                                         .source = Deductee{D::DepositDate},
                                         .format = Format::Date,
                                         .check = Check::Date}};
// DD field 26: the rate, which Form 24 does not have.
constexpr ReturnField kDeducteeRate[] = {
    {.number = 26, .source = Deductee{D::Rate}, .format = Format::Rate, .check = Check::Rate}};
// DD fields 27 to 32.
constexpr ReturnField kDeducteeFlags[] = {
    {.number = 28, .source = Deductee{D::BookEntry}, .format = Format::Trimmed, .max_length = 1},
    {.number = 30, .source = Deductee{D::Reason}, .format = Format::Trimmed, .max_length = 1},
};

constexpr auto kDeductee =
    joined(kDeducteeHead, kNoPurchase, kDeducteePayment, kDeducteeRate, kDeducteeFlags);
constexpr auto kCollectee =
    joined(kDeducteeHead, kPurchase, kDeducteePayment, kDeducteeRate, kDeducteeFlags);
constexpr auto kEmployee =
    joined(kDeducteeHead, kNoPurchase, kDeducteePayment, kDepositDate, kDeducteeFlags);

consteval RecordTable table(RecordKind kind, std::string_view type, int field_count,
                            std::span<const ReturnField> fields) {
  int last = 0;
  for (const ReturnField& field : fields) {
    if (field.number <= last || field.number > field_count)
      throw "a record table lists its fields once each, in ascending numbers within its count";
    last = field.number;
  }
  return {.kind = kind, .type = type, .field_count = field_count, .fields = fields};
}

constexpr RecordTable kFileHeaderTable = table(RecordKind::FileHeader, "FH", 15, kFileHeader);
constexpr RecordTable kBatchHeaderTable = table(RecordKind::BatchHeader, "BH", 52, kBatchHeader);
constexpr RecordTable kSalaryBatchHeaderTable =
    table(RecordKind::BatchHeader, "BH", 52, kSalaryBatchHeader);
constexpr RecordTable kChallanTable = table(RecordKind::Challan, "CD", 38, kChallan);
constexpr RecordTable kSalaryChallanTable = table(RecordKind::Challan, "CD", 38, kSalaryChallan);
constexpr RecordTable kNilChallanTable = table(RecordKind::NilChallan, "CD", 38, kNilChallan);
constexpr RecordTable kSalaryNilChallanTable =
    table(RecordKind::NilChallan, "CD", 38, kSalaryNilChallan);
constexpr RecordTable kNilReturnTable = table(RecordKind::NilReturn, "CD", 38, kNilReturn);
// The export writes deductee records on two threads at once: nothing of theirs
// may reach the return object (zero padding shows messages, state codes read the
// workbook).
template <std::size_t N>
consteval bool written_alone(const std::array<ReturnField, N>& fields) {
  for (const ReturnField& field : fields)
    if (field.format == Format::ZeroPadded || std::holds_alternative<StateCode>(field.source))
      return false;
  return true;
}
static_assert(written_alone(kDeductee) && written_alone(kCollectee) && written_alone(kEmployee));

constexpr RecordTable kDeducteeTable = table(RecordKind::Deductee, "DD", 32, kDeductee);
constexpr RecordTable kCollecteeTable = table(RecordKind::Deductee, "DD", 32, kCollectee);
constexpr RecordTable kEmployeeTable = table(RecordKind::Deductee, "DD", 32, kEmployee);

struct FormRecords {
  Form form;
  const RecordTable* batch_header;
  const RecordTable* challan;
  const RecordTable* nil_challan;
  const RecordTable* deductee;
};

// clang-format off
constexpr PerForm<FormRecords> kFormRecords = per_form<FormRecords>({{
    {.form = Form::F24, .batch_header = &kSalaryBatchHeaderTable, .challan = &kSalaryChallanTable,
     .nil_challan = &kSalaryNilChallanTable, .deductee = &kEmployeeTable},
    {.form = Form::F26, .batch_header = &kBatchHeaderTable, .challan = &kChallanTable,
     .nil_challan = &kNilChallanTable, .deductee = &kDeducteeTable},
    {.form = Form::F27, .batch_header = &kBatchHeaderTable, .challan = &kChallanTable,
     .nil_challan = &kNilChallanTable, .deductee = &kDeducteeTable},
    {.form = Form::F27EQ, .batch_header = &kBatchHeaderTable, .challan = &kChallanTable,
     .nil_challan = &kNilChallanTable, .deductee = &kCollecteeTable},
}});
// clang-format on

}  // namespace

const ReturnField* RecordTable::field(int number) const {
  const auto found = std::lower_bound(fields.begin(), fields.end(), number,
                                      [](const ReturnField& f, int n) { return f.number < n; });
  return found != fields.end() && found->number == number ? &*found : nullptr;
}

const RecordTable& record_table(Form form, RecordKind kind) {
  const FormRecords& records = kFormRecords[form_index(form)];
  switch (kind) {
    case RecordKind::FileHeader: return kFileHeaderTable;
    case RecordKind::BatchHeader: return *records.batch_header;
    case RecordKind::Challan: return *records.challan;
    case RecordKind::NilChallan: return *records.nil_challan;
    case RecordKind::NilReturn: return kNilReturnTable;
    case RecordKind::Deductee: break;
  }
  return *records.deductee;
}

}  // namespace fenwarx
