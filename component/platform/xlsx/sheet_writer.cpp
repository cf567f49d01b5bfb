#include "platform/xlsx/sheet_writer.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "platform/values/variant.hpp"
#include "platform/xlsx/formula_shift.hpp"
#include "platform/xlsx/huge_pages.hpp"
#include "platform/xlsx/xml_scan.hpp"
#include "platform/xlsx/xml_writer.hpp"

namespace fenwarx {

namespace {

using namespace xml_scan;

// A dependent of a shared formula whose master was overwritten: it gets the
// master's formula moved to it, so it keeps computing.
struct Handover {
  int row = 0, column = 0;
  const SharedFormula* group = nullptr;
};

bool before(const Handover& h, int row, int column) {
  return h.row < row || (h.row == row && h.column < column);
}

struct Area {
  int top = 0, left = 0, bottom = 0, right = 0;
  friend bool operator==(const Area&, const Area&) = default;
};

std::optional<Area> parse_area(std::string_view ref) {
  const std::size_t colon = ref.find(':');
  const auto first = parse_cell_reference(ref.substr(0, colon));
  const auto last =
      colon == std::string_view::npos ? first : parse_cell_reference(ref.substr(colon + 1));
  if (!first || !last || !within_sheet(*first) || !within_sheet(*last)) return std::nullopt;
  return Area{std::min(first->row, last->row), std::min(first->column, last->column),
              std::max(first->row, last->row), std::max(first->column, last->column)};
}

class Writer {
 public:
  Writer(std::string_view xml, const SheetLayout& layout, const CellStore& store,
         const TextPool& texts)
      : xml_(xml), source_{xml, {}}, layout_(layout), store_(store), texts_(texts) {}

  std::string run() {
    collect_handovers();
    out_.reserve(xml_.size() + xml_.size() / 4 + 65536);
    advise_huge_pages(out_.data(), out_.capacity());
    append_prefix();
    if (layout_.data_self_closing) append_tag("<", "sheetData>");
    std::size_t copied = layout_.content_begin;
    int next_row = 1;
    for (const RowSpan& span : layout_.rows) {
      const int row = static_cast<int>(span.row);
      append_new_rows(next_row, row);
      out_.append(xml_.substr(copied, span.begin - copied));
      append_row(span);
      copied = span.begin + span.length;
      next_row = row + 1;
    }
    append_new_rows(next_row, store_.row_count() + 1);
    if (layout_.data_self_closing) append_tag("</", "sheetData>");
    out_.append(xml_.substr(copied));
    return std::move(out_);
  }

 private:
  void append_tag(std::string_view open, std::string_view rest) {
    out_ += open;
    out_ += layout_.prefix;
    out_ += rest;
  }

  void collect_handovers() {
    for (const auto& [si, group] : layout_.shared) {
      if (group.master.row == 0 || group.text.empty()) continue;
      const CellRecord* master = store_.find(group.master.row, group.master.column);
      if (!master || !(master->flags & cell_flag::kValueChanged)) continue;
      for (const CellAddress& dependent : group.dependents) {
        const CellRecord* cell = store_.find(dependent.row, dependent.column);
        if (cell && !(cell->flags & cell_flag::kValueChanged))
          handovers_.push_back(Handover{dependent.row, dependent.column, &group});
      }
    }
    std::sort(handovers_.begin(), handovers_.end(),
              [](const Handover& a, const Handover& b) { return before(a, b.row, b.column); });
  }

  const Handover* find_handover(int row, int column) const {
    auto it = std::lower_bound(handovers_.begin(), handovers_.end(), 0,
                               [&](const Handover& h, int) { return before(h, row, column); });
    return it != handovers_.end() && it->row == row && it->column == column ? &*it : nullptr;
  }

  bool row_has_handover(int row) const {
    auto it = std::lower_bound(handovers_.begin(), handovers_.end(), 0,
                               [&](const Handover& h, int) { return h.row < row; });
    return it != handovers_.end() && it->row == row;
  }

  // Everything before the rows, with the dimension widened when the cells grew past it.
  void append_prefix() {
    const std::size_t end = layout_.data_self_closing ? layout_.data_begin : layout_.content_begin;
    const auto grown = grown_dimension();
    if (!grown) {
      out_.append(xml_.substr(0, end));
      return;
    }
    out_.append(xml_.substr(0, layout_.dimension_begin));
    append_cell_reference(out_, grown->top, grown->left);
    if (grown->bottom != grown->top || grown->right != grown->left) {
      out_ += ':';
      append_cell_reference(out_, grown->bottom, grown->right);
    }
    out_.append(xml_.substr(layout_.dimension_end, end - layout_.dimension_end));
  }

