#include "platform/xlsx/styles_part.hpp"

#include <algorithm>
#include <charconv>

#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/values/number_format.hpp"
#include "platform/xlsx/builtin_formats.hpp"
#include "platform/xlsx/package_xml.hpp"

namespace fenwarx {

namespace {

constexpr std::uint32_t kUnknownColor = 0xFFFFFFFF;

// The default 64-colour palette as RRGGBB, then system foreground and background.
// clang-format off
constexpr std::array<std::uint32_t, 66> kDefaultPalette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
    0x000000, 0xFFFFFF};

// RRGGBB -> red + 256 * green + 65536 * blue.
std::uint32_t from_rrggbb(std::uint32_t rgb) {
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}
// clang-format on

std::uint32_t to_rrggbb(std::uint32_t color) { return from_rrggbb(color); }

// "FFRRGGBB" (alpha ignored) or "RRGGBB".
std::optional<std::uint32_t> parse_hex(std::string_view hex) {
  if (hex.size() == 8) hex.remove_prefix(2);
  if (hex.size() != 6) return std::nullopt;
  std::uint32_t value = 0;
  auto [end, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
  if (ec != std::errc() || end != hex.data() + hex.size()) return std::nullopt;
  return value;
}

std::size_t element_count(const pugi::xml_node& parent, std::string_view local) {
  std::size_t n = 0;
  xml::for_each_child(parent, local, [&](const pugi::xml_node&) { ++n; });
  return n;
}

void set_count(pugi::xml_node parent, std::string_view local) {
  pugi::xml_attribute count = parent.attribute("count");
  if (!count) count = parent.append_attribute("count");
  count = static_cast<unsigned long long>(element_count(parent, local));
}

void set_attribute(pugi::xml_node node, const char* name, const char* value) {
  pugi::xml_attribute a = node.attribute(name);
  if (!a) a = node.append_attribute(name);
  a = value;
}

std::string hex_argb(std::uint32_t color) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::uint32_t rgb = to_rrggbb(color);
  std::string out = "FF";
  for (int shift = 20; shift >= 0; shift -= 4) out += kDigits[(rgb >> shift) & 0xF];
  return out;
}

}  // namespace

XlsxStyleBook::XlsxStyleBook(std::string part_name, std::string_view xml)
    : part_name_(std::move(part_name)), palette_(kDefaultPalette) {
  declaration_gap_ = xml::parse_part(doc_, xml, part_name_);
  sheet_ = xml::root(doc_, "styleSheet", part_name_);
  xml::for_each_child(xml::child(sheet_, "numFmts"), "numFmt", [&](pugi::xml_node n) {
    custom_formats_[n.attribute("numFmtId").as_uint()] = n.attribute("formatCode").value();
  });
  xml::for_each_child(xml::child(sheet_, "cellXfs"), "xf",
                      [&](pugi::xml_node n) { xfs_.push_back(n); });
  xml::for_each_child(xml::child(sheet_, "fills"), "fill",
                      [&](pugi::xml_node n) { fills_.push_back(n); });
  std::size_t i = 0;
  pugi::xml_node indexed = xml::child(xml::child(sheet_, "colors"), "indexedColors");
  xml::for_each_child(indexed, "rgbColor", [&](pugi::xml_node n) {
    if (i < 64)
      if (auto rgb = parse_hex(n.attribute("rgb").value())) palette_[i] = *rgb;
    ++i;
  });
  date_cache_.assign(xfs_.size(), -1);
  fill_cache_.assign(xfs_.size(), kUnknownColor);
  format_cache_.assign(xfs_.size(), std::nullopt);
}

pugi::xml_node XlsxStyleBook::xf(std::uint32_t style) const {
  return style < xfs_.size() ? xfs_[style] : pugi::xml_node{};
}

std::string XlsxStyleBook::number_format(std::uint32_t style) const {
  if (style >= format_cache_.size()) return read_number_format(style);
  std::optional<std::string>& cached = format_cache_[style];
  if (!cached) cached = read_number_format(style);
  return *cached;
}

