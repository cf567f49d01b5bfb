#include "host/certificate_document.hpp"

#include <cairo-pdf.h>

#include <algorithm>
#include <array>
#include <memory>
#include <new>
#include <vector>

#include "host/amounts.hpp"
#include "host/display_text.hpp"
#include "host/page_plan.hpp"
#include "host/text_box.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx::host {
namespace {

// A4 portrait, in points.
constexpr double kPageWidth = 595.276, kPageHeight = 841.89;
constexpr double kMargin = 30;  // left, right and top
constexpr double kContentWidth = kPageWidth - 2 * kMargin;
constexpr double kTableBottom = kPageHeight - 50;  // the footer stands below
constexpr double kFooterTop = kPageHeight - 36;
constexpr double kPad = 2.5;    // between a cell's rules and its text
constexpr int kCellLines = 12;  // enough for the longest text the host keeps, 255 characters
constexpr double kLabelWidth = 64;
constexpr double kAmountGap = 6;  // keeps a right-aligned amount clear of the date beside it

constexpr const char* kCellFont = "DejaVu Sans 7";
constexpr const char* kCellBold = "DejaVu Sans Bold 7";

struct Column {
  const char* heading = "";
  double width = 0;  // points; 0 for the name, which takes what the others leave
  std::string CertificateLine::*text = nullptr;
  bool amount = false;  // right-aligned and totalled
};

// clang-format off
constexpr Column kColumns[] = {
    {.heading = "PAN",          .width = 56, .text = &CertificateLine::pan},
    {.heading = "Name",         .width = 0,  .text = &CertificateLine::name},
    {.heading = "Section",      .width = 36, .text = &CertificateLine::section},
    {.heading = "Amount paid",  .width = 62, .text = &CertificateLine::amount_paid, .amount = true},
    {.heading = "Tax",          .width = 58, .text = &CertificateLine::tax,         .amount = true},
    {.heading = "Paid on",      .width = 51, .text = &CertificateLine::payment_date},
    {.heading = "Deducted on",  .width = 51, .text = &CertificateLine::deduction_date},
    {.heading = "Deposited on", .width = 51, .text = &CertificateLine::deposit_date},
    {.heading = "Challan",      .width = 60, .text = &CertificateLine::challan},
};
// clang-format on
constexpr std::size_t kColumnCount = std::size(kColumns);
constexpr std::size_t kNameColumn = 1;

using Row = std::array<std::string, kColumnCount>;

std::array<double, kColumnCount> column_widths() {
  std::array<double, kColumnCount> widths{};
  double fixed = 0;
  for (std::size_t c = 0; c < kColumnCount; ++c) fixed += widths[c] = kColumns[c].width;
  widths[kNameColumn] = kContentWidth - fixed;
  return widths;
}

std::string lines_text(int count) {
  return std::to_string(count) + (count == 1 ? " line" : " lines");
}

// Draws one certificate: plans its pages from the measured lines, then draws each
// page with the deductor, the table's heading, its lines and, on the last, the totals.
class CertificateDrawing {
 public:
  CertificateDrawing(cairo_t* cairo, const Certificate& certificate)
      : cairo_(cairo),
        context_(point_context(cairo)),
        certificate_(certificate),
        widths_(column_widths()) {
    for (std::size_t c = 0; c < kColumnCount; ++c) {
      const double width = widths_[c] - 2 * kPad - (kColumns[c].amount ? kAmountGap : 0);
      const auto alignment = kColumns[c].amount ? PANGO_ALIGN_RIGHT : PANGO_ALIGN_LEFT;
      headings_.emplace_back(
          context_.get(),
          TextStyle{.font = kCellBold, .width = width, .max_lines = 3, .alignment = alignment});
      cells_.emplace_back(
          context_.get(),
          TextStyle{
              .font = kCellFont, .width = width, .max_lines = kCellLines, .alignment = alignment});
      totals_.emplace_back(
          context_.get(),
          TextStyle{
              .font = kCellBold, .width = width, .max_lines = kCellLines, .alignment = alignment});
    }
  }

