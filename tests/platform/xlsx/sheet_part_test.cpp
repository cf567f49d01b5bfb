#include "platform/xlsx/sheet_part.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
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
  std::uint32_t with_number_format(std::uint32_t style, std::string_view) override { return style + 100; }
  std::uint32_t with_fill_color(std::uint32_t style, std::uint32_t) override { return style + 200; }
};

std::string worksheet(const std::string& rows, const std::string& dimension = "A1:C3") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
         "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
         "<dimension ref=\"" +
         dimension +
         "\"/><sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>"
         "<sheetData>" +
         rows + "</sheetData><pageMargins left=\"0.7\"/></worksheet>";
}

struct Loaded {
  std::unique_ptr<StoredSheet> sheet;
  std::unique_ptr<SheetPart> part;

  Variant value(int row, int column) const { return sheet->stored_value(row, column); }
  const CellRecord* record(int row, int column) const { return sheet->store().find(row, column); }
};

Loaded load(std::string xml, std::vector<std::string> shared = {"zero", "one", "two"}) {
  auto texts = std::make_shared<TextPool>();
  for (auto& s : shared) texts->add(std::move(s));
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

// ---- reading -------------------------------------------------------------

struct ValueCase {
  const char* cell;  // one <c> in row 1
  Variant expected;
};

class ReadValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ReadValue, OfEveryType) {
  const auto& c = GetParam();
  const Loaded loaded = load(worksheet(std::string("<row r=\"1\">") + c.cell + "</row>"));
  EXPECT_EQ(loaded.value(1, 1), c.expected) << c.cell;
}

INSTANTIATE_TEST_SUITE_P(
    Types, ReadValue,
    ::testing::Values(
        ValueCase{"<c r=\"A1\"><v>12.5</v></c>", Variant::number(12.5)},
        ValueCase{"<c r=\"A1\" t=\"n\"><v>-1.5E+3</v></c>", Variant::number(-1500)},
        ValueCase{"<c r=\"A1\"><v>1e-7</v></c>", Variant::number(1e-7)},
        ValueCase{"<c r=\"A1\"><v> 42 </v></c>", Variant::number(42)},
        ValueCase{"<c r=\"A1\" t=\"s\"><v>1</v></c>", Variant::text("one")},
        ValueCase{"<c r=\"A1\" t=\"inlineStr\"><is><t>plain</t></is></c>", Variant::text("plain")},
        ValueCase{"<c r=\"A1\" t=\"inlineStr\"><is><r><rPr><b/></rPr><t>Bold</t></r>"
                  "<r><t xml:space=\"preserve\"> part</t></r><rPh sb=\"0\" eb=\"1\"><t>FONETIC</t></rPh>"
                  "<phoneticPr fontId=\"1\"/></is></c>",
                  Variant::text("Bold part")},
        ValueCase{"<c r=\"A1\" t=\"str\"><f>B1&amp;\"x\"</f><v>ax</v></c>", Variant::text("ax")},
        ValueCase{"<c r=\"A1\" t=\"b\"><v>1</v></c>", Variant::boolean(true)},
        ValueCase{"<c r=\"A1\" t=\"b\"><v>0</v></c>", Variant::boolean(false)},
        ValueCase{"<c r=\"A1\" t=\"e\"><v>#N/A</v></c>", Variant::error(cell_error::kNA)},
        ValueCase{"<c r=\"A1\" t=\"e\"><f>1/0</f><v>#DIV/0!</v></c>", Variant::error(cell_error::kDiv0)},
        ValueCase{"<c r=\"A1\" t=\"d\"><v>2005-04-01</v></c>", Variant::number(38443)},
        ValueCase{"<c r=\"A1\" t=\"d\"><v>2005-04-01T18:00:00Z</v></c>", Variant::number(38443.75)},
        ValueCase{"<c r=\"A1\" t=\"inlineStr\"><is><t>a&lt;b&gt;&amp;&quot;&apos;&#65;&#x20AC;</t></is></c>",
                  Variant::text("a<b>&\"'A\xE2\x82\xAC")},
        ValueCase{"<c r=\"A1\"><v><![CDATA[42]]></v></c>", Variant::number(42)},
        ValueCase{"<c r=\"A1\" t=\"inlineStr\"><is><t><![CDATA[<x> & y]]></t></is></c>",
                  Variant::text("<x> & y")},
        ValueCase{"<c r=\"A1\"><v>4<!-- a comment -->2</v></c>", Variant::number(42)},
        ValueCase{"<c r=\"A1\" s=\"2\"/>", Variant()}, ValueCase{"<c r=\"A1\"><f>B1</f></c>", Variant()},
        ValueCase{"<c t = 'str'\n r\t=\"A1\"><v>quoted</v></c>", Variant::text("quoted")}));

