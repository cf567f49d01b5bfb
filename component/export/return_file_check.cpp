#include "export/return_file_check.hpp"

#include <algorithm>
#include <array>
#include <optional>
#include <set>

#include "export/return_field_formats.hpp"

namespace fenwarx {
namespace {

using namespace file_format;

enum class Kind { FH, BH, CD, DD, Other };

Kind kind_of(std::string_view type) {
  if (type == "FH") return Kind::FH;
  if (type == "BH") return Kind::BH;
  if (type == "CD") return Kind::CD;
  if (type == "DD") return Kind::DD;
  return Kind::Other;
}

std::size_t field_count(Kind kind) {
  switch (kind) {
    case Kind::FH:
      return 15;
    case Kind::BH:
      return 52;
    case Kind::CD:
      return 38;
    default:
      return 32;
  }
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// A count or serial: digits only, small enough for a long long.
std::optional<long long> parse_count(std::string_view text) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string two_digits(long long value) {
  const int v = static_cast<int>(value % 100);
  return std::string{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
}

// The form a file type allows in the batch header.
bool form_matches(std::string_view file_type, std::string_view form) {
  if (file_type == "SL1") return form == "24Q";
  if (file_type == "TC1") return form == "27EQ";
  return form == "26Q" || form == "27Q";
}

// The challan's stated totals (CD 29 to 33) and the DD fields they sum.
constexpr std::array<int, 5> kChallanSums{29, 30, 31, 32, 33};
constexpr std::array<int, 5> kDeducteeSums{19, 14, 15, 16, 17};

class Checker {
 public:
  CheckReport run(std::string_view bytes) {
    if (bytes.empty()) {
      add(0, 0, "the file is empty");
      return std::move(report_);
    }
    long long number = 0;
    for (std::size_t start = 0; start < bytes.size();) {
      ++number;
      const std::size_t lf = bytes.find('\n', start);
      const bool ended = lf != std::string_view::npos;
      std::string_view text = bytes.substr(start, ended ? lf - start : std::string_view::npos);
      start = ended ? lf + 1 : bytes.size();
      const bool cr = !text.empty() && text.back() == '\r';
      if (cr) text.remove_suffix(1);
      if (!ended)
        add(number, 0, "line does not end with CR LF");
      else if (!cr)
        add(number, 0, "line ends with LF, not CR LF");
      line(number, text);
    }
    report_.lines = number;
    finish();
    std::stable_sort(report_.findings.begin(), report_.findings.end(),
                     [](const CheckFinding& a, const CheckFinding& b) {
                       return a.line != b.line ? a.line < b.line : a.field < b.field;
                     });
    return std::move(report_);
  }

 private:
  struct OpenChallan {
    long long line = 0;
    std::optional<long long> stated_records;
    long long records = 0;
    bool sums_known = true;
    std::array<std::optional<Paise>, 5> stated{};
    std::array<Paise, 5> sums{};
  };

  void add(long long line, int field, std::string message) {
    report_.findings.push_back({line, field, std::move(message), {}, 0, 0});
  }

  std::string_view f(int k) const { return fields_[static_cast<std::size_t>(k - 1)]; }

  void line(long long n, std::string_view text) {
    if (text.empty()) {
      add(n, 0, "empty line");
      return;
    }
    check_bytes(n, text);
    fields_.clear();
    std::size_t start = 0;
    for (std::size_t caret; (caret = text.find('^', start)) != std::string_view::npos;) {
      fields_.push_back(text.substr(start, caret - start));
      start = caret + 1;
    }
    const bool ends_with_caret = start == text.size();
    if (!ends_with_caret) {
      fields_.push_back(text.substr(start));
      add(n, 0, "line does not end with \"^\"");
    }
    ++records_;
    const Kind kind = fields_.size() >= 2 ? kind_of(f(2)) : Kind::Other;
    if (kind == Kind::Other) {
      add(n, fields_.size() >= 2 ? 2 : 0,
          "unknown record type " + quoted(fields_.size() >= 2 ? f(2) : ""));
      return;
    }
    const bool whole = fields_.size() == field_count(kind);
    if (!whole)
      add(n, 0,
          "expected " + std::to_string(field_count(kind)) + " fields, found " +
              std::to_string(fields_.size()));
    if (f(1) != std::to_string(n))
      add(n, 1, "line number " + quoted(f(1)) + ", expected " + std::to_string(n));
    if (kind != Kind::FH && whole && f(3) != "1") add(n, 3, "batch number must be 1");
    switch (kind) {
      case Kind::FH:
        file_header(n, whole);
        break;
      case Kind::BH:
        batch_header(n, whole);
        break;
      case Kind::CD:
        challan(n, whole);
        break;
      default:
        deductee(n, whole);
        break;
    }
  }

  // The first byte outside printable ASCII, with the field it stands in.
  void check_bytes(long long n, std::string_view text) {
    int field = 1;
    for (char c : text) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte == '^') ++field;
      if (byte >= 0x20 && byte < 0x7F) continue;
      static constexpr char kHex[] = "0123456789ABCDEF";
      add(n, field,
          byte == '\t'   ? std::string("tab inside a field")
          : byte == '\r' ? std::string("stray CR inside a field")
                         : std::string("byte 0x") + kHex[byte >> 4] + kHex[byte & 15] +
                               " is not printable ASCII");
      return;
    }
  }

  void file_header(long long n, bool whole) {
    if (records_ != 1) add(n, 2, "FH must be the first record");
    has_file_header_ = true;
    if (!whole) return;
    if (f(3) == "NS1" || f(3) == "TC1" || f(3) == "SL1")
      file_type_ = f(3);
    else
      add(n, 3, "file type " + quoted(f(3)) + " is not NS1, TC1 or SL1");
    date(n, 5, true);
    tan(n, 8);
  }

  void batch_header(long long n, bool whole) {
    if (records_ != 2) add(n, 2, "BH must be the second record");
    if (batch_line_ == 0) batch_line_ = n;
    if (!whole || batch_line_ != n) return;
    stated_challans_ = count(n, 4);
    const std::string_view form = f(5);
    if (form != "24Q" && form != "26Q" && form != "27Q" && form != "27EQ")
      add(n, 5, "form " + quoted(form) + " is not 24Q, 26Q, 27Q or 27EQ");
    else if (!file_type_.empty() && !form_matches(file_type_, form))
      add(n, 5, "form " + std::string(form) + " does not match file type " + file_type_);
    tan(n, 13);
    if (!f(15).empty() && !is_pan(f(15))) add(n, 15, quoted(f(15)) + " is not a PAN");
    years(n);
    stated_deposit_ = amount(n, 47, true);
  }

  // BH 17 is F and the last two digits of F + 1; BH 16 the same a year on.
  void years(long long n) {
    const std::string_view financial = f(17);
    const auto first = financial.size() == 6 ? parse_count(financial.substr(0, 4)) : std::nullopt;
    if (!first || financial.substr(4) != two_digits(*first + 1)) {
      add(n, 17, "financial year " + quoted(financial) + " is not like 200506");
      return;
    }
    const std::string assessment = std::to_string(*first + 1) + two_digits(*first + 2);
    if (f(16) != assessment)
      add(n, 16, "assessment year " + quoted(f(16)) + ", expected " + assessment);
  }

  void challan(long long n, bool whole) {
    close_challan();
    ++challans_;
    open_ = OpenChallan{};
    open_->line = n;
    const bool nil = whole && f(6) == "Y";
    report_.challans.push_back({n, nil});
    if (!whole) {
      open_->sums_known = deposits_known_ = false;
      return;
    }
    if (const auto serial = count(n, 4); serial && *serial != challans_)
      add(n, 4,
          "challan serial " + std::to_string(*serial) + ", expected " + std::to_string(challans_));
    open_->stated_records = count(n, 5);
    nil_indicator(n);
    date(n, 18, true);
    std::optional<Paise> parts = 0;
    for (int k = 22; k <= 26; ++k) {
      const auto part = amount(n, k, true);
      parts = parts && part ? std::optional<Paise>(*parts + *part) : std::nullopt;
    }
    const auto total = amount(n, 27, true);
    if (parts && total && *parts != *total)
      add(n, 27,
          "total " + amount_text(*total) + " is not the sum of fields 22 to 26 (" +
              amount_text(*parts) + ")");
    if (total)
      deposits_ += *total;
    else
      deposits_known_ = false;
    for (std::size_t i = 0; i < kChallanSums.size(); ++i)
      open_->stated[i] = amount(n, kChallanSums[i], true);
    for (int k = 34; k <= 35; ++k) amount(n, k, true);
  }

  // Nil challans follow the real ones, one per section.
  void nil_indicator(long long n) {
    if (f(6) == "N") {
      if (nil_seen_) add(n, 6, "a regular challan after a nil challan");
    } else if (f(6) == "Y") {
      nil_seen_ = true;
      if (!nil_sections_.insert(std::string(f(21))).second)
        add(n, 21, "a second nil challan of section " + quoted(f(21)));
    } else {
      add(n, 6, "nil indicator " + quoted(f(6)) + " is not N or Y");
    }
  }

  void deductee(long long n, bool whole) {
    if (!open_) {
      add(n, 2, "DD record before any CD record");
      return;
    }
    const long long serial = ++open_->records;
    if (!whole) {
      open_->sums_known = false;
      return;
    }
    if (const auto named = count(n, 4); named && *named != challans_)
      add(n, 4,
          "challan serial " + std::to_string(*named) + ", expected " + std::to_string(challans_));
    if (const auto own = count(n, 5); own && *own != serial)
      add(n, 5, "deductee serial " + std::to_string(*own) + ", expected " + std::to_string(serial));
    if (f(10).empty())
      add(n, 10, "PAN is missing");
    else if (!is_pan(f(10)))
      add(n, 10, quoted(f(10)) + " is not a PAN");
    std::array<std::optional<Paise>, 5> values;
    for (std::size_t i = 0; i < kDeducteeSums.size(); ++i) {
      values[i] = amount(n, kDeducteeSums[i], true);
      if (values[i])
        open_->sums[i] += *values[i];
      else
        open_->sums_known = false;
    }
    if (values[1] && values[2] && values[3] && values[4] &&
        *values[1] + *values[2] + *values[3] != *values[4])
      add(n, 17,
          "tax " + amount_text(*values[4]) + " is not the sum of fields 14 to 16 (" +
              amount_text(*values[1] + *values[2] + *values[3]) + ")");
    amount(n, 21, false);
    amount(n, 22, true);
    date(n, 23, false);
    date(n, 24, false);
    if (file_type_ == "SL1") date(n, 25, false);
    if (!f(26).empty() && !is_rate(f(26)))
      add(n, 26, quoted(f(26)) + " is not a rate with four decimals");
  }

  void close_challan() {
    if (!open_) return;
    const OpenChallan& c = *open_;
    if (c.stated_records && *c.stated_records != c.records)
      add(c.line, 5,
          std::to_string(*c.stated_records) + " deductee records stated, " +
              std::to_string(c.records) + " found");
    for (std::size_t i = 0; c.sums_known && i < c.stated.size(); ++i)
      if (c.stated[i] && *c.stated[i] != c.sums[i])
        add(c.line, kChallanSums[i],
            amount_text(*c.stated[i]) + " stated, the deductee records' field " +
                std::to_string(kDeducteeSums[i]) + " sums to " + amount_text(c.sums[i]));
    open_.reset();
  }

  void finish() {
    close_challan();
    if (!has_file_header_) add(0, 0, "no FH record");
    if (batch_line_ == 0) add(0, 0, "no BH record");
    if (challans_ == 0) add(0, 0, "no CD record");
    if (stated_challans_ && *stated_challans_ != challans_)
      add(batch_line_, 4,
          std::to_string(*stated_challans_) + " challan records stated, " +
              std::to_string(challans_) + " found");
    if (stated_deposit_ && deposits_known_ && *stated_deposit_ != round_to_rupees(deposits_))
      add(batch_line_, 47,
          "total deposit " + amount_text(*stated_deposit_) + ", expected " +
              amount_text(round_to_rupees(deposits_)));
  }

  std::optional<long long> count(long long n, int k) {
    const auto value = parse_count(f(k));
    if (!value) add(n, k, quoted(f(k)) + " is not a whole number");
    return value;
  }

  std::optional<Paise> amount(long long n, int k, bool required) {
    if (f(k).empty()) {
      if (required) add(n, k, "amount is missing");
      return std::nullopt;
    }
    const auto value = parse_amount(f(k));
    if (!value) add(n, k, quoted(f(k)) + " is not an amount with two decimals");
    return value;
  }

  void date(long long n, int k, bool required) {
    if (f(k).empty()) {
      if (required) add(n, k, "date is missing");
    } else if (!is_date(f(k))) {
      add(n, k, quoted(f(k)) + " is not a date (ddMMyyyy)");
    }
  }

  void tan(long long n, int k) {
    if (!is_tan(f(k))) add(n, k, quoted(f(k)) + " is not a TAN");
  }

  CheckReport report_;
  std::vector<std::string_view> fields_;
  long long records_ = 0;  // lines holding a record, empty ones aside
  bool has_file_header_ = false;
  std::string file_type_;
  long long batch_line_ = 0;
  std::optional<long long> stated_challans_;
  std::optional<Paise> stated_deposit_;
  long long challans_ = 0;
  Paise deposits_ = 0;
  bool deposits_known_ = true;
  std::optional<OpenChallan> open_;
  bool nil_seen_ = false;
  std::set<std::string, std::less<>> nil_sections_;
};

}  // namespace

CheckReport check_return_file(std::string_view bytes) { return Checker().run(bytes); }

}  // namespace fenwarx
