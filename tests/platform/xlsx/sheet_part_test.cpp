#include "platform/xlsx/sheet_part.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/values/runtime_error.hpp"

namespace fenwarx {
namespace {

constexpr const char* kPart = "xl/worksheets/sheet1.xml";

// Styles by plain arithmetic, so a test knows the index a change gives.
class StubStyles : public StyleBook {
 public:
  std::string number_format(std::uint32_t) const override { return "General"; }
  bool is_date(std::uint32_t) const override { return false; }
  std::uint32_t fill_color(std::uint32_t) const override { return kColorNone; }
  std::uint32_t with_number_format(std::uint32_t style, std::string_view) override {
    return style + 100;
  }
  std::uint32_t with_fill_color(std::uint32_t style, std::uint32_t) override { return style + 200; }
};

std::string worksheet(const std::string& rows, const std::string& dimension = "A1:C3") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
         "<worksheet "
         "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><dimension ref=\"" +
         dimension + "\"/><sheetViews><sheetView workbookViewId=\"0\"/></sheetViews><sheetData>" +
         rows + "</sheetData><pageMargins left=\"0.7\"/></worksheet>";
}

struct Loaded {
  std::unique_ptr<StoredSheet> sheet;
  std::unique_ptr<SheetPart> part;
  Variant value(int row, int column) const { return sheet->stored_value(row, column); }
  const CellRecord* record(int row, int column) const { return sheet->store().find(row, column); }
};

Loaded load(std::string xml) {
  auto texts = std::make_shared<TextPool>();
  for (const char* s : {"zero", "one", "two"}) texts->add(s);
  Loaded loaded;
  loaded.sheet = std::make_unique<StoredSheet>("Sheet1", texts, std::make_shared<StubStyles>());
  loaded.part = std::make_unique<SheetPart>(kPart, std::move(xml), *loaded.sheet);
  return loaded;
}

// The message a load of `xml` fails with.
std::string load_error(const std::string& xml) {
  try {
    load(xml);
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), err::kApplication);
    return e.description();
  }
  return "loaded";
}

TEST(SheetPartRead, ValuesOfEveryType) {
  struct Case {
    const char* cell;
    Variant expected;
  };  // one <c> in row 1
  // clang-format off
  const Case cases[] = {
      {"<c r=\"A1\"><v>12.5</v></c>", Variant::number(12.5)},
      {"<c r=\"A1\" t=\"n\"><v>-1.5E+3</v></c>", Variant::number(-1500)},
      {"<c r=\"A1\"><v> 42 </v></c>", Variant::number(42)},
      {"<c r=\"A1\" t=\"s\"><v>1</v></c>", Variant::text("one")},
      {"<c r=\"A1\" t=\"inlineStr\"><is><t>plain</t></is></c>", Variant::text("plain")},
      {"<c r=\"A1\" t=\"inlineStr\"><is><r><rPr><b/></rPr><t>Bold</t></r><r><t xml:space=\"preserve\"> part</t></r>"
       "<rPh sb=\"0\" eb=\"1\"><t>FONETIC</t></rPh><phoneticPr fontId=\"1\"/></is></c>",
       Variant::text("Bold part")},
      {"<c r=\"A1\" t=\"str\"><f>B1&amp;\"x\"</f><v>ax</v></c>", Variant::text("ax")},
      {"<c r=\"A1\" t=\"b\"><v>1</v></c>", Variant::boolean(true)},
      {"<c r=\"A1\" t=\"b\"><v>0</v></c>", Variant::boolean(false)},
      {"<c r=\"A1\" t=\"e\"><f>1/0</f><v>#DIV/0!</v></c>", Variant::error(cell_error::kDiv0)},
      {"<c r=\"A1\" t=\"d\"><v>2005-04-01</v></c>", Variant::number(38443)},
      {"<c r=\"A1\" t=\"d\"><v>2005-04-01T18:00:00Z</v></c>", Variant::number(38443.75)},
      {"<c r=\"A1\" t=\"inlineStr\"><is><t>a&lt;b&gt;&amp;&quot;&apos;&#65;&#x20AC;</t></is></c>",
       Variant::text("a<b>&\"'A\xE2\x82\xAC")},
      {"<c r=\"A1\"><v><![CDATA[42]]></v></c>", Variant::number(42)},
      {"<c r=\"A1\" t=\"inlineStr\"><is><t><![CDATA[<x> & y]]></t></is></c>", Variant::text("<x> & y")},
      {"<c r=\"A1\"><v>4<!-- a comment -->2</v></c>", Variant::number(42)}, {"<c r=\"A1\" s=\"2\"/>", Variant()},
      {"<c r=\"A1\"><f>B1</f></c>", Variant()},
      {"<c t = 'str'\n r\t=\"A1\"><v>quoted</v></c>", Variant::text("quoted")},
  };
  // clang-format on
  for (const Case& c : cases)
    EXPECT_EQ(load(worksheet(std::string("<row r=\"1\">") + c.cell + "</row>")).value(1, 1),
              c.expected)
        << c.cell;
}