TEST(SheetPartRead, DateCellsCountInTheWorkbooksDateSystem) {
  StoredSheet sheet("Sheet1", std::make_shared<TextPool>(), std::make_shared<StubStyles>(), true);
  SheetPart part(kPart, worksheet("<row r=\"1\"><c r=\"A1\" t=\"d\"><v>1904-01-02</v></c></row>"), sheet);
  EXPECT_EQ(sheet.stored_value(1, 1), Variant::number(1));
}

TEST(SheetPartRead, EmptyCellsKeepTheirStyleAndFormulasTheirFlags) {
  const Loaded loaded = load(
      worksheet("<row r=\"1\"><c r=\"A1\" s=\"2\"/><c r=\"B1\"/><c r=\"C1\"><f>A1</f><v>3</v></c></row>"));
  ASSERT_TRUE(loaded.record(1, 1));
  EXPECT_EQ(loaded.record(1, 1)->kind, CellKind::Empty);
  EXPECT_EQ(loaded.record(1, 1)->style, 2u);
  EXPECT_FALSE(loaded.record(1, 2));  // nothing to keep
  EXPECT_EQ(loaded.record(1, 3)->flags, cell_flag::kFormula);
  EXPECT_FALSE(loaded.part->changed());
}

TEST(SheetPartRead, CellsKeepTheByteRangeOfTheirXml) {
  const std::string cell = "<c r=\"B2\" s=\"1\"><v>5</v></c>";
  const std::string xml = worksheet("<row r=\"2\">" + cell + "</row>");
  const Loaded loaded = load(xml);
  const CellRecord* record = loaded.record(2, 2);
  ASSERT_TRUE(record);
  EXPECT_EQ(xml.substr(record->source_offset, record->source_length), cell);
}

TEST(SheetPartRead, PrefixedNamespaceMissingReferencesAndSelfClosingRows) {
  const Loaded loaded = load(
      "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><x:sheetData>"
      "<x:row r=\"2\"><x:c><x:v>1</x:v></x:c><x:c><x:v>2</x:v></x:c><x:c r=\"E2\"><x:v>5</x:v></x:c>"
      "<x:c><x:v>6</x:v></x:c></x:row>"
      "<x:row r=\"4\" ht=\"20\" customHeight=\"1\"/>"
      "<x:row><x:c t=\"inlineStr\"><x:is><x:t>five</x:t></x:is></x:c></x:row>"
      "</x:sheetData></x:worksheet>");
  EXPECT_EQ(loaded.value(2, 1), Variant::number(1));
  EXPECT_EQ(loaded.value(2, 2), Variant::number(2));
  EXPECT_EQ(loaded.value(2, 5), Variant::number(5));
  EXPECT_EQ(loaded.value(2, 6), Variant::number(6));
  EXPECT_EQ(loaded.value(5, 1), Variant::text("five"));
  EXPECT_EQ(loaded.sheet->last_row(), 5);
}

TEST(SheetPartRead, RowStyleOnlyWithCustomFormat) {
  const Loaded loaded =
      load(worksheet("<row r=\"1\" s=\"4\" customFormat=\"1\"/><row r=\"2\" s=\"5\"/><row r=\"3\" "
                     "customFormat=\"true\" s=\"6\"/>"));
  EXPECT_EQ(loaded.sheet->store().row_style(1), 4u);
  EXPECT_EQ(loaded.sheet->store().row_style(2), 0u);
  EXPECT_EQ(loaded.sheet->store().row_style(3), 6u);
}

