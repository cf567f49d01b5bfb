#include "host/text_box.hpp"

namespace fenwarx::host {

std::unique_ptr<PangoContext, GObjectUnref> point_context(cairo_t* cairo) {
  std::unique_ptr<PangoContext, GObjectUnref> context(pango_cairo_create_context(cairo));
  pango_cairo_context_set_resolution(context.get(), 72.0);
  return context;
}

TextBox::TextBox(PangoContext* context, const TextStyle& style)
    : layout_(pango_layout_new(context)) {
  PangoFontDescription* font = pango_font_description_from_string(style.font);
  pango_layout_set_font_description(layout_.get(), font);
  pango_font_description_free(font);
  pango_layout_set_width(layout_.get(), pango_units_from_double(style.width));
  pango_layout_set_wrap(layout_.get(), PANGO_WRAP_WORD_CHAR);
  pango_layout_set_height(layout_.get(), -style.max_lines);  // negative: a count of lines
  pango_layout_set_ellipsize(layout_.get(), PANGO_ELLIPSIZE_END);
  pango_layout_set_alignment(layout_.get(), style.alignment);
  // A hyphen where a PAN or an amount breaks would read as part of it, or as a minus.
  PangoAttrList* attributes = pango_attr_list_new();
  pango_attr_list_insert(attributes, pango_attr_insert_hyphens_new(FALSE));
  pango_layout_set_attributes(layout_.get(), attributes);
  pango_attr_list_unref(attributes);
}

double TextBox::height(const std::string& text) {
  pango_layout_set_text(layout_.get(), text.data(), static_cast<int>(text.size()));
  int width = 0, height = 0;
  pango_layout_get_size(layout_.get(), &width, &height);
  return pango_units_to_double(height);
}

void TextBox::draw(cairo_t* cairo, double x, double y, const std::string& text) {
  pango_layout_set_text(layout_.get(), text.data(), static_cast<int>(text.size()));
  cairo_move_to(cairo, x, y);
  pango_cairo_show_layout(cairo, layout_.get());
}

}  // namespace fenwarx::host
