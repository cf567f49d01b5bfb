#include "export/return_file_check.hpp"

#include <algorithm>
#include <array>
#include <optional>
#include <set>

#include "checks/field_faults.hpp"
#include "checks/return_field_formats.hpp"
#include "export/export_profile.hpp"
#include "export/return_file_warnings.hpp"
#include "layout/record_tables.hpp"

namespace fenwarx {
namespace {

using namespace file_format;

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

// Facts of the records the checker needs beyond each field's own rule, read off
// the tables: which CD field is the challan's deposit (that the batch header
// totals), which the nil indicator and the nil challan's section, which the
// batch header's financial year.
struct RecordFacts {
  int deposit_field;
  int nil_indicator_field;
  int nil_section_field;
  int financial_year_field;
};

RecordFacts record_facts(Form form) {
  const RecordTable& challan = record_table(form, RecordKind::Challan);
  const RecordTable& nil = record_table(form, RecordKind::NilChallan);
  const auto any = [](const auto&) { return true; };
  // Form 24 tells its nil challan's code by the deductor's category.
  const int nil_section = nil.field_from<source::NilSection>(any);
  return {
      .deposit_field = challan.challan_field(ChallanColumn::TotalDeposited),
      .nil_indicator_field = challan.checked_field(Check::NilIndicator),
      .nil_section_field = nil_section != 0 ? nil_section : nil.field_from<source::ByCategory>(any),
      .financial_year_field =
          record_table(form, RecordKind::BatchHeader).checked_field(Check::FinancialYear),
  };
}

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
    const auto in_line_order = [](const CheckFinding& a, const CheckFinding& b) {
      return a.line != b.line ? a.line < b.line : a.field < b.field;
    };
    std::stable_sort(report_.findings.begin(), report_.findings.end(), in_line_order);
    std::stable_sort(report_.warnings.begin(), report_.warnings.end(), in_line_order);
    // A field the file gets wrong needs no warning besides.
    std::erase_if(report_.warnings, [&](const CheckFinding& warning) {
      return std::binary_search(report_.findings.begin(), report_.findings.end(), warning,
                                in_line_order);
    });
    return std::move(report_);
  }

 private:
  struct OpenChallan {
    long long line = 0;
    std::optional<long long> stated_records;
    long long records = 0;
    bool sums_known = true;
    std::vector<std::pair<int, std::optional<Paise>>> stated;  // DD field, the sum the CD states
    std::vector<Paise> sums;                                   // of those DD fields
  };

  void add(long long line, int field, std::string message) {
    report_.findings.push_back({line, field, std::move(message), {}, 0, 0});
  }

  std::string_view f(int k) const { return fields_[static_cast<std::size_t>(k - 1)]; }