TEST(SheetPartRead, SharedFormulaMasterAndDependents) {
  const Loaded loaded = load(
      worksheet("<row r=\"1\"><c r=\"A1\"><f t=\"shared\" ref=\"A1:A2\" si=\"0\">B1*2</f><v>2</v></c></row>"
                "<row r=\"2\"><c r=\"A2\"><f t=\"shared\" si=\"0\"/><v>4</v></c></row>"));
  EXPECT_EQ(loaded.record(1, 1)->flags, cell_flag::kFormula | cell_flag::kSharedMaster);
  EXPECT_EQ(loaded.record(2, 1)->flags, cell_flag::kFormula | cell_flag::kSharedChild);
  EXPECT_EQ(loaded.value(2, 1), Variant::number(4));
}

TEST(SheetPartRead, EmptyAndSelfClosingSheetData) {
  EXPECT_EQ(load(worksheet("")).sheet->last_row(), 0);
  EXPECT_EQ(load("<worksheet><sheetData/></worksheet>").sheet->last_row(), 0);
}

TEST(SheetPartRead, CommentsAndUnknownElementsInsideSheetDataAreSkipped) {
  const Loaded loaded = load(worksheet(
      "<!-- <row r=\"9\"> --><row r=\"1\"><!-- x --><c r=\"A1\"><extLst><ext uri=\"u\"><y/></ext></extLst>"
      "<v>1</v></c></row><?pi x?>"));
  EXPECT_EQ(loaded.value(1, 1), Variant::number(1));
  EXPECT_EQ(loaded.sheet->last_row(), 1);
}

struct MalformedCase {
  const char* rows;    // sheetData content
  const char* marker;  // where the fault is reported; "" for the end of the input
  const char* what;
  bool truncate = false;  // the part ends right after `rows`
};

class Malformed : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(Malformed, NamesThePartTheByteAndTheFault) {
  const auto& c = GetParam();
  std::string xml = worksheet(c.rows);
  if (c.truncate) xml = xml.substr(0, xml.find(c.rows) + std::string(c.rows).size());
  const std::size_t at = *c.marker ? xml.find(c.marker) : xml.size();
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(load_error(xml),
            std::string(kPart) + " is not well-formed XML at byte " + std::to_string(at) + ": " + c.what);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, Malformed,
    ::testing::Values(
        MalformedCase{"<row r=\"1\"><c r=\"A1\"<v>1</v></c></row>", "<c r=", "unclosed tag <c>"},
        MalformedCase{"<row r=1><c r=\"A1\"/></row>", "1><c", "attribute value without quotes"},
        MalformedCase{"<row r=\"1\"><c r=\"A1\"><v>1</v>", "", "end of input inside <c>", true},
        MalformedCase{"<row r=\"7\"><c r=\"A7\" s=\"9", "\"9", "unclosed attribute value", true},
        MalformedCase{"<c r=\"A1\"><v>1</v></c>", "<c r=", "<c> outside a <row>"},
        MalformedCase{"<row r=\"1\"><c r=\"A1\"><v>1</c></row>", "</c>", "end tag </c> does not match <v>"},
        MalformedCase{"<row r=\"1\"></rows>", "</rows>", "end tag </rows> does not match <row>"},
        MalformedCase{"<row r=\"1\"><c r=\"A1\"><v>&nbsp;</v></c></row>", "&nbsp;", "unknown entity &nbsp;"},
        MalformedCase{"<row r=\"1\"><c r=\"A1\"><v>1 & 2</v></c></row>", "& 2", "'&' without an entity"},
        MalformedCase{"<row r=\"1\"><!-- open", "<!--", "unclosed comment"},
        MalformedCase{"<row r=\"1\"><c r=\"A1\"><v><b>1</b></v></c></row>", "<b>", "element inside <v>"}));

TEST(SheetPartRead, ReferencesBeyondTheSheetsLimits) {
  struct Case {
    const char* rows;
    const char* marker;  // the element reported
  };
  const Case cases[] = {{"<row r=\"1048577\"/>", "<row r=\"1048577\""},
                        {"<row r=\"1048576\"/><row/>", "<row/>"},
                        {"<row r=\"1\"><c r=\"XFE1\"/></row>", "<c r="},
                        {"<row r=\"1\"><c r=\"A1048577\"/></row>", "<c r="},
                        {"<row r=\"1\"><c r=\"XFD1\"/><c/></row>", "<c/>"}};
  for (const Case& c : cases) {
    const std::string xml = worksheet(c.rows);
    EXPECT_EQ(load_error(xml), std::string(kPart) + ": cell reference beyond the sheet's limits at byte " +
                                   std::to_string(xml.find(c.marker)))
        << c.rows;
  }
}

