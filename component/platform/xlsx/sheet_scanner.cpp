#include "platform/xlsx/sheet_scanner.hpp"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/spreadsheet/date_serials.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/values/variant.hpp"
#include "platform/xlsx/iso_datetime.hpp"
#include "platform/xlsx/xml_scan.hpp"

namespace fenwarx {

namespace {

using namespace xml_scan;

constexpr std::string_view kLimits = "cell reference beyond the sheet's limits";

std::string_view trim(std::string_view text) {
  while (!text.empty() && is_space(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_space(text.back())) text.remove_suffix(1);
  return text;
}

bool read_index(std::string_view text, std::uint32_t& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

bool read_double(std::string_view text, double& value) {
  text = trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size() &&
         std::isfinite(value);
}

// A row number of digits only; past the sheet's last row reads as kMaxRows + 1.
std::optional<int> read_row_number(std::string_view text) {
  if (text.empty()) return std::nullopt;
  long long row = 0;
  for (char c : text) {
    if (!is_ascii_digit(c)) return std::nullopt;
    if (row <= kMaxRows) row = row * 10 + (c - '0');
  }
  if (row == 0) return std::nullopt;
  return row > kMaxRows ? kMaxRows + 1 : static_cast<int>(row);
}

std::string quoted(std::string_view text) {
  std::string out = "\"";
  out += text;
  out += '"';
  return out;
}

class Scanner {
 public:
  Scanner(std::string_view part_name, std::string_view xml, StoredSheet& sheet)
      : source_{xml, part_name},
        store_(sheet.store()),
        texts_(sheet.texts()),
        date1904_(sheet.date1904()) {}

  SheetLayout run() {
    const std::string_view text = source_.text;
    std::size_t pos = 0;
    for (;;) {
      const std::size_t lt = find_char(text, pos, '<');
      if (lt == std::string_view::npos) invalid(source_, text.size(), "no sheetData element");
      if (lt + 1 >= text.size()) malformed(source_, lt, "unclosed tag");
      const char next = text[lt + 1];
      if (next == '!' || next == '?') {
        pos = skip_markup(source_, lt);
        continue;
      }
      if (next == '/') {
        const std::size_t close = find_char(text, lt, '>');
        if (close == std::string_view::npos) malformed(source_, lt, "unclosed end tag");
        pos = close + 1;
        continue;
      }
      std::string_view ref;
      bool has_ref = false;
      const StartTag tag = read_start_tag(
          source_, lt, [&](std::string_view name, std::string_view value, std::size_t) {
            if (name == "ref") {
              ref = value;
              has_ref = true;
            }
          });
      const std::string_view local = local_name(tag.qname);
      if (local == "dimension" && has_ref) {
        layout_.dimension_begin = static_cast<std::size_t>(ref.data() - text.data());
        layout_.dimension_end = layout_.dimension_begin + ref.size();
      }
      if (local == "sheetData") {
        layout_.prefix = std::string(tag.qname.substr(0, tag.qname.size() - local.size()));
        layout_.data_begin = lt;
        layout_.content_begin = tag.end;
        if (tag.self_closing) {
          layout_.data_self_closing = true;
          layout_.content_end = tag.end;
          layout_.data_end = tag.end;
        } else {
          scan_data(tag);
        }
        return std::move(layout_);
      }
      pos = tag.end;
    }
  }

 private:
  // The next '<' at or after `pos`, inside the element `qname`.
  std::size_t next_markup(std::size_t pos, std::string_view qname) const {
    const std::size_t lt = find_char(source_.text, pos, '<');
    if (lt == std::string_view::npos || lt + 1 >= source_.text.size())
      malformed(source_, source_.text.size(), "end of input inside <" + std::string(qname) + ">");
    return lt;
  }

  std::string_view peek_local_name(std::size_t lt) const {
    const std::size_t end = name_end(source_.text, lt + 1);
    return local_name(source_.text.substr(lt + 1, end - lt - 1));
  }

  void scan_data(const StartTag& data) {
    std::size_t pos = data.end;
    for (;;) {
      const std::size_t lt = next_markup(pos, data.qname);
      const char next = source_.text[lt + 1];
      if (next == '/') {
        layout_.content_end = lt;
        layout_.data_end = read_end_tag(source_, lt, data.qname);
        return;
      }
      if (next == '!' || next == '?') {
        pos = skip_markup(source_, lt);
        continue;
      }
      const std::string_view local = peek_local_name(lt);
      if (local == "row") {
        pos = scan_row(lt);
      } else if (local == "c") {
        malformed(source_, lt, "<c> outside a <row>");
      } else {
        pos = skip_element(lt);
      }
    }
  }

  std::size_t scan_row(std::size_t lt) {
    std::string_view r, s, custom_format;
    bool has_r = false, has_s = false;
    const StartTag tag = read_start_tag(
        source_, lt, [&](std::string_view name, std::string_view value, std::size_t) {
          if (name == "r") {
            r = value;
            has_r = true;
          } else if (name == "s") {
            s = value;
            has_s = true;
          } else if (name == "customFormat") {
            custom_format = value;
          }
        });
    int row = previous_row_ + 1;
    if (has_r) {
      const auto number = read_row_number(trim(r));
      if (!number) invalid(source_, lt, "invalid row number " + quoted(r));
      row = *number;
    }
    if (row > kMaxRows) invalid(source_, lt, kLimits);
    if (row <= previous_row_) invalid(source_, lt, "row " + std::to_string(row) + " out of order");
    previous_row_ = row;
    if (has_s && (custom_format == "1" || custom_format == "true")) {
      std::uint32_t style = 0;
      if (!read_index(trim(s), style)) invalid(source_, lt, "invalid style index " + quoted(s));
      store_.set_row_style(row, style);
    }

    RowSpan span;
    span.begin = lt;
    span.tag_length = static_cast<std::uint32_t>(tag.end - lt);
    span.row = static_cast<std::uint32_t>(row);
    span.self_closing = tag.self_closing;
    span.has_reference = has_r;
    std::size_t pos = tag.end;
    if (!tag.self_closing) {
      int column = 0;
      for (;;) {
        const std::size_t child = next_markup(pos, tag.qname);
        const char next = source_.text[child + 1];
        if (next == '/') {
          pos = read_end_tag(source_, child, tag.qname);
          break;
        }
        if (next == '!' || next == '?') {
          pos = skip_markup(source_, child);
          continue;
        }
        pos = peek_local_name(child) == "c" ? scan_cell(child, row, column, span)
                                            : skip_element(child);
      }
    }
    span.length = static_cast<std::uint32_t>(pos - lt);
    layout_.rows.push_back(span);
    return pos;
  }

  std::size_t scan_cell(std::size_t lt, int row, int& column, RowSpan& span) {
    std::string_view r, s, t;
    bool has_r = false, has_s = false;
    const StartTag tag = read_start_tag(
        source_, lt, [&](std::string_view name, std::string_view value, std::size_t) {
          if (name.size() != 1) return;
          if (name[0] == 'r') {
            r = value;
            has_r = true;
          } else if (name[0] == 's') {
            s = value;
            has_s = true;
          } else if (name[0] == 't') {
            t = value;
          }
        });
    int cell_column = column + 1;
    if (has_r) {
      const auto address = parse_cell_reference(r);
      if (!address) invalid(source_, lt, "invalid cell reference " + quoted(r));
      if (!within_sheet(*address)) invalid(source_, lt, kLimits);
      if (address->row != row)
        invalid(source_, lt, "cell " + std::string(r) + " outside its row " + std::to_string(row));
      cell_column = address->column;
    } else {
      span.cells_unreferenced = true;
      if (cell_column > kMaxColumns) invalid(source_, lt, kLimits);
    }
    if (cell_column <= column)
      invalid(source_, lt, "cell " + cell_reference(row, cell_column) + " out of order");
    column = cell_column;

    CellRecord record;
    record.column = static_cast<std::uint32_t>(cell_column);
    record.source_offset = lt;
    if (has_s && !read_index(trim(s), record.style))
      invalid(source_, lt, "invalid style index " + quoted(s));

    bool has_value = false, has_inline = false;
    std::string_view value;
    std::size_t pos = tag.end;
    if (!tag.self_closing) {
      for (;;) {
        const std::size_t child_at = next_markup(pos, tag.qname);
        const char next = source_.text[child_at + 1];
        if (next == '/') {
          pos = read_end_tag(source_, child_at, tag.qname);
          break;
        }
        if (next == '!' || next == '?') {
          pos = skip_markup(source_, child_at);
          continue;
        }
        std::string_view f_type, f_si;
        bool f_ref = false;
        const StartTag child = read_start_tag(
            source_, child_at, [&](std::string_view name, std::string_view v, std::size_t) {
              if (name == "t")
                f_type = v;
              else if (name == "si")
                f_si = v;
              else if (name == "ref")
                f_ref = true;
            });
        const std::string_view local = local_name(child.qname);
        if (local == "v") {
          has_value = true;
          pos = child.self_closing ? child.end
                                   : read_text(child.end, child.qname, value_buffer_, value);
        } else if (local == "f") {
          std::string_view body;
          pos = child.self_closing ? child.end
                                   : read_text(child.end, child.qname, formula_buffer_, body);
          record.flags |= cell_flag::kFormula;
          if (f_type == "shared")
            note_shared(child_at, f_si, body, f_ref, CellAddress{row, cell_column}, record);
        } else if (local == "is") {
          has_inline = true;
          inline_buffer_.clear();
          pos = child.self_closing ? child.end : read_rich_text(child.end, child.qname, true);
        } else {
          pos = skip_element(child_at, child);
        }
      }
    }
    const std::size_t length = pos - lt;
    if (length > std::numeric_limits<std::uint32_t>::max()) invalid(source_, lt, "cell too large");
    record.source_length = static_cast<std::uint32_t>(length);
    read_value(lt, t, has_value, value, has_inline, record);
    if (record.kind != CellKind::Empty || record.style != 0 || (record.flags & cell_flag::kFormula))
      store_.append(row, record);
    return pos;
  }

  // A shared formula's master has the formula text (and the ref of its group);
  // a dependent only names the group.
  void note_shared(std::size_t at, std::string_view si_text, std::string_view body, bool has_ref,
                   CellAddress cell, CellRecord& record) {
    std::uint32_t si = 0;
    if (!read_index(trim(si_text), si))
      invalid(source_, at, "invalid shared formula index " + quoted(si_text));
    SharedFormula& group = layout_.shared[si];
    if (!body.empty() || has_ref) {
      record.flags |= cell_flag::kSharedMaster;
      group.master = cell;
      group.text.assign(body);
    } else {
      record.flags |= cell_flag::kSharedChild;
      group.dependents.push_back(cell);
    }
  }

  void read_value(std::size_t lt, std::string_view type, bool has_value, std::string_view value,
                  bool has_inline, CellRecord& record) {
    if (type == "inlineStr") {
      if (has_inline) {
        record.kind = CellKind::Text;
        record.text = texts_.add(inline_buffer_);
      } else if (has_value) {
        record.kind = CellKind::Text;
        record.text = texts_.add(std::string(value));
      }
      return;
    }
    if (!has_value) return;
    if (type.empty() || type == "n") {
      if (trim(value).empty()) return;
      if (!read_double(value, record.number))
        invalid(source_, lt, "invalid number " + quoted(value));
      record.kind = CellKind::Number;
    } else if (type == "s") {
      std::uint32_t index = 0;
      if (!read_index(trim(value), index))
        invalid(source_, lt, "invalid shared string index " + quoted(value));
      if (index >= texts_.size())
        throw RuntimeError(err::kApplication, std::string(source_.part) + ": shared string " +
                                                  std::to_string(index) + " does not exist");
      record.kind = CellKind::Text;
      record.text = index;
    } else if (type == "str") {
      record.kind = CellKind::Text;
      record.text = texts_.add(std::string(value));
    } else if (type == "b") {
      double number = 0;
      if (!read_double(value, number)) invalid(source_, lt, "invalid boolean " + quoted(value));
      record.kind = CellKind::Boolean;
      record.number = number != 0 ? 1 : 0;
    } else if (type == "e") {
      const int code = cell_error::from_text(trim(value));
      record.kind = CellKind::Error;
      record.number = code != 0 ? code : cell_error::kNA;
    } else if (type == "d") {
      const auto date = parse_iso_datetime(trim(value));
      const auto stored = date ? stored_from_date(*date, date1904_) : std::nullopt;
      if (stored) {
        record.kind = CellKind::Number;
        record.number = *stored;
      } else {
        // A date the workbook cannot hold as a serial is kept as its text.
        record.kind = CellKind::Text;
        record.text = texts_.add(std::string(value));
      }
    } else {
      invalid(source_, lt, "unknown cell type " + quoted(type));
    }
  }

  // The text content of the element `qname` whose start tag ends at `pos`:
  // entities decoded, CDATA taken as text, comments skipped. Returns the offset
  // past its end tag; `out` views the source when nothing needed decoding.
  std::size_t read_text(std::size_t pos, std::string_view qname, std::string& buffer,
                        std::string_view& out) {
    const std::string_view text = source_.text;
    std::size_t lt = next_markup(pos, qname);
    if (text[lt + 1] == '/' && text.substr(pos, lt - pos).find('&') == std::string_view::npos) {
      out = text.substr(pos, lt - pos);
      return read_end_tag(source_, lt, qname);
    }
    buffer.clear();
    std::size_t i = pos;
    for (;;) {
      lt = next_markup(i, qname);
      append_decoded(source_, text.substr(i, lt - i), buffer);
      if (text[lt + 1] == '/') {
        out = buffer;
        return read_end_tag(source_, lt, qname);
      }
      if (starts_with_at(text, lt, "<![CDATA[")) {
        const std::size_t close = text.find("]]>", lt + 9);
        if (close == std::string_view::npos) malformed(source_, lt, "unclosed CDATA section");
        buffer.append(text.substr(lt + 9, close - lt - 9));
        i = close + 3;
      } else if (text[lt + 1] == '!' || text[lt + 1] == '?') {
        i = skip_markup(source_, lt);
      } else {
        malformed(source_, lt, "element inside <" + std::string(qname) + ">");
      }
    }
  }

  // The texts of an <is> (runs allowed) or an <r> run, appended to inline_buffer_;
  // phonetic runs and run properties are skipped.
  std::size_t read_rich_text(std::size_t pos, std::string_view qname, bool runs) {
    for (;;) {
      const std::size_t lt = next_markup(pos, qname);
      const char next = source_.text[lt + 1];
      if (next == '/') return read_end_tag(source_, lt, qname);
      if (next == '!' || next == '?') {
        pos = skip_markup(source_, lt);
        continue;
      }
      const StartTag child =
          read_start_tag(source_, lt, [](std::string_view, std::string_view, std::size_t) {});
      const std::string_view local = local_name(child.qname);
      if (local == "t") {
        std::string_view piece;
        pos =
            child.self_closing ? child.end : read_text(child.end, child.qname, text_buffer_, piece);
        inline_buffer_.append(piece);
      } else if (local == "r" && runs) {
        pos = child.self_closing ? child.end : read_rich_text(child.end, child.qname, false);
      } else {
        pos = skip_element(lt, child);
      }
    }
  }

  std::size_t skip_element(std::size_t lt) {
    const StartTag tag =
        read_start_tag(source_, lt, [](std::string_view, std::string_view, std::size_t) {});
    return skip_element(lt, tag);
  }

  // Past the element whose start tag `tag` was read at `lt`, checking its nesting.
  std::size_t skip_element(std::size_t, const StartTag& tag) {
    if (tag.self_closing) return tag.end;
    open_.clear();
    open_.push_back(tag.qname);
    std::size_t pos = tag.end;
    while (!open_.empty()) {
      const std::size_t lt = next_markup(pos, open_.back());
      const char next = source_.text[lt + 1];
      if (next == '/') {
        pos = read_end_tag(source_, lt, open_.back());
        open_.pop_back();
      } else if (next == '!' || next == '?') {
        pos = skip_markup(source_, lt);
      } else {
        const StartTag child =
            read_start_tag(source_, lt, [](std::string_view, std::string_view, std::size_t) {});
        if (!child.self_closing) open_.push_back(child.qname);
        pos = child.end;
      }
    }
    return pos;
  }

  Source source_;
  CellStore& store_;
  TextPool& texts_;
  bool date1904_;
  SheetLayout layout_;
  int previous_row_ = 0;
  std::string value_buffer_, formula_buffer_, text_buffer_, inline_buffer_;
  std::vector<std::string_view> open_;
};

}  // namespace

SheetLayout scan_sheet(std::string_view part_name, std::string_view xml, StoredSheet& sheet) {
  return Scanner(part_name, xml, sheet).run();
}

}  // namespace fenwarx