  void draw() {
    std::vector<Row> rows;
    std::vector<double> heights;
    rows.reserve(certificate_.lines.size());
    heights.reserve(certificate_.lines.size());
    std::array<ColumnTotal, kColumnCount> sums;
    for (const auto& line : certificate_.lines) {
      Row& row = rows.emplace_back();
      for (std::size_t c = 0; c < kColumnCount; ++c) {
        row[c] = cell_text(line.*kColumns[c].text, kColumns[c].amount);
        if (kColumns[c].amount) sums[c].add(line.*kColumns[c].text);
      }
      heights.push_back(row_height(cells_, row));
    }
    const Row totals = totals_row(sums);
    const std::string note = uncounted_note(sums);

    Row headings;
    for (std::size_t c = 0; c < kColumnCount; ++c) headings[c] = kColumns[c].heading;
    const double table_top = kMargin + header(0, false);
    const double heading_height = row_height(headings_, headings);
    const double totals_height = row_height(totals_, totals) + note_height(note);
    const auto pages =
        plan_pages(heights, kTableBottom - table_top - heading_height, totals_height);

    for (std::size_t p = 0; p < pages.size(); ++p) {
      header(kMargin, true);
      double y = table_top;
      cairo_set_source_rgb(cairo_, 0.88, 0.88, 0.88);
      cairo_rectangle(cairo_, kMargin, y, kContentWidth, heading_height);
      cairo_fill(cairo_);
      draw_row(headings_, headings, y);
      y += heading_height;
      for (std::size_t i = pages[p].first; i < pages[p].first + pages[p].count; ++i) {
        draw_row(cells_, rows[i], y);
        rule(y + heights[i], 0.4, 0.6);
        y += heights[i];
      }
      if (p + 1 == pages.size()) {
        rule(y, 0.8, 0);
        const double height = row_height(totals_, totals);
        draw_row(totals_, totals, y);
        if (!note.empty()) note_box().draw(cairo_, kMargin + kPad, y + height + kPad, note);
      }
      footer(p + 1, pages.size());
      cairo_show_page(cairo_);
    }
  }

 private:
  // The title, the certificate's number and the deductor; their height. Drawn at
  // `top` when `paint`, only measured otherwise, so the two cannot disagree.
  double header(double top, bool paint) {
    TextBox title(context_.get(),
                  TextStyle{.font = "DejaVu Sans Bold 13", .width = kContentWidth * 0.65});
    TextBox number(context_.get(), TextStyle{.font = "DejaVu Sans Bold 11",
                                             .width = kContentWidth * 0.35,
                                             .alignment = PANGO_ALIGN_RIGHT});
    const std::string title_text = "Certificate of tax deducted at source";
    const std::string number_text = "Certificate No. " + std::to_string(certificate_.number);
    double y = top;
    if (paint) {
      cairo_set_source_rgb(cairo_, 0, 0, 0);
      title.draw(cairo_, kMargin, y, title_text);
      number.draw(cairo_, kMargin + kContentWidth * 0.65, y + 2, number_text);
    }
    y += std::max(title.height(title_text), number.height(number_text) + 2) + 10;

    TextBox label(context_.get(), TextStyle{.font = "DejaVu Sans Bold 9", .width = kLabelWidth});
    TextBox value(
        context_.get(),
        TextStyle{.font = "DejaVu Sans 9", .width = kContentWidth - kLabelWidth, .max_lines = 3});
    const std::pair<std::string, std::string> fields[] = {
        {"Deductor", displayable(certificate_.deductor_name)},
        {"TAN", displayable(certificate_.tan)},
        {"PAN", displayable(certificate_.pan)},
    };
    for (const auto& [name, text] : fields) {
      if (paint) {
        label.draw(cairo_, kMargin, y, name);
        value.draw(cairo_, kMargin + kLabelWidth, y, text);
      }
      y += std::max(label.height(name), value.height(text)) + 2;
    }
    return y + 10 - top;
  }

  double row_height(std::vector<TextBox>& boxes, const Row& row) {
    double height = 0;
    for (std::size_t c = 0; c < kColumnCount; ++c)
      height = std::max(height, boxes[c].height(row[c]));
    return height + 2 * kPad;
  }

  void draw_row(std::vector<TextBox>& boxes, const Row& row, double top) {
    cairo_set_source_rgb(cairo_, 0, 0, 0);
    double x = kMargin;
    for (std::size_t c = 0; c < kColumnCount; ++c) {
      boxes[c].draw(cairo_, x + kPad, top + kPad, row[c]);
      x += widths_[c];
    }
  }

