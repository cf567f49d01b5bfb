#include "jobs/result_json.hpp"

#include <fmt/format.h>

#include <cmath>

#include "layout/forms.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/utf8.hpp"
#include "platform/values/variant.hpp"

namespace fenwarx::jobs {
namespace {

std::string json_number(double value) {
  // JSON has no infinities or NaN.
  if (!std::isfinite(value)) return "null";
  return number_text(value);
}

void append_message(std::string& out, const Message& m) {
  out += fmt::format(R"({{"text": {}, "title": {}, "style": {}}})", json_string(m.text),
                     json_string(m.title), m.style);
}

void append_log_line(std::string& out, const LogLine& line) {
  out += fmt::format(
      R"({{"sheet": {}, "row": {}, "column": {}, "address": {}, "caption": {}, "rule": {}}})",
      json_string(line.sheet), line.row, line.column, json_string(line.address),
      json_value(line.caption), json_string(line.rule));
}

// One element per line, so a report reads (and diffs) line by line.
template <typename T, typename Append>
void append_array(std::string& out, const std::vector<T>& items, Append append) {
  if (items.empty()) {
    out += "[]";
    return;
  }
  out += "[\n";
  for (std::size_t i = 0; i < items.size(); ++i) {
    out += "    ";
    append(out, items[i]);
    out += i + 1 < items.size() ? ",\n" : "\n";
  }
  out += "  ]";
}

std::string optional_path(const std::optional<std::filesystem::path>& path) {
  return path ? json_string(path->string()) : "null";
}

}  // namespace

std::string json_string(std::string_view text) {
  std::string out = "\"";
  for (std::size_t at = 0; at < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[at]);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          out += fmt::format("\\u{:04x}", c);
        } else if (const std::size_t length = utf8_sequence_length(text, at); length > 0) {
          out.append(text.substr(at, length));
          at += length;
          continue;
        } else {
          out += "\\ufffd";
        }
    }
    ++at;
  }
  out += '"';
  return out;
}

std::string json_failure(const std::optional<Failure>& failure) {
  if (!failure) return "null";
  return fmt::format(R"({{"number": {}, "description": {}}})", failure->number,
                     json_string(failure->description));
}

std::string json_value(const Variant& value) {
  switch (value.type()) {
    case VariantType::Empty: return "null";
    case VariantType::Number: return json_number(value.number_value());
    case VariantType::Object: return "null";
    default: return json_string(value.to_text());
  }
}

std::string json_text(const Result& result, bool results) {
  std::string out = "{\n  \"messages\": ";
  append_array(out, result.messages, append_message);
  out += fmt::format(",\n  \"errors\": {},\n  \"log\": ", json_number(result.errors));
  append_array(out, result.log, append_log_line);
  // Notes say what a message box leaves unsaid (which cell wants the year); only when there are
  // any.
  if (!result.notes.empty()) {
    out += ",\n  \"notes\": ";
    append_array(out, result.notes,
                 [](std::string& o, const std::string& note) { o += json_string(note); });
  }
  // Rows the return file leaves out (Form 24's without tax or challan): only when there are any.
  if (!result.not_written.empty()) {
    out += ",\n  \"not_written\": ";
    append_array(out, result.not_written, [](std::string& o, const SheetRow& row) {
      o += fmt::format(R"({{"sheet": {}, "row": {}}})", json_string(row.sheet), row.row);
    });
  }
  // What a certificate run wrote: only after one that wrote the host's tables.
  if (result.certificates) {
    out += fmt::format(
        ",\n  \"certificates\": {{\"rows\": {}, \"certificates\": {}, \"utility\": {}}}",
        result.certificates->rows, result.certificates->certificates,
        optional_path(result.certificates->utility));
  }
  if (results) {
    out += ",\n  \"results\": ";
    append_array(out, result.results,
                 [](std::string& o, const std::string& r) { o += json_string(r); });
  }
  // The form the job took, told by the workbook or given: what a caller without
  // the workbook (the spreadsheet toolbar's Validate) needs to know.
  out += fmt::format(
      ",\n  \"form\": {},\n  \"return_file\": {},\n  \"saved\": {},\n  \"failure\": {}",
      result.form ? json_string(form_name(*result.form)) : "null",
      optional_path(result.return_file), optional_path(result.saved), json_failure(result.failure));
  // A run the user stopped: its failure is error 18, and nothing was saved.
  if (result.outcome == jobs::Outcome::Cancelled) out += ",\n  \"cancelled\": true";
  out += "\n}\n";
  return out;
}

}  // namespace fenwarx::jobs
