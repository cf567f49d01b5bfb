#pragma once
// A box of text of a fixed width on a page: the text wraps inside it, and what
// passes its greatest number of lines is cut off with an ellipsis, so no text
// runs into its neighbour or off the page however long it is.
#include <cairo.h>
#include <pango/pangocairo.h>

#include <memory>
#include <string>

namespace fenwarx::host {

struct GObjectUnref {
  void operator()(void* object) const { g_object_unref(object); }
};

// Points, not the screen's pixels: the texts' sizes are their sizes on paper.
std::unique_ptr<PangoContext, GObjectUnref> point_context(cairo_t* cairo);

struct TextStyle {
  const char* font = "DejaVu Sans 7";  // family, weight, size in points
  double width = 0;                    // points
  int max_lines = 1;
  PangoAlignment alignment = PANGO_ALIGN_LEFT;
};

class TextBox {
 public:
  TextBox(PangoContext* context, const TextStyle& style);
  // The height of `text` in the box, in points. The text must be well-formed UTF-8.
  double height(const std::string& text);
  // Draws `text` with its box's top left corner at (x, y).
  void draw(cairo_t* cairo, double x, double y, const std::string& text);

 private:
  std::unique_ptr<PangoLayout, GObjectUnref> layout_;
};

}  // namespace fenwarx::host