TEST(SheetPartRead, OtherFaultsNameThePart) {
  const std::string xml = worksheet("<row r=\"2\"/><row r=\"2\"/>");
  EXPECT_EQ(load_error(xml),
            std::string(kPart) + ": row 2 out of order at byte " + std::to_string(xml.rfind("<row")));
  EXPECT_EQ(load_error(worksheet("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>3</v></c></row>")),
            std::string(kPart) + ": shared string 3 does not exist");
  const std::string number = worksheet("<row r=\"1\"><c r=\"A1\"><v>12x</v></c></row>");
  EXPECT_EQ(load_error(number),
            std::string(kPart) + ": invalid number \"12x\" at byte " + std::to_string(number.find("<c ")));
  EXPECT_EQ(load_error("<worksheet/>"), std::string(kPart) + ": no sheetData element at byte 12");
}

TEST(SheetPartRead, EveryTruncationFailsCleanly) {
  const std::string xml = worksheet(
      "<row r=\"1\" spans=\"1:3\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" "
      "t=\"inlineStr\"><is><r><t>a&amp;b"
      "</t></r></is></c><c r=\"C1\"><f t=\"shared\" ref=\"C1:C2\" "
      "si=\"0\">A1</f><v><![CDATA[1]]></v></c></row>"
      "<row r=\"2\"><!-- c --><c r=\"C2\"><f t=\"shared\" si=\"0\"/><v>2</v></c></row>");
  const std::size_t data_end = xml.find("</sheetData>");
  for (std::size_t length = 0; length < data_end; ++length) {
    try {
      load(xml.substr(0, length));
      ADD_FAILURE() << "loaded a part cut at " << length;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), err::kApplication);
    }
  }
}

// ---- writing -------------------------------------------------------------

const std::string kRows =
    "<row r=\"1\" spans=\"1:3\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"C1\" s=\"1\"><v>3</v></c></row>\n"
    "<row r=\"2\" spans=\"1:3\" ht=\"15\"><c r=\"A2\"><v>1</v></c><c r=\"B2\"><v>2</v></c></row>\n"
    "<row r=\"3\" spans=\"1:3\"><c r=\"A3\" t=\"inlineStr\"><is><t>x</t></is></c></row>\n";

TEST(SheetPartWrite, UntouchedPartIsByteIdentical) {
  const std::string xml = worksheet(kRows);
  const Loaded loaded = load(xml);
  EXPECT_FALSE(loaded.part->changed());
  EXPECT_EQ(loaded.part->write(), xml);
}

TEST(SheetPartWrite, OneChangedCellLeavesEveryOtherRowIdentical) {
  const Loaded loaded = load(worksheet(kRows));
  loaded.sheet->store_value(2, 2, Variant::number(0.1));
  EXPECT_TRUE(loaded.part->changed());
  EXPECT_FALSE(loaded.part->formula_overwritten());
  EXPECT_EQ(
      loaded.part->write(),
      worksheet("<row r=\"1\" spans=\"1:3\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"C1\" "
                "s=\"1\"><v>3</v></c></row>\n"
                "<row r=\"2\" ht=\"15\"><c r=\"A2\"><v>1</v></c><c r=\"B2\"><v>0.1</v></c></row>\n"
                "<row r=\"3\" spans=\"1:3\"><c r=\"A3\" t=\"inlineStr\"><is><t>x</t></is></c></row>\n"));
}

TEST(SheetPartWrite, ValuesOfEveryKind) {
  const Loaded loaded =
      load(worksheet("<row r=\"1\"><c r=\"A1\" s=\"3\"><v>1</v></c><c r=\"B1\"><v>1</v></c></row>"));
  StoredSheet& sheet = *loaded.sheet;
  sheet.store_value(1, 1, Variant());                      // styled: stays as an empty styled cell
  sheet.store_value(1, 2, Variant());                      // unstyled: goes
  sheet.store_value(1, 3, Variant::text("a<b & c\x01>"));  // escaped, control character dropped
  sheet.store_value(1, 4, Variant::boolean(true));
  sheet.store_value(1, 5, Variant::error(cell_error::kNA));
  sheet.store_value(1, 6, Variant::number(-1.5e20));
  sheet.store_value(1, 7, Variant::text("\r\n"));
  EXPECT_EQ(loaded.part->write(),
            worksheet("<row r=\"1\"><c r=\"A1\" s=\"3\"/>"
                      "<c r=\"C1\" t=\"inlineStr\"><is><t>a&lt;b &amp; c&gt;</t></is></c>"
                      "<c r=\"D1\" t=\"b\"><v>1</v></c><c r=\"E1\" t=\"e\"><v>#N/A</v></c>"
                      "<c r=\"F1\"><v>-1.5e+20</v></c>"
                      "<c r=\"G1\" t=\"inlineStr\"><is><t xml:space=\"preserve\">&#13;\n</t></is></c></row>",
                      "A1:G3"));
}