std::string XlsxStyleBook::read_number_format(std::uint32_t style) const {
  std::uint32_t id = xf(style).attribute("numFmtId").as_uint();
  if (auto it = custom_formats_.find(id); it != custom_formats_.end()) return it->second;
  return std::string(builtin_format(id));
}

bool XlsxStyleBook::is_date(std::uint32_t style) const {
  if (style >= xfs_.size()) return false;
  if (date_cache_[style] < 0) {
    std::uint32_t id = xf(style).attribute("numFmtId").as_uint();
    auto it = custom_formats_.find(id);
    bool date =
        it != custom_formats_.end() ? is_date_format(it->second) : is_builtin_date_format(id);
    date_cache_[style] = date ? 1 : 0;
  }
  return date_cache_[style] == 1;
}

std::optional<std::uint32_t> XlsxStyleBook::color_of(const pugi::xml_node& color) const {
  if (!color) return std::nullopt;
  std::optional<std::uint32_t> rgb;
  if (pugi::xml_attribute a = color.attribute("rgb")) {
    rgb = parse_hex(a.value());
  } else if (pugi::xml_attribute a = color.attribute("indexed")) {
    std::uint32_t index = a.as_uint();
    rgb = palette_[std::min<std::size_t>(index, palette_.size() - 2)];
  } else if (color.attribute("auto").as_bool()) {
    rgb = 0;
  }
  if (!rgb) return std::nullopt;
  return from_rrggbb(*rgb);
}

std::uint32_t XlsxStyleBook::compute_fill_color(std::uint32_t style) const {
  std::uint32_t id = xf(style).attribute("fillId").as_uint();
  if (id >= fills_.size()) return kColorNone;
  pugi::xml_node pattern = xml::child(fills_[id], "patternFill");
  std::string_view type = pattern.attribute("patternType").value();
  if (!pattern || type.empty() || type == "none") return kColorNone;
  // A pattern without a colour of ours (none, or a theme colour, which the
  // component never writes) reads as the system foreground: filled, so clearing
  // a mark still clears it, and no colour the component asks about.
  return color_of(xml::child(pattern, "fgColor")).value_or(0);
}

std::uint32_t XlsxStyleBook::fill_color(std::uint32_t style) const {
  if (style >= xfs_.size()) return kColorNone;
  if (fill_cache_[style] == kUnknownColor) fill_cache_[style] = compute_fill_color(style);
  return fill_cache_[style];
}

pugi::xml_node XlsxStyleBook::section(std::string_view name,
                                      std::initializer_list<std::string_view> after) {
  if (pugi::xml_node found = xml::child(sheet_, name)) return found;
  std::string qualified = xml::qualified(sheet_, name);
  for (std::string_view previous : after)
    if (pugi::xml_node n = xml::child(sheet_, previous))
      return sheet_.insert_child_after(qualified.c_str(), n);
  return sheet_.prepend_child(qualified.c_str());
}

std::uint32_t XlsxStyleBook::number_format_id(std::string_view code) {
  if (auto id = builtin_format_id(code)) return *id;
  std::uint32_t highest = 163;
  for (const auto& [id, existing] : custom_formats_) {
    if (existing == code) return id;
    highest = std::max(highest, id);
  }
  std::uint32_t id = highest + 1;
  pugi::xml_node formats = section("numFmts", {});
  pugi::xml_node format = formats.append_child(xml::qualified(sheet_, "numFmt").c_str());
  format.append_attribute("numFmtId") = id;
  format.append_attribute("formatCode") = std::string(code).c_str();
  set_count(formats, "numFmt");
  custom_formats_[id] = std::string(code);
  return id;
}

