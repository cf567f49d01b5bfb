#include "platform/xlsx/shared_string_table.hpp"

#include "platform/xlsx/namespaces.hpp"
#include "platform/xlsx/xml_writer.hpp"

namespace fenwarx {

std::uint32_t SharedStringTable::index(std::string_view text) {
  ++references_;
  auto [it, added] =
      indices_.try_emplace(std::string(text), static_cast<std::uint32_t>(order_.size()));
  if (added) order_.push_back(&it->first);
  return it->second;
}

std::string SharedStringTable::xml() const {
  std::string out(kXmlDeclaration);
  out.append("<sst xmlns=\"").append(ns::kMain).append("\" count=\"");
  append_int(out, static_cast<long long>(references_));
  out.append("\" uniqueCount=\"");
  append_int(out, static_cast<long long>(order_.size()));
  out.append("\">");
  for (const std::string* text : order_) {
    out.append(needs_preserved_space(*text) ? "<si><t xml:space=\"preserve\">" : "<si><t>");
    append_escaped_text(out, *text);
    out.append("</t></si>");
  }
  out.append("</sst>");
  return out;
}

}  // namespace fenwarx