TEST(SheetPartWrite, WrittenValuesReadBackTheSame) {
  const Loaded loaded = load(worksheet(kRows));
  const std::vector<Variant> values = {Variant::text("   "),       Variant::text(" lead"),
                                       Variant::text("tail\t"),    Variant::text("\xE2\x82\xAC & <ok>"),
                                       Variant::number(0.1 + 0.2), Variant::number(-0.0001),
                                       Variant::boolean(false),    Variant::error(cell_error::kDiv0)};
  for (std::size_t i = 0; i < values.size(); ++i)
    loaded.sheet->store_value(5, static_cast<int>(i) + 1, values[i]);
  const Loaded again = load(loaded.part->write());
  for (std::size_t i = 0; i < values.size(); ++i)
    EXPECT_EQ(again.value(5, static_cast<int>(i) + 1), values[i]) << i;
}

TEST(SheetPartWrite, StyleOnlyChangeKeepsAttributesAndChildren) {
  const Loaded loaded =
      load(worksheet("<row r=\"1\"><c r=\"A1\" s=\"3\" t=\"str\"><f>B1&amp;\"x\"</f><v>ax</v></c><c t=\"n\" "
                     "r=\"B1\"><v>1</v></c>"
                     "<c r=\"C1\"/></row>"));
  loaded.sheet->set_interior_color(1, 1, kColorError);
  loaded.sheet->set_number_format(1, 2, "0.00");
  EXPECT_FALSE(loaded.part->formula_overwritten());
  EXPECT_EQ(loaded.part->write(),
            worksheet("<row r=\"1\"><c r=\"A1\" s=\"203\" t=\"str\"><f>B1&amp;\"x\"</f><v>ax</v></c>"
                      "<c t=\"n\" r=\"B1\" s=\"100\"><v>1</v></c></row>"));
}

TEST(SheetPartWrite, OverwritingASharedMasterHandsItsFormulaToTheDependents) {
  const Loaded loaded = load(worksheet(
      "<row r=\"1\"><c r=\"A1\"><f t=\"shared\" ref=\"A1:B3\" si=\"0\">C1*$D$1+SUM(E1:E2)</f><v>2</v></c>"
      "<c r=\"B1\"><f t=\"shared\" si=\"0\"/><v>3</v></c></row>"
      "<row r=\"2\"><c r=\"A2\" s=\"1\"><f t=\"shared\" si=\"0\"/><v>4</v></c></row>"
      "<row r=\"3\" spans=\"1:2\"><c r=\"B3\"><f t=\"shared\" si=\"0\"/><v>5</v></c></row>"));
  loaded.sheet->store_value(1, 1, Variant::number(9));
  loaded.sheet->store_value(1, 2, Variant::number(8));  // a dependent overwritten too: just a value
  EXPECT_TRUE(loaded.part->formula_overwritten());
  EXPECT_EQ(loaded.part->write(),
            worksheet("<row r=\"1\"><c r=\"A1\"><v>9</v></c><c r=\"B1\"><v>8</v></c></row>"
                      "<row r=\"2\"><c r=\"A2\" s=\"1\"><f>C2*$D$1+SUM(E2:E3)</f><v>4</v></c></row>"
                      "<row r=\"3\"><c r=\"B3\"><f>D3*$D$1+SUM(F3:F4)</f><v>5</v></c></row>"));
}