  const RecordTable* table_of(std::string_view type) const {
    for (RecordKind kind : {RecordKind::FileHeader, RecordKind::BatchHeader, RecordKind::Challan,
                            RecordKind::Deductee}) {
      const RecordTable& table = record_table(form_, kind);
      if (table.type == type) return &table;
    }
    return nullptr;
  }

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
    const RecordTable* table = fields_.size() >= 2 ? table_of(f(2)) : nullptr;
    if (!table) {
      add(n, fields_.size() >= 2 ? 2 : 0,
          "unknown record type " + quoted(fields_.size() >= 2 ? f(2) : ""));
      return;
    }
    const bool whole = fields_.size() == static_cast<std::size_t>(table->field_count);
    if (!whole)
      add(n, 0,
          "expected " + std::to_string(table->field_count) + " fields, found " +
              std::to_string(fields_.size()));
    for (const ReturnField& field : table->fields) {
      if (field.check == Check::LineNumber && f(field.number) != std::to_string(n))
        add(n, field.number,
            "line number " + quoted(f(field.number)) + ", expected " + std::to_string(n));
      if (field.check == Check::BatchNumber && whole && f(field.number) != "1")
        add(n, field.number, "batch number must be 1");
    }
    switch (table->kind) {
      case RecordKind::FileHeader: file_header(n, whole, *table); break;
      case RecordKind::BatchHeader: batch_header(n, whole, *table); break;
      case RecordKind::Deductee: deductee(n, whole, *table); break;
      default: challan(n, whole, *table); break;
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

  void file_header(long long n, bool whole, const RecordTable& table) {
    if (records_ != 1) add(n, 2, "FH must be the first record");
    if (!has_file_header_) file_header_line_ = n;
    has_file_header_ = true;
    if (whole) fields_of(n, table);
  }

  void batch_header(long long n, bool whole, const RecordTable& table) {
    if (records_ != 2) add(n, 2, "BH must be the second record");
    ++batches_;
    if (batch_line_ == 0) batch_line_ = n;
    if (whole && batch_line_ == n) {
      fields_of(n, table);
      warnings_.batch_header(n, fields_, report_.warnings);
    }
  }

  void challan(long long n, bool whole, const RecordTable& table) {
    close_challan();
    ++challans_;
    open_ = OpenChallan{};
    open_->line = n;
    const bool nil = whole && f(facts_.nil_indicator_field) == "Y";
    report_.challans.push_back({n, nil});
    if (!whole) {
      open_->sums_known = deposits_known_ = false;
      warnings_.unread_challan();
      return;
    }
    fields_of(n, table);
    warnings_.challan(fields_);
  }

  void deductee(long long n, bool whole, const RecordTable& table) {
    if (!open_) {
      add(n, 2, "DD record before any CD record");
      return;
    }
    ++open_->records;
    if (!whole) {
      open_->sums_known = false;
      return;
    }
    fields_of(n, table);
    warnings_.deductee(n, fields_, report_.warnings);
    for (std::size_t i = 0; i < open_->stated.size(); ++i) {
      const std::optional<Paise>& value =
          amounts_[static_cast<std::size_t>(open_->stated[i].first)];
      if (value)
        open_->sums[i] += *value;
      else
        open_->sums_known = false;
    }
  }

  // Each field of a whole record by its rule and, where that finds nothing, its
  // length; then the sums a field states of fields of the same record.
  void fields_of(long long n, const RecordTable& table) {
    amounts_.fill(std::nullopt);
    for (const ReturnField& field : table.fields) {
      const std::size_t found = report_.findings.size();
      rule(n, field, table);
      if (report_.findings.size() != found) continue;
      if (auto fault = field_fault(field, f(field.number)))
        add(n, field.number, std::move(fault->message));
    }
    for (const ReturnField& field : table.fields) {
      if (field.sum_of.first == 0) continue;
      std::optional<Paise> parts = 0;
      for (int k = field.sum_of.first; k <= field.sum_of.last; ++k) {
        const std::optional<Paise>& part = amounts_[static_cast<std::size_t>(k)];
        parts = parts && part ? std::optional<Paise>(*parts + *part) : std::nullopt;
      }
      const std::optional<Paise>& total = amounts_[static_cast<std::size_t>(field.number)];
      if (parts && total && *parts != *total)
        add(n, field.number,
            std::string(field.name) + " " + amount_text(*total) + " is not the sum of fields " +
                std::to_string(field.sum_of.first) + " to " + std::to_string(field.sum_of.last) +
                " (" + amount_text(*parts) + ")");
    }
  }

  void rule(long long n, const ReturnField& field, const RecordTable& table) {
    const int k = field.number;
    const std::string_view text = f(k);
    switch (field.check) {
      case Check::None:
      case Check::LineNumber:
      case Check::BatchNumber: break;
      case Check::Count:
        if (field.required || !text.empty()) count(n, k);
        break;
      case Check::BatchCount: stated_batches_ = count(n, k); break;
      case Check::FileType:
        if (is_file_type(text)) {
          file_type_ = text;
          form_ = form_of_file_type(text).value_or(Form::F26);
          facts_ = record_facts(form_);
          warnings_.set_form(form_);
        } else {
          add(n, k, "file type " + quoted(text) + " is not NS1, TC1 or SL1");
        }
        break;
      case Check::FormCode:
        if (!is_form_code(text))
          add(n, k, "form " + quoted(text) + " is not 24Q, 26Q, 27Q or 27EQ");
        else if (!file_type_.empty() && !form_code_matches(file_type_, text))
          add(n, k, "form " + std::string(text) + " does not match file type " + file_type_);
        break;
      case Check::ChallanCount: stated_challans_ = count(n, k); break;
      case Check::ChallanSerial:
        if (const auto serial = count(n, k); serial && *serial != challans_)
          add(n, k,
              "challan serial " + std::to_string(*serial) + ", expected " +
                  std::to_string(challans_));
        break;
      case Check::DeducteeCount: open_->stated_records = count(n, k); break;
      case Check::DeducteeSerial:
        if (const auto own = count(n, k); own && *own != open_->records)
          add(n, k,
              "deductee serial " + std::to_string(*own) + ", expected " +
                  std::to_string(open_->records));
        break;
      case Check::NilIndicator: nil_indicator(n, k); break;
      case Check::Amount: amount_field(field, table); break;
      case Check::DepositTotal: stated_deposit_ = amount(k); break;
      // Judged of the field alone, by field_fault.
      case Check::Rate:
      case Check::Date:
      case Check::Pan:
      case Check::Tan:
      case Check::FinancialYear: break;
      case Check::AssessmentYear:
        // A year on from the financial year, when that one reads.
        if (const auto first = financial_year_start(f(facts_.financial_year_field))) {
          const std::string expected = std::to_string(*first + 1) + two_digits(*first + 2);
          if (text != expected)
            add(n, k, "assessment year " + quoted(text) + ", expected " + expected);
        }
        break;
    }
  }

  // An amount field of a whole record, kept for the sums it takes part in.
  void amount_field(const ReturnField& field, const RecordTable& table) {
    const std::optional<Paise> value = amount(field.number);
    amounts_[static_cast<std::size_t>(field.number)] = value;
    if (table.kind == RecordKind::Challan) {
      if (field.number == facts_.deposit_field) {
        if (value)
          deposits_ += *value;
        else
          deposits_known_ = false;
      }
      if (field.sums_deductee_field != 0) {
        open_->stated.emplace_back(field.sums_deductee_field, value);
        open_->sums.push_back(0);
      }
    }
  }

  // Nil challans follow the real ones, one per section.
  void nil_indicator(long long n, int k) {
    if (f(k) == "N") {
      if (nil_seen_) add(n, k, "a regular challan after a nil challan");
    } else if (f(k) == "Y") {
      nil_seen_ = true;
      const int section = facts_.nil_section_field;
      if (section > 0 && !nil_sections_.insert(std::string(f(section))).second)
        add(n, section, "a second nil challan of section " + quoted(f(section)));
    } else {
      add(n, k, "nil indicator " + quoted(f(k)) + " is not N or Y");
    }
  }

  void close_challan() {
    if (!open_) return;
    const OpenChallan& c = *open_;
    if (c.stated_records && *c.stated_records != c.records)
      add(c.line, record_table(form_, RecordKind::Challan).checked_field(Check::DeducteeCount),
          std::to_string(*c.stated_records) + " deductee records stated, " +
              std::to_string(c.records) + " found");
    for (std::size_t i = 0; c.sums_known && i < c.stated.size(); ++i) {
      const auto& [dd_field, stated] = c.stated[i];
      if (stated && *stated != c.sums[i])
        add(c.line, stated_field(dd_field),
            amount_text(*stated) + " stated, the deductee records' field " +
                std::to_string(dd_field) + " sums to " + amount_text(c.sums[i]));
    }
    open_.reset();
  }

  // The CD field that states the sum of DD field `dd_field`.
  int stated_field(int dd_field) const {
    for (const ReturnField& field : record_table(form_, RecordKind::Challan).fields)
      if (field.sums_deductee_field == dd_field) return field.number;
    return 0;
  }

  void finish() {
    close_challan();
    if (!has_file_header_) add(0, 0, "no FH record");
    if (batch_line_ == 0) add(0, 0, "no BH record");
    if (challans_ == 0) add(0, 0, "no CD record");
    if (stated_batches_ && *stated_batches_ != batches_)
      add(file_header_line_,
          record_table(form_, RecordKind::FileHeader).checked_field(Check::BatchCount),
          std::to_string(*stated_batches_) + " batch records stated, " + std::to_string(batches_) +
              " found");
    const RecordTable& batch = record_table(form_, RecordKind::BatchHeader);
    if (stated_challans_ && *stated_challans_ != challans_)
      add(batch_line_, batch.checked_field(Check::ChallanCount),
          std::to_string(*stated_challans_) + " challan records stated, " +
              std::to_string(challans_) + " found");
    if (stated_deposit_ && deposits_known_ && *stated_deposit_ != round_to_rupees(deposits_))
      add(batch_line_, batch.checked_field(Check::DepositTotal),
          "total deposit " + amount_text(*stated_deposit_) + ", expected " +
              amount_text(round_to_rupees(deposits_)));
  }

  std::optional<long long> count(long long n, int k) {
    const auto value = parse_count(f(k));
    if (!value) add(n, k, quoted(f(k)) + " is not a whole number");
    return value;
  }

  // The amount a field states, when it reads as one (field_fault names what it
  // is when it does not).
  std::optional<Paise> amount(int k) const {
    return f(k).empty() ? std::nullopt : parse_amount(f(k));
  }

  CheckReport report_;
  // The records of Form 26 until the file header names a form.
  Form form_ = Form::F26;
  RecordFacts facts_ = record_facts(Form::F26);
  std::vector<std::string_view> fields_;
  std::array<std::optional<Paise>, 64> amounts_{};  // the current record's, by field
  long long records_ = 0;                           // lines holding a record, empty ones aside
  bool has_file_header_ = false;
  long long file_header_line_ = 0;
  std::optional<long long> stated_batches_;
  long long batches_ = 0;  // BH records
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
  ReturnWarnings warnings_{Form::F26};
};

}  // namespace

CheckReport check_return_file(std::string_view bytes) { return Checker().run(bytes); }

}  // namespace fenwarx