  std::optional<Area> grown_dimension() const {
    if (layout_.dimension_begin == SheetLayout::kNone) return std::nullopt;
    const auto old = parse_area(
        xml_.substr(layout_.dimension_begin, layout_.dimension_end - layout_.dimension_begin));
    if (!old) return std::nullopt;
    Area area = *old;
    for (int row = 1; row <= store_.row_count(); ++row) {
      const CellStore::Row* cells = store_.row(row);
      if (!cells || cells->empty()) continue;
      area.top = std::min(area.top, row);
      area.bottom = std::max(area.bottom, row);
      area.left = std::min(area.left, static_cast<int>(cells->front().column));
      area.right = std::max(area.right, static_cast<int>(cells->back().column));
    }
    if (area == *old) return std::nullopt;
    return area;
  }

  // Rows only the store has, from `first` up to (not including) `limit`.
  void append_new_rows(int first, int limit) {
    for (int row = first; row < limit; ++row) {
      if (!store_.row_changed(row)) continue;
      const CellStore::Row* cells = store_.row(row);
      if (!cells || cells->empty()) continue;
      const std::size_t mark = out_.size();
      append_tag("<", "row r=\"");
      append_int(out_, row);
      out_ += "\">";
      const std::size_t content = out_.size();
      for (const CellRecord& record : *cells) append_record(row, record);
      if (out_.size() == content) {
        out_.resize(mark);  // nothing to show: no row at all
        continue;
      }
      append_tag("</", "row>");
    }
  }

  void append_row(const RowSpan& span) {
    const int row = static_cast<int>(span.row);
    const bool changed = store_.row_changed(row) || row_has_handover(row);
    if (!changed && span.has_reference) {
      out_.append(xml_.substr(span.begin, span.length));
      return;
    }
    const std::string number = std::to_string(row);
    if (!changed) {
      append_start_tag(span.begin, number, {}, nullptr, true);
      out_.append(xml_.substr(span.begin + span.tag_length, span.length - span.tag_length));
      return;
    }
    // spans may no longer cover the row's cells; it is only a hint, so it goes.
    const StartTag tag = append_start_tag(span.begin, number, "spans", nullptr, false);
    if (const CellStore::Row* cells = store_.row(row)) {
      for (const CellRecord& record : *cells) append_cell(span, record);
    }
    out_ += "</";
    out_.append(tag.qname);
    out_ += '>';
  }

  void append_cell(const RowSpan& span, const CellRecord& record) {
    const int row = static_cast<int>(span.row);
    const int column = static_cast<int>(record.column);
    if (record.source_offset == CellRecord::kNoSource ||
        (record.flags & cell_flag::kValueChanged)) {
      append_record(row, record);
      return;
    }
    const std::size_t at = record.source_offset;
    const std::size_t end = at + record.source_length;
    const bool restyled = record.flags & cell_flag::kStyleChanged;
    const Handover* handover = find_handover(row, column);
    if (!restyled && !handover && !span.cells_unreferenced) {
      out_.append(xml_.substr(at, end - at));
      return;
    }
    const StartTag tag = append_start_tag(at, cell_reference(row, column), {},
                                          restyled ? &record.style : nullptr, true);
    if (tag.self_closing) return;
    if (handover)
      append_children_with_formula(tag.end, end, *handover);
    else
      out_.append(xml_.substr(tag.end, end - tag.end));
  }

  // The cell's children from `pos` to `end` (its end tag included), the shared
  // <f> replaced by the master's formula moved to this cell.
  void append_children_with_formula(std::size_t pos, std::size_t end, const Handover& handover) {
    std::size_t i = pos;
    for (;;) {
      const std::size_t lt = find_char(xml_, i, '<');
      if (lt == std::string_view::npos || lt + 1 >= end || xml_[lt + 1] == '/') break;
      if (xml_[lt + 1] == '!' || xml_[lt + 1] == '?') {
        i = skip_markup(source_, lt);
        continue;
      }
      const std::size_t child_end = element_end(source_, lt);
      const std::string_view qname = xml_.substr(lt + 1, name_end(xml_, lt + 1) - lt - 1);
      if (local_name(qname) == "f") {
        const SharedFormula& group = *handover.group;
        out_.append(xml_.substr(pos, lt - pos));
        out_ += '<';
        out_.append(qname);
        out_ += '>';
        append_escaped_text(out_, shift_formula(group.text, handover.row - group.master.row,
                                                handover.column - group.master.column));
        out_ += "</";
        out_.append(qname);
        out_ += '>';
        out_.append(xml_.substr(child_end, end - child_end));
        return;
      }
      i = child_end;
    }
    out_.append(xml_.substr(pos, end - pos));
  }