std::uint32_t XlsxStyleBook::fill_id(std::uint32_t color) {
  if (color == kColorNone) return 0;
  if (auto it = fill_by_color_.find(color); it != fill_by_color_.end()) return it->second;
  for (std::uint32_t id = 2; id < fills_.size(); ++id) {
    pugi::xml_node pattern = xml::child(fills_[id], "patternFill");
    if (std::string_view(pattern.attribute("patternType").value()) == "solid" &&
        color_of(xml::child(pattern, "fgColor")) == color &&
        xml::child(pattern, "fgColor").attribute("rgb")) {
      fill_by_color_[color] = id;
      return id;
    }
  }
  pugi::xml_node fills = section("fills", {"fonts", "numFmts"});
  auto add_fill = [&](const char* pattern_type) {
    pugi::xml_node fill =
        fills_.empty()
            ? fills.append_child(xml::qualified(sheet_, "fill").c_str())
            : fills.insert_child_after(xml::qualified(sheet_, "fill").c_str(), fills_.back());
    pugi::xml_node pattern = fill.append_child(xml::qualified(sheet_, "patternFill").c_str());
    pattern.append_attribute("patternType") = pattern_type;
    fills_.push_back(fill);
    return pattern;
  };
  if (fills_.empty()) add_fill("none");
  if (fills_.size() < 2) add_fill("gray125");
  pugi::xml_node pattern = add_fill("solid");
  pattern.append_child(xml::qualified(sheet_, "fgColor").c_str()).append_attribute("rgb") =
      hex_argb(color).c_str();
  pattern.append_child(xml::qualified(sheet_, "bgColor").c_str()).append_attribute("indexed") = 64;
  set_count(fills, "fill");
  std::uint32_t id = static_cast<std::uint32_t>(fills_.size() - 1);
  fill_by_color_[color] = id;
  return id;
}

std::uint32_t XlsxStyleBook::clone_xf(std::uint32_t style, const char* attribute,
                                      std::uint32_t value, const char* apply) {
  pugi::xml_node cell_xfs =
      section("cellXfs", {"cellStyleXfs", "borders", "fills", "fonts", "numFmts"});
  if (xfs_.empty()) {
    pugi::xml_node base = cell_xfs.append_child(xml::qualified(sheet_, "xf").c_str());
    for (const char* name : {"numFmtId", "fontId", "fillId", "borderId", "xfId"})
      base.append_attribute(name) = 0;
    xfs_.push_back(base);
    add_caches();
  }
  pugi::xml_node source = xfs_[style < xfs_.size() ? style : 0];
  pugi::xml_node clone = cell_xfs.insert_copy_after(source, xfs_.back());
  set_attribute(clone, attribute, std::to_string(value).c_str());
  set_attribute(clone, apply, "1");
  set_count(cell_xfs, "xf");
  xfs_.push_back(clone);
  add_caches();
  changed_ = true;
  return static_cast<std::uint32_t>(xfs_.size() - 1);
}

void XlsxStyleBook::add_caches() {
  date_cache_.push_back(-1);
  fill_cache_.push_back(kUnknownColor);
  format_cache_.push_back(std::nullopt);
}

std::uint32_t XlsxStyleBook::with_number_format(std::uint32_t style, std::string_view code) {
  if (style >= format_memo_.size()) format_memo_.resize(style + 1);
  for (const auto& [asked, given] : format_memo_[style])
    if (asked == code) return given;
  // A short-date id reads as day first here but shows in the reader's locale
  // elsewhere, so asking for its code still gives the cell a code of its own.
  std::uint32_t current = xf(style).attribute("numFmtId").as_uint();
  bool locale_date = (current == 14 || current == 22) && !custom_formats_.count(current);
  std::uint32_t result = style;
  if (number_format(style) != code || locale_date)
    result = clone_xf(style, "numFmtId", number_format_id(code), "applyNumberFormat");
  format_memo_[style].emplace_back(std::string(code), result);
  return result;
}

std::uint32_t XlsxStyleBook::with_fill_color(std::uint32_t style, std::uint32_t color) {
  if (fill_color(style) == color) return style;  // most cells keep their fill
  auto key = std::make_pair(style, color);
  if (auto it = fill_memo_.find(key); it != fill_memo_.end()) return it->second;
  std::uint32_t result = style;
  if (fill_color(style) != color) result = clone_xf(style, "fillId", fill_id(color), "applyFill");
  fill_memo_.emplace(key, result);
  return result;
}

std::string XlsxStyleBook::write() const { return xml::serialise(doc_, declaration_gap_); }

}  // namespace fenwarx