TEST(SheetPartRead, DateCellsCountInTheWorkbooksDateSystem) {
  StoredSheet sheet("Sheet1", std::make_shared<TextPool>(), std::make_shared<StubStyles>(), true);
  SheetPart part(kPart, worksheet("<row r=\"1\"><c r=\"A1\" t=\"d\"><v>1904-01-02</v></c></row>"),
                 sheet);
  EXPECT_EQ(sheet.stored_value(1, 1), Variant::number(1));
}

TEST(SheetPartRead, RowsAndCellsKeepStylesFormulaFlagsAndTheirXml) {
  const std::string b2 = "<c r=\"B2\" s=\"1\"><v>5</v></c>";
  const std::string xml = worksheet(
      "<row r=\"1\"><c r=\"A1\" s=\"2\"/><c r=\"B1\"/><c r=\"C1\"><f>A1</f><v>3</v></c></row><row "
      "r=\"2\">" +
      b2 +
      "</row><row r=\"3\"><c r=\"A3\"><f t=\"shared\" ref=\"A3:A4\" "
      "si=\"0\">B3*2</f><v>2</v></c></row>"
      "<row r=\"4\"><c r=\"A4\"><f t=\"shared\" si=\"0\"/><v>4</v></c></row>"
      "<row r=\"5\" s=\"4\" customFormat=\"1\"/><row r=\"6\" s=\"5\"/><row r=\"7\" "
      "customFormat=\"true\" s=\"6\"/>");
  const Loaded loaded = load(xml);
  ASSERT_TRUE(loaded.record(1, 1) && loaded.record(2, 2));
  EXPECT_EQ(loaded.record(1, 1)->kind, CellKind::Empty);
  EXPECT_EQ(loaded.record(1, 1)->style, 2u);
  EXPECT_FALSE(loaded.record(1, 2));  // nothing to keep
  EXPECT_EQ(loaded.record(1, 3)->flags, cell_flag::kFormula);
  EXPECT_EQ(loaded.record(3, 1)->flags, cell_flag::kFormula | cell_flag::kSharedMaster);
  EXPECT_EQ(loaded.record(4, 1)->flags, cell_flag::kFormula | cell_flag::kSharedChild);
  EXPECT_EQ(loaded.value(4, 1), Variant::number(4));
  EXPECT_EQ(xml.substr(loaded.record(2, 2)->source_offset, loaded.record(2, 2)->source_length), b2);
  EXPECT_EQ(loaded.sheet->store().row_style(5), 4u);
  EXPECT_EQ(loaded.sheet->store().row_style(6), 0u);  // a row's style counts only with customFormat
  EXPECT_EQ(loaded.sheet->store().row_style(7), 6u);
  EXPECT_FALSE(loaded.part->changed());
}

TEST(SheetPartRead, PrefixedNamespaceMissingReferencesAndSelfClosingRows) {
  const Loaded loaded = load(
      "<x:worksheet "
      "xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><x:sheetData>"
      "<x:row r=\"2\"><x:c><x:v>1</x:v></x:c><x:c><x:v>2</x:v></x:c><x:c "
      "r=\"E2\"><x:v>5</x:v></x:c><x:c><x:v>6</x:v>"
      "</x:c></x:row><x:row r=\"4\" ht=\"20\" customHeight=\"1\"/><x:row><x:c "
      "t=\"inlineStr\"><x:is><x:t>five</x:t>"
      "</x:is></x:c></x:row></x:sheetData></x:worksheet>");
  for (auto [row, column, value] :
       {std::tuple{2, 1, Variant::number(1)}, std::tuple{2, 2, Variant::number(2)},
        std::tuple{2, 5, Variant::number(5)}, std::tuple{2, 6, Variant::number(6)},
        std::tuple{5, 1, Variant::text("five")}})
    EXPECT_EQ(loaded.value(row, column), value) << row << "," << column;
  EXPECT_EQ(loaded.sheet->last_row(), 5);
}