TEST(SheetPartWrite, OverwritingADependentDropsOnlyItsFormula) {
  const std::string row1 =
      "<row r=\"1\"><c r=\"A1\"><f t=\"shared\" ref=\"A1:A2\" si=\"0\">B1</f><v>2</v></c></row>";
  const Loaded loaded =
      load(worksheet(row1 + "<row r=\"2\"><c r=\"A2\"><f t=\"shared\" si=\"0\"/><v>4</v></c></row>"));
  loaded.sheet->store_value(2, 1, Variant::text("typed"));
  EXPECT_TRUE(loaded.part->formula_overwritten());
  EXPECT_EQ(loaded.part->write(),
            worksheet(row1 + "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>typed</t></is></c></row>"));
}

TEST(SheetPartWrite, DimensionGrowsWithTheCellsOnly) {
  const Loaded grown = load(worksheet(kRows, "A1:C3"));
  grown.sheet->store_value(5, 4, Variant::number(1));
  EXPECT_NE(grown.part->write().find("<dimension ref=\"A1:D5\"/>"), std::string::npos);

  const Loaded inside = load(worksheet(kRows, "A1:C3"));
  inside.sheet->store_value(2, 3, Variant::number(1));
  EXPECT_NE(inside.part->write().find("<dimension ref=\"A1:C3\"/>"), std::string::npos);

  const Loaded single = load(worksheet("", "A1"));
  single.sheet->store_value(2, 2, Variant::number(1));
  EXPECT_NE(single.part->write().find("<dimension ref=\"A1:B2\"/>"), std::string::npos);
}

TEST(SheetPartWrite, NewRowsAndCellsGoInOrder) {
  const Loaded loaded =
      load(worksheet("<row r=\"2\"><c r=\"A2\"><v>1</v></c><c r=\"C2\"><v>3</v></c></row>"
                     "<row r=\"4\" spans=\"2:2\" ht=\"9\"/>"));
  StoredSheet& sheet = *loaded.sheet;
  sheet.store_value(2, 4, Variant::number(4));
  sheet.store_value(2, 2, Variant::number(2));
  sheet.store_value(6, 1, Variant::number(6));
  sheet.store_value(1, 1, Variant::number(0));
  sheet.store_value(3, 2, Variant());  // nothing there: no row
  sheet.store_value(4, 2, Variant::number(5));
  EXPECT_EQ(loaded.part->write(),
            worksheet("<row r=\"1\"><c r=\"A1\"><v>0</v></c></row>"
                      "<row r=\"2\"><c r=\"A2\"><v>1</v></c><c r=\"B2\"><v>2</v></c><c r=\"C2\"><v>3</v></c>"
                      "<c r=\"D2\"><v>4</v></c></row>"
                      "<row r=\"4\" ht=\"9\"><c r=\"B4\"><v>5</v></c></row>"
                      "<row r=\"6\"><c r=\"A6\"><v>6</v></c></row>",
                      "A1:D6"));
}

TEST(SheetPartWrite, MissingReferencesAreWrittenOutOnceSomethingChanged) {
  const Loaded loaded = load(
      "<worksheet><sheetData><row><c><v>1</v></c><c><v>2</v></c></row><row><c><v>3</v></c></row></sheetData>"
      "</worksheet>");
  loaded.sheet->store_value(1, 1, Variant::number(0));
  loaded.sheet->store_value(1, 3, Variant::number(9));
  const std::string written = loaded.part->write();
  EXPECT_EQ(written,
            "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><v>0</v></c><c r=\"B1\"><v>2</v></c>"
            "<c r=\"C1\"><v>9</v></c></row><row r=\"2\"><c><v>3</v></c></row></sheetData></worksheet>");
  EXPECT_EQ(load(written).value(2, 1), Variant::number(3));
}

TEST(SheetPartWrite, PrefixedNamespaceAndSelfClosingSheetData) {
  const Loaded loaded = load(
      "<x:worksheet xmlns:x=\"urn:main\"><x:dimension "
      "ref=\"A1\"/><x:sheetData/><x:pageMargins/></x:worksheet>");
  loaded.sheet->store_value(1, 2, Variant::text("t"));
  EXPECT_EQ(loaded.part->write(),
            "<x:worksheet xmlns:x=\"urn:main\"><x:dimension ref=\"A1:B1\"/><x:sheetData><x:row r=\"1\">"
            "<x:c r=\"B1\" t=\"inlineStr\"><x:is><x:t>t</x:t></x:is></x:c></x:row></x:sheetData>"
            "<x:pageMargins/></x:worksheet>");
}

}  // namespace
}  // namespace fenwarx
