#include "platform/xlsx/workbook_part.hpp"

#include <array>

#include "platform/xlsx/package_xml.hpp"

namespace fenwarx {

namespace {

// The children of <workbook> that come after <calcPr>, in schema order.
// clang-format off
constexpr std::array<std::string_view, 9> kAfterCalcPr = {
    "oleSize",      "customWorkbookViews", "pivotCaches",       "smartTagPr", "smartTagTypes",
    "webPublishing", "fileRecoveryPr",     "webPublishObjects", "extLst"};

bool is_true(std::string_view value) { return value == "1" || value == "true"; }

}  // namespace
// clang-format on

WorkbookPart::WorkbookPart(std::string part_name, std::string_view xml)
    : part_name_(std::move(part_name)) {
  declaration_gap_ = xml::parse_part(doc_, xml, part_name_);
  workbook_ = xml::root(doc_, "workbook", part_name_);
  if (pugi::xml_node pr = xml::child(workbook_, "workbookPr"))
    date1904_ = is_true(pr.attribute("date1904").value());
  xml::for_each_child(xml::child(workbook_, "sheets"), "sheet", [&](pugi::xml_node n) {
    sheets_.push_back({n.attribute("name").value(), xml::attribute(n, "id").value()});
  });
}

void WorkbookPart::set_full_calc_on_load() {
  pugi::xml_node calc = xml::child(workbook_, "calcPr");
  if (!calc) {
    pugi::xml_node before;
    for (pugi::xml_node n = workbook_.first_child(); n && !before; n = n.next_sibling())
      for (std::string_view name : kAfterCalcPr)
        if (n.type() == pugi::node_element && xml::is(n, name)) before = n;
    std::string name = xml::qualified(workbook_, "calcPr");
    calc = before ? workbook_.insert_child_before(name.c_str(), before)
                  : workbook_.append_child(name.c_str());
  }
  pugi::xml_attribute full = calc.attribute("fullCalcOnLoad");
  if (!full) full = calc.append_attribute("fullCalcOnLoad");
  if (std::string_view(full.value()) != "1") {
    full = "1";
    changed_ = true;
  }
}

std::string WorkbookPart::write() const { return xml::serialise(doc_, declaration_gap_); }

}  // namespace fenwarx