TEST(SheetPartRead, EmptySheetDataCommentsAndUnknownElements) {
  EXPECT_EQ(load(worksheet("")).sheet->last_row(), 0);
  EXPECT_EQ(load("<worksheet><sheetData/></worksheet>").sheet->last_row(), 0);
  const Loaded loaded =
      load(worksheet("<!-- <row r=\"9\"> --><row r=\"1\"><!-- x --><c r=\"A1\"><extLst><ext "
                     "uri=\"u\"><y/></ext></extLst>"
                     "<v>1</v></c></row><?pi x?>"));
  EXPECT_EQ(loaded.value(1, 1), Variant::number(1));
  EXPECT_EQ(loaded.sheet->last_row(), 1);
}

TEST(SheetPartRead, FaultsNameThePartAndTheByte) {
  // `marker` is where the byte named as @ is ("" for the end); `truncate` ends the part right after
  // `rows`.
  struct Case {
    const char *rows, *marker;
    std::string message;
    bool truncate = false;
  };
  const std::string bad = " is not well-formed XML at byte @: ";
  const std::string beyond = ": cell reference beyond the sheet's limits at byte @";
  // clang-format off
  const Case cases[] = {
      {"<row r=\"1\"><c r=\"A1\"<v>1</v></c></row>", "<c r=", bad + "unclosed tag <c>"},
      {"<row r=1><c r=\"A1\"/></row>", "1><c", bad + "attribute value without quotes"},
      {"<row r=\"1\"><c r=\"A1\"><v>1</v>", "", bad + "end of input inside <c>", true},
      {"<row r=\"7\"><c r=\"A7\" s=\"9", "\"9", bad + "unclosed attribute value", true},
      {"<c r=\"A1\"><v>1</v></c>", "<c r=", bad + "<c> outside a <row>"},
      {"<row r=\"1\"><c r=\"A1\"><v>1</c></row>", "</c>", bad + "end tag </c> does not match <v>"},
      {"<row r=\"1\"></rows>", "</rows>", bad + "end tag </rows> does not match <row>"},
      {"<row r=\"1\"><c r=\"A1\"><v>&nbsp;</v></c></row>", "&nbsp;", bad + "unknown entity &nbsp;"},
      {"<row r=\"1\"><c r=\"A1\"><v>1 & 2</v></c></row>", "& 2", bad + "'&' without an entity"},
      {"<row r=\"1\"><!-- open", "<!--", bad + "unclosed comment"},
      {"<row r=\"1\"><c r=\"A1\"><v><b>1</b></v></c></row>", "<b>", bad + "element inside <v>"},
      {"<row r=\"1048577\"/>", "<row r=\"1048577\"", beyond}, {"<row r=\"1048576\"/><row/>", "<row/>", beyond},
      {"<row r=\"1\"><c r=\"XFE1\"/></row>", "<c r=", beyond},
      {"<row r=\"1\"><c r=\"A1048577\"/></row>", "<c r=", beyond},
      {"<row r=\"1\"><c r=\"XFD1\"/><c/></row>", "<c/>", beyond},
      {"<row r=\"2\"/><row r=\"2\" ht=\"9\"/>", "<row r=\"2\" ht", ": row 2 out of order at byte @"},
      {"<row r=\"1\"><c r=\"A1\"><v>12x</v></c></row>", "<c ", ": invalid number \"12x\" at byte @"},
      {"<row r=\"1\"><c r=\"A1\" t=\"s\"><v>3</v></c></row>", "", ": shared string 3 does not exist"},
  };
  // clang-format on
  for (const Case& c : cases) {
    std::string xml = worksheet(c.rows), message = c.message;
    if (c.truncate) xml = xml.substr(0, xml.find(c.rows) + std::string(c.rows).size());
    const std::size_t at = *c.marker ? xml.find(c.marker) : xml.size();
    ASSERT_NE(at, std::string::npos) << c.marker;
    if (const auto hole = message.find('@'); hole != std::string::npos)
      message.replace(hole, 1, std::to_string(at));
    EXPECT_EQ(load_error(xml), kPart + message) << c.rows;
  }
  EXPECT_EQ(load_error("<worksheet/>"), std::string(kPart) + ": no sheetData element at byte 12");
}

TEST(SheetPartRead, EveryTruncationFailsCleanly) {
  const std::string xml = worksheet(
      "<row r=\"1\" spans=\"1:3\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" "
      "t=\"inlineStr\"><is><r><t>a&amp;b"
      "</t></r></is></c><c r=\"C1\"><f t=\"shared\" ref=\"C1:C2\" "
      "si=\"0\">A1</f><v><![CDATA[1]]></v></c></row>"
      "<row r=\"2\"><!-- c --><c r=\"C2\"><f t=\"shared\" si=\"0\"/><v>2</v></c></row>");
  for (std::size_t length = 0; length < xml.find("</sheetData>"); ++length)
    EXPECT_NE(load_error(xml.substr(0, length)), "loaded")
        << length;  // and the number is checked there
}