  // Re-emits the start tag at `at` with its attributes in order, leaving out the
  // one named `drop`, giving s the value *style when set, and adding r (first)
  // when the tag has none. A self-closing tag stays so only if `keep_self_closing`.
  StartTag append_start_tag(std::size_t at, std::string_view missing_r, std::string_view drop,
                            const std::uint32_t* style, bool keep_self_closing) {
    bool has_r = false, has_s = false;
    const StartTag tag =
        read_start_tag(source_, at, [&](std::string_view name, std::string_view, std::size_t) {
          has_r = has_r || name == "r";
          has_s = has_s || name == "s";
        });
    out_ += '<';
    out_.append(tag.qname);
    if (!has_r) {
      out_ += " r=\"";
      out_ += missing_r;
      out_ += '"';
    }
    read_start_tag(
        source_, at, [&](std::string_view name, std::string_view value, std::size_t begin) {
          if (name == drop) return;
          out_ += ' ';
          if (style && name == "s") {
            out_ += "s=\"";
            append_int(out_, *style);
            out_ += '"';
            return;
          }
          const std::size_t value_end =
              static_cast<std::size_t>(value.data() - xml_.data()) + value.size();
          out_.append(xml_.substr(begin, value_end + 1 - begin));  // through the closing quote
        });
    if (style && !has_s) {
      out_ += " s=\"";
      append_int(out_, *style);
      out_ += '"';
    }
    out_ += tag.self_closing && keep_self_closing ? "/>" : ">";
    return tag;
  }

  void open_cell(int row, const CellRecord& record, std::string_view type) {
    append_tag("<", "c r=\"");
    append_cell_reference(out_, row, static_cast<int>(record.column));
    out_ += '"';
    if (record.style != 0) {
      out_ += " s=\"";
      append_int(out_, record.style);
      out_ += '"';
    }
    if (!type.empty()) {
      out_ += " t=\"";
      out_ += type;
      out_ += '"';
    }
  }

  void append_value(std::string_view text) {
    append_tag("<", "v>");
    append_escaped_text(out_, text);
    append_tag("</", "v>");
  }

  // The cell as the store holds it now; an Empty cell without a style is left out.
  void append_record(int row, const CellRecord& record) {
    switch (record.kind) {
      case CellKind::Empty:
        if (record.style == 0) return;
        open_cell(row, record, {});
        out_ += "/>";
        return;
      case CellKind::Number:
        if (!std::isfinite(record.number)) {
          open_cell(row, record, "e");
          out_ += '>';
          append_value(cell_error::to_text(cell_error::kNum));
          break;
        }
        open_cell(row, record, {});
        out_ += '>';
        append_tag("<", "v>");
        append_double(out_, record.number);
        append_tag("</", "v>");
        break;
      case CellKind::Text: {
        const std::string_view text = record.text < texts_.size()
                                          ? std::string_view(texts_.at(record.text))
                                          : std::string_view();
        open_cell(row, record, "inlineStr");
        out_ += '>';
        append_tag("<", "is>");
        append_tag("<", needs_preserved_space(text) ? "t xml:space=\"preserve\">" : "t>");
        append_escaped_text(out_, text);
        append_tag("</", "t>");
        append_tag("</", "is>");
        break;
      }
      case CellKind::Boolean:
        open_cell(row, record, "b");
        out_ += '>';
        append_value(record.number != 0 ? "1" : "0");
        break;
      case CellKind::Error: {
        std::string_view text = cell_error::to_text(static_cast<int>(record.number));
        if (text.empty()) text = cell_error::to_text(cell_error::kNA);
        open_cell(row, record, "e");
        out_ += '>';
        append_value(text);
        break;
      }
    }
    append_tag("</", "c>");
  }

  std::string_view xml_;
  Source source_;
  const SheetLayout& layout_;
  const CellStore& store_;
  const TextPool& texts_;
  std::vector<Handover> handovers_;
  std::string out_;
};

}  // namespace

std::string write_sheet(std::string_view xml, const SheetLayout& layout, const CellStore& store,
                        const TextPool& texts) {
  return Writer(xml, layout, store, texts).run();
}

}  // namespace fenwarx
