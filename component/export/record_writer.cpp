#include "export/record_writer.hpp"

#include <type_traits>

#include "checks/field_formats.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/numbers.hpp"
#include "state/text_helpers.hpp"

namespace fenwarx {
namespace {

// The last two digits of a year, as the six-digit years of the batch header end.
std::string last_two(long long year) {
  const std::string text = std::to_string(year);
  return text.size() < 2 ? text : text.substr(text.size() - 2);
}

long long first_year(const ReturnHeader& header) {
  return static_cast<long long>(leading_number(header.financial_year));
}

// The last day of the return's quarter, day first; a quarter the return does not
// name is the fourth.
std::string quarter_end(const ReturnHeader& header) {
  const long long year = first_year(header);
  const std::string quarter = to_upper(trimmed(header.row(DeductorRow::Quarter)));
  if (quarter == "Q1") return "30/06/" + std::to_string(year);
  if (quarter == "Q2") return "30/09/" + std::to_string(year);
  if (quarter == "Q3") return "31/12/" + std::to_string(year);
  return "31/03/" + std::to_string(year + 1);
}

}  // namespace

std::string_view RecordWriter::text_of(const ReturnField& field, const RecordContext& context,
                                       std::string& scratch) const {
  const auto computed = [&](std::string text) -> std::string_view {
    scratch = std::move(text);
    return scratch;
  };
  return std::visit(
      [&](const auto& s) -> std::string_view {
        using S = std::decay_t<decltype(s)>;
        using namespace source;
        if constexpr (std::is_same_v<S, Constant>)
          return s.text;
        else if constexpr (std::is_same_v<S, LineNumber>)
          return computed(std::to_string(context.line));
        else if constexpr (std::is_same_v<S, ChallanSerial>)
          return computed(std::to_string(context.challan_serial));
        else if constexpr (std::is_same_v<S, DeducteeSerial>)
          return computed(std::to_string(context.deductee_serial));
        else if constexpr (std::is_same_v<S, ChallanCount>)
          return computed(std::to_string(context.challan_count));
        else if constexpr (std::is_same_v<S, NilDeducteeCount>)
          return computed(std::to_string(context.nil_deductees));
        else if constexpr (std::is_same_v<S, FileType>)
          return profile_.file_type;
        else if constexpr (std::is_same_v<S, FormCode>)
          return profile_.form_code;
        else if constexpr (std::is_same_v<S, ReturnType>)
          return header_.regular ? "R" : "C";
        else if constexpr (std::is_same_v<S, Today>)
          return computed(ddmmyyyy(header_.today));
        else if constexpr (std::is_same_v<S, AssessmentYear>) {
          const long long year = first_year(header_);
          return computed(std::to_string(year + 1) + last_two(year + 2));
        } else if constexpr (std::is_same_v<S, FinancialYear>) {
          const long long year = first_year(header_);
          return computed(std::to_string(year) + last_two(year + 1));
        } else if constexpr (std::is_same_v<S, QuarterEnd>)
          return computed(quarter_end(header_));
        else if constexpr (std::is_same_v<S, DepositTotal>)
          return computed(fixed_text(round_half_even(header_.challan_total), 2));
        else if constexpr (std::is_same_v<S, Deductor>) {
          const std::string& held = header_.row(s.row);
          return s.trimmed ? trimmed_view(held) : std::string_view(held);
        } else if constexpr (std::is_same_v<S, StateCode>)
          return computed(GetStateCode(trimmed(header_.row(s.row)), *self_.workbook));
        else if constexpr (std::is_same_v<S, Challan>)
          return (*context.challan)[s.column];
        else if constexpr (std::is_same_v<S, Cheque>) {
          std::string cheque((*context.challan)[ChallanColumn::Cheque]);
          const std::string flag((*context.challan)[ChallanColumn::BookEntry]);
          const std::size_t first = flag.find_first_not_of(' ');
          if (first != std::string::npos && to_upper(flag.substr(first)) == "N" &&
              trimmed(cheque).empty())
            cheque = "0";
          return computed(written(s.transfer_field).empty() ? number_text(leading_number(cheque))
                                                            : cheque);
        } else if constexpr (std::is_same_v<S, Deductee>)
          return (*context.deductee)[s.column];
        else if constexpr (std::is_same_v<S, NilSection>)
          return context.nil_section;
        else if constexpr (std::is_same_v<S, NilReturnSection>)
          return profile_.nil_return_section;
        else if constexpr (std::is_same_v<S, ByCategory>) {
          const std::string& held = header_.row(DeductorRow::Category);
          const bool matched =
              s.as_held ? held == s.category : to_upper(trimmed(held)) == s.category;
          return matched ? s.matched : s.other;
        }
      },
      field.source);
}

void RecordWriter::append_formatted(const ReturnField& field, std::string_view text) {
  if (append_plain_format(record_, field.format, text)) return;
  switch (field.format) {
    case Format::StrictAmount: record_ += strict_amount_field(text); return;
    case Format::ZeroPadded: {
      const std::string_view held = trimmed_view(text);
      if (!held.empty()) record_ += AddZero(self_, held, field.max_length);
      return;
    }
    case Format::SectionCode: record_ += profile_.challan_section(text); return;
    case Format::NilSectionCode: record_ += trimmed(profile_.nil_section(text)); return;
    default: return;  // written above
  }
}

std::string_view RecordWriter::written(int number) const {
  const auto index = static_cast<std::size_t>(number - 1);
  if (index >= field_ends_.size()) return {};
  const std::size_t begin = index == 0 ? 0 : field_ends_[index - 1] + 1;  // past its "^"
  return std::string_view(record_).substr(begin, field_ends_[index] - begin);
}

void RecordWriter::write(const RecordTable& table, const RecordContext& context, std::string& out) {
  static const std::string kSeparator = FieldSeparator();
  record_.clear();
  field_ends_.clear();
  auto next = table.fields.begin();
  for (int number = 1; number <= table.field_count; ++number) {
    if (next != table.fields.end() && next->number == number) {
      append_formatted(*next, text_of(*next, context, scratch_));
      ++next;
    }
    field_ends_.push_back(record_.size());
    record_ += kSeparator;
  }
  append_line(out, record_);
}

}  // namespace fenwarx