const std::string kRow1 =
    "<row r=\"1\" spans=\"1:3\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"C1\" "
    "s=\"1\"><v>3</v></c></row>\n";
const std::string kRow3 =
    "<row r=\"3\" spans=\"1:3\"><c r=\"A3\" t=\"inlineStr\"><is><t>x</t></is></c></row>\n";
const std::string kRows = kRow1 +
                          "<row r=\"2\" spans=\"1:3\" ht=\"15\"><c r=\"A2\"><v>1</v></c><c "
                          "r=\"B2\"><v>2</v></c></row>\n" +
                          kRow3;

using Edit = std::function<void(StoredSheet&)>;

// An untouched part is written back byte for byte; an edit rewrites only the cells and rows it
// touched, and grows the dimension to cover them.
TEST(SheetPartWrite, EditsAreWrittenExactly) {
  struct Case {
    const char* what;
    std::string before;
    Edit edit;
    std::string after;
    bool formula_overwritten = false;
  };
  // clang-format off
  const Case cases[] = {
      {"untouched", worksheet(kRows), [](StoredSheet&) {}, worksheet(kRows)},
      {"one changed cell leaves every other row identical", worksheet(kRows),
       [](StoredSheet& s) { s.store_value(2, 2, Variant::number(0.1)); },
       worksheet(kRow1 + "<row r=\"2\" ht=\"15\"><c r=\"A2\"><v>1</v></c><c r=\"B2\"><v>0.1</v></c></row>\n" + kRow3)},
      {"values of every kind: a styled A1 stays as an empty styled cell, B1 goes, control characters are dropped",
       worksheet("<row r=\"1\"><c r=\"A1\" s=\"3\"><v>1</v></c><c r=\"B1\"><v>1</v></c></row>"),
       [](StoredSheet& s) {
         int column = 0;
         for (const Variant& v : {Variant(), Variant(), Variant::text("a<b & c\x01>"), Variant::boolean(true),
                                  Variant::error(cell_error::kNA), Variant::number(-1.5e20), Variant::text("\r\n")})
           s.store_value(1, ++column, v);
       },
       worksheet("<row r=\"1\"><c r=\"A1\" s=\"3\"/><c r=\"C1\" t=\"inlineStr\"><is><t>a&lt;b &amp; c&gt;</t></is></c>"
                 "<c r=\"D1\" t=\"b\"><v>1</v></c><c r=\"E1\" t=\"e\"><v>#N/A</v></c><c r=\"F1\"><v>-1.5e+20</v></c>"
                 "<c r=\"G1\" t=\"inlineStr\"><is><t xml:space=\"preserve\">&#13;\n</t></is></c></row>",
                 "A1:G3")},
      {"a style-only change keeps the cell's attributes and children",
       worksheet("<row r=\"1\"><c r=\"A1\" s=\"3\" t=\"str\"><f>B1&amp;\"x\"</f><v>ax</v></c>"
                 "<c t=\"n\" r=\"B1\"><v>1</v></c><c r=\"C1\"/></row>"),
       [](StoredSheet& s) { s.set_interior_color(1, 1, kColorError); s.set_number_format(1, 2, "0.00"); },
       worksheet("<row r=\"1\"><c r=\"A1\" s=\"203\" t=\"str\"><f>B1&amp;\"x\"</f><v>ax</v></c>"
                 "<c t=\"n\" r=\"B1\" s=\"100\"><v>1</v></c></row>")},
      {"an overwritten shared master hands its formula to the dependents; an overwritten dependent is just a value",
       worksheet("<row r=\"1\"><c r=\"A1\"><f t=\"shared\" ref=\"A1:B3\" si=\"0\">C1*$D$1+SUM(E1:E2)</f><v>2</v></c>"
                 "<c r=\"B1\"><f t=\"shared\" si=\"0\"/><v>3</v></c></row>"
                 "<row r=\"2\"><c r=\"A2\" s=\"1\"><f t=\"shared\" si=\"0\"/><v>4</v></c></row>"
                 "<row r=\"3\" spans=\"1:2\"><c r=\"B3\"><f t=\"shared\" si=\"0\"/><v>5</v></c></row>"),
       [](StoredSheet& s) { s.store_value(1, 1, Variant::number(9)); s.store_value(1, 2, Variant::number(8)); },
       worksheet("<row r=\"1\"><c r=\"A1\"><v>9</v></c><c r=\"B1\"><v>8</v></c></row>"
                 "<row r=\"2\"><c r=\"A2\" s=\"1\"><f>C2*$D$1+SUM(E2:E3)</f><v>4</v></c></row>"
                 "<row r=\"3\"><c r=\"B3\"><f>D3*$D$1+SUM(F3:F4)</f><v>5</v></c></row>"),
       true},
      {"an overwritten dependent loses only its own formula",
       worksheet("<row r=\"1\"><c r=\"A1\"><f t=\"shared\" ref=\"A1:A2\" si=\"0\">B1</f><v>2</v></c></row>"
                 "<row r=\"2\"><c r=\"A2\"><f t=\"shared\" si=\"0\"/><v>4</v></c></row>"),
       [](StoredSheet& s) { s.store_value(2, 1, Variant::text("typed")); },
       worksheet("<row r=\"1\"><c r=\"A1\"><f t=\"shared\" ref=\"A1:A2\" si=\"0\">B1</f><v>2</v></c></row>"
                 "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>typed</t></is></c></row>"),
       true},
      {"new rows and cells go in order; an empty value where nothing was adds no row",
       worksheet("<row r=\"2\"><c r=\"A2\"><v>1</v></c><c r=\"C2\"><v>3</v></c></row>"
                 "<row r=\"4\" spans=\"2:2\" ht=\"9\"/>"),
       [](StoredSheet& s) {
         s.store_value(2, 4, Variant::number(4)); s.store_value(2, 2, Variant::number(2));
         s.store_value(6, 1, Variant::number(6)); s.store_value(1, 1, Variant::number(0));
         s.store_value(3, 2, Variant()); s.store_value(4, 2, Variant::number(5));
       },
       worksheet("<row r=\"1\"><c r=\"A1\"><v>0</v></c></row><row r=\"2\"><c r=\"A2\"><v>1</v></c>"
                 "<c r=\"B2\"><v>2</v></c><c r=\"C2\"><v>3</v></c><c r=\"D2\"><v>4</v></c></row>"
                 "<row r=\"4\" ht=\"9\"><c r=\"B4\"><v>5</v></c></row><row r=\"6\"><c r=\"A6\"><v>6</v></c></row>",
                 "A1:D6")},
      {"missing references are written out once the row changed",
       "<worksheet><sheetData><row><c><v>1</v></c><c><v>2</v></c></row><row><c><v>3</v></c></row></sheetData>"
       "</worksheet>",
       [](StoredSheet& s) { s.store_value(1, 1, Variant::number(0)); s.store_value(1, 3, Variant::number(9)); },
       "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><v>0</v></c><c r=\"B1\"><v>2</v></c>"
       "<c r=\"C1\"><v>9</v></c></row><row r=\"2\"><c><v>3</v></c></row></sheetData></worksheet>"},
      {"a prefixed namespace, self-closing sheetData and a one-cell dimension",
       "<x:worksheet xmlns:x=\"urn:main\"><x:dimension ref=\"A1\"/><x:sheetData/><x:pageMargins/></x:worksheet>",
       [](StoredSheet& s) { s.store_value(1, 2, Variant::text("t")); },
       "<x:worksheet xmlns:x=\"urn:main\"><x:dimension ref=\"A1:B1\"/><x:sheetData><x:row r=\"1\">"
       "<x:c r=\"B1\" t=\"inlineStr\"><x:is><x:t>t</x:t></x:is></x:c></x:row></x:sheetData>"
       "<x:pageMargins/></x:worksheet>"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Loaded loaded = load(c.before);
    c.edit(*loaded.sheet);
    EXPECT_EQ(loaded.part->changed(), c.before != c.after);
    EXPECT_EQ(loaded.part->formula_overwritten(), c.formula_overwritten);
    EXPECT_EQ(loaded.part->write(), c.after);
  }
}

TEST(SheetPartWrite, WrittenValuesReadBackTheSame) {
  const Loaded loaded = load(worksheet(kRows));
  const Variant values[] = {Variant::text("   "),       Variant::text(" lead"),
                            Variant::text("tail\t"),    Variant::text("\xE2\x82\xAC & <ok>"),
                            Variant::number(0.1 + 0.2), Variant::number(-0.0001),
                            Variant::boolean(false),    Variant::error(cell_error::kDiv0)};
  for (int i = 0; i < 8; ++i) loaded.sheet->store_value(5, i + 1, values[i]);
  const Loaded again = load(loaded.part->write());
  for (int i = 0; i < 8; ++i) EXPECT_EQ(again.value(5, i + 1), values[i]) << i;
}

}  // namespace
}  // namespace fenwarx
