// The file header, batch header, challan and deductee records of a return file.
#include "export/return_records.hpp"

#include <string>

#include "platform/values/ascii.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/numbers.hpp"
#include "returns/text_helpers.hpp"

namespace fenwarx {
namespace {

constexpr std::string_view kBatch = "1";

// The last two digits of a year, as the six-digit years of the batch header end.
std::string last_two(long long year) {
  const std::string text = std::to_string(year);
  return text.size() < 2 ? text : text.substr(text.size() - 2);
}

long long first_year(const ReturnHeader& header) {
  return static_cast<long long>(leading_number(header.financial_year));
}

// The challan field of column N as the records name it.
std::string_view field(const ChallanRecord& challan, int n) { return challan[static_cast<std::size_t>(n - 1)]; }

// A count or serial the record holds as text, written as a whole number.
long long count_of(std::string_view text) {
  return static_cast<long long>(round_half_even(leading_number(text)));
}

// An amount that may be missing: "0.00" then.
std::string amount_or_zero(std::string_view text) {
  const std::string held = trimmed(text);
  return held.empty() ? "0.00" : amount_field(held);
}

// Padded with zeros to `width` by AddZero; nothing when the text is empty.
std::string zero_padded(ReturnObject& self, std::string_view text, int width) {
  const std::string held = trimmed(text);
  return held.empty() ? std::string() : AddZero(self, held, width);
}

}  // namespace

std::string fh_line(const ExportProfile& form, const ReturnHeader& header) {
  Record r;
  r.add("1").add("FH").add(form.file_type).add(header.regular ? "R" : "C");
  r.add(ddmmyyyy(header.today)).add("1").add("D").add(header.rows[1]).add("1").empty(6);
  return r.line();
}

std::string bh_line(const ExportProfile& form, const ReturnHeader& header, long long challans,
                    Workbook& workbook) {
  const auto row = [&](int n) { return trimmed(header.rows[static_cast<std::size_t>(n)]); };
  const long long year = first_year(header);
  Record r;
  r.add("2").add("BH").add(kBatch).add(challans).add(form.form_code).empty(7);
  r.add(header.rows[1]).empty().add(row(2));
  r.add(std::to_string(year + 1) + last_two(year + 2)).add(std::to_string(year) + last_two(year + 1));
  r.add(row(32)).add(row(3)).empty();
  for (int n = 5; n <= 9; ++n) r.add(row(n));
  r.add(GetStateCode(row(10), workbook)).add(row(11)).add(row(14)).add(row(12));
  r.add(header.rows[13]).add(header.rows[15]).add(row(16));
  for (int n = 17; n <= 23; ++n) r.add(row(n));
  r.add(GetStateCode(row(24), workbook)).add(row(25)).add(row(28)).add(row(43));
  r.add(row(26)).add(row(27)).add("N");
  r.add(fixed_text(round_half_even(header.challan_total), 2)).empty(3).add("N").empty();
  return r.line();
}

std::string cd_line(ReturnObject& self, const ExportProfile& form, const ChallanRecord& challan,
                    long long line, long long serial) {
  const std::string voucher = zero_padded(self, field(challan, 13), 5);
  const std::string transfer = zero_padded(self, field(challan, 14), 9);
  std::string cheque(field(challan, 9));
  Record r;
  r.add(line).add("CD").add(kBatch).add(serial).add(count_of(field(challan, 16))).add("N").empty(5);
  r.add(voucher).empty().add(transfer).empty().add(zero_padded(self, field(challan, 10), 7)).empty();
  r.add(date_field(field(challan, 11))).empty(2).add(form.challan_section(field(challan, 2)));
  for (int n = 3; n <= 8; ++n) r.add(strict_amount_field(field(challan, n)));
  r.empty();
  for (int n : {23, 17, 18, 19, 22, 20, 21}) r.add(amount_or_zero(field(challan, n)));
  // A challan not paid by book entry without a cheque number stands as cheque 0.
  const std::string flag(field(challan, 12));
  const std::size_t first = flag.find_first_not_of(' ');
  if (first != std::string::npos && to_upper(flag.substr(first)) == "N" && trimmed(cheque).empty())
    cheque = "0";
  r.add(transfer.empty() ? number_text(leading_number(cheque)) : cheque);
  r.add(field(challan, 12)).add(field(challan, 15));
  return r.line();
}

std::string nil_cd_line(const ExportProfile& form, const ReturnHeader& header,
                        std::string_view section, long long line, long long serial,
                        long long deductees) {
  Record r;
  r.add(line).add("CD").add(kBatch).add(serial).add(deductees).add("Y").empty(11);
  r.add(date_field(without(header.rows[31], '#'))).empty(2).add(trimmed(form.nil_section(section)));
  for (int n = 22; n <= 27; ++n) r.add("0.00");
  r.empty();
  for (int n = 29; n <= 35; ++n) r.add("0.00");
  r.empty(3);
  return r.line();
}

std::string nil_return_line(const ExportProfile& form, const ReturnHeader& header) {
  const long long year = first_year(header);
  const std::string quarter = to_upper(trimmed(header.rows[32]));
  const std::string end = quarter == "Q1"   ? "30/06/" + std::to_string(year)
                          : quarter == "Q2" ? "30/09/" + std::to_string(year)
                          : quarter == "Q3" ? "31/12/" + std::to_string(year)
                                            : "31/03/" + std::to_string(year + 1);
  Record r;
  r.add("3").add("CD").add(kBatch).add("1").add("0").add("Y").empty(11).add(date_field(end));
  r.empty(2).add(form.nil_return_section);
  for (int n = 22; n <= 27; ++n) r.add("0.00");
  r.empty();
  for (int n = 29; n <= 35; ++n) r.add("0.00");
  r.empty(3);
  return r.line();
}

std::string dd_line(Form form, const DeducteeRecord& deductee, long long line, long long serial,
                    long long deductee_serial) {
  const auto held = [&](int n) { return trimmed(deductee[static_cast<std::size_t>(n)]); };
  Record r;
  r.add(line).add("DD").add(kBatch).add(serial).add(deductee_serial).add("O").empty();
  r.add(held(2)).empty().add(held(3)).empty().add(held(4)).add(held(5));
  for (int n = 11; n <= 14; ++n) r.add(amount_field(held(n)));
  r.empty().add(amount_field(held(16))).empty();
  r.add(form == Form::F27EQ ? amount_field(held(30)) : std::string());
  r.add(amount_field(held(6))).add(date_field(held(7))).add(date_field(held(15))).empty();
  r.add(rate_field(held(9))).empty().add(held(8)).empty().add(held(20)).empty(2);
  return r.line();
}

}  // namespace fenwarx