  void rule(double y, double width, double grey) {
    cairo_set_source_rgb(cairo_, grey, grey, grey);
    cairo_set_line_width(cairo_, width);
    cairo_move_to(cairo_, kMargin, y);
    cairo_line_to(cairo_, kMargin + kContentWidth, y);
    cairo_stroke(cairo_);
  }

  // An amount shows with two decimals like its total, so the column lines up; a
  // text that states no amount shows as it stands.
  static std::string cell_text(const std::string& text, bool amount) {
    if (amount)
      if (const auto paise = amount_in_paise(text)) return paise_text(*paise);
    return displayable(text);
  }

  static Row totals_row(const std::array<ColumnTotal, kColumnCount>& sums) {
    Row row;
    row[kNameColumn] = "Total";
    for (std::size_t c = 0; c < kColumnCount; ++c)
      if (kColumns[c].amount) row[c] = paise_text(sums[c].paise);
    return row;
  }

  // Which amounts the totals leave out because they are no numbers, so that a
  // reader never takes a total for the sum of every amount shown when it is not.
  static std::string uncounted_note(const std::array<ColumnTotal, kColumnCount>& sums) {
    std::string note;
    for (std::size_t c = 0; c < kColumnCount; ++c) {
      if (sums[c].not_amounts == 0) continue;
      note += note.empty() ? "Not numbers, so not in the totals: " : "; ";
      note += std::string(kColumns[c].heading) + " on " + lines_text(sums[c].not_amounts);
    }
    return note.empty() ? note : note + ".";
  }

  TextBox note_box() {
    return TextBox(context_.get(), TextStyle{.font = "DejaVu Sans Oblique 7",
                                             .width = kContentWidth - 2 * kPad,
                                             .max_lines = 3});
  }

  double note_height(const std::string& note) {
    return note.empty() ? 0 : note_box().height(note) + kPad;
  }

  void footer(std::size_t page, std::size_t pages) {
    TextBox box(context_.get(), TextStyle{.font = "DejaVu Sans 8",
                                          .width = kContentWidth,
                                          .alignment = PANGO_ALIGN_CENTER});
    cairo_set_source_rgb(cairo_, 0, 0, 0);
    box.draw(cairo_, kMargin, kFooterTop,
             "Page " + std::to_string(page) + " of " + std::to_string(pages));
  }

  cairo_t* cairo_;
  std::unique_ptr<PangoContext, GObjectUnref> context_;
  const Certificate& certificate_;
  const std::array<double, kColumnCount> widths_;
  std::vector<TextBox> headings_, cells_, totals_;
};

struct SurfaceDestroy {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct CairoDestroy {
  void operator()(cairo_t* cairo) const { cairo_destroy(cairo); }
};

cairo_status_t append_bytes(void* closure, const unsigned char* data, unsigned int length) {
  try {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
  } catch (const std::bad_alloc&) {
    return CAIRO_STATUS_WRITE_ERROR;  // no exception may cross cairo's frames
  }
}

void check(cairo_status_t status, long long number) {
  if (status == CAIRO_STATUS_SUCCESS) return;
  // The only writing cairo does here is into memory: a failed write is memory too.
  const bool memory = status == CAIRO_STATUS_NO_MEMORY || status == CAIRO_STATUS_WRITE_ERROR;
  throw RuntimeError(memory ? err::kOutOfMemory : err::kApplication,
                     std::string(error_text(memory ? err::kOutOfMemory : err::kApplication)) +
                         ": cannot draw certificate " + std::to_string(number) + " (" +
                         cairo_status_to_string(status) + ")");
}

}  // namespace

std::string certificate_pdf(const Certificate& certificate) {
  std::string bytes;  // outlives the surface, which writes into it until destroyed
  std::unique_ptr<cairo_surface_t, SurfaceDestroy> surface(
      cairo_pdf_surface_create_for_stream(append_bytes, &bytes, kPageWidth, kPageHeight));
  check(cairo_surface_status(surface.get()), certificate.number);
  const std::string title = "Certificate No. " + std::to_string(certificate.number);
  cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, title.c_str());
  cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "Fenwarx");
  {
    std::unique_ptr<cairo_t, CairoDestroy> cairo(cairo_create(surface.get()));
    CertificateDrawing(cairo.get(), certificate).draw();
    check(cairo_status(cairo.get()), certificate.number);
  }
  cairo_surface_finish(surface.get());
  check(cairo_surface_status(surface.get()), certificate.number);
  return bytes;
}

}  // namespace fenwarx::host
