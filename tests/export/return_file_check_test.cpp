// The structural checker: one valid return file, and for each rule a copy that
// breaks exactly that rule, with the findings it must give word for word.
#include "export/return_file_check.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "export/export_bench.hpp"

namespace fenwarx {
namespace {

using testing::text_of;
using Fields = std::map<int, std::string>;
using Found = std::vector<std::tuple<long long, int, std::string>>;

std::vector<std::string> record(std::size_t count, const Fields& fields) {
  std::vector<std::string> out(count);
  for (const auto& [k, value] : fields) out[static_cast<std::size_t>(k - 1)] = value;
  return out;
}

// FH, BH, a challan of 1500.50 with two deductees, a nil challan with one.
std::vector<std::vector<std::string>> valid_records() {
  const std::string z = "0.00";
  // clang-format off
  return {
      record(15, {{1, "1"}, {2, "FH"}, {3, "NS1"}, {4, "R"}, {5, "15062006"}, {6, "1"}, {7, "D"},
                  {8, "ABCD12345E"}, {9, "1"}}),
      record(52, {{1, "2"}, {2, "BH"}, {3, "1"}, {4, "2"}, {5, "26Q"}, {13, "ABCD12345E"},
                  {15, "ABCDE1234F"}, {16, "200607"}, {17, "200506"}, {18, "Q1"}, {19, "Acme"},
                  {46, "N"}, {47, "1500.00"}, {51, "N"}}),
      record(38, {{1, "3"}, {2, "CD"}, {3, "1"}, {4, "1"}, {5, "2"}, {6, "N"}, {18, "15052005"},
                  {21, "94C"}, {22, "1500.50"}, {23, z}, {24, z}, {25, z}, {26, z}, {27, "1500.50"},
                  {29, "150.00"}, {30, "150.00"}, {31, z}, {32, z}, {33, "150.00"}, {34, z},
                  {35, z}, {36, "0"}, {37, "N"}}),
      record(32, {{1, "4"}, {2, "DD"}, {3, "1"}, {4, "1"}, {5, "1"}, {6, "O"}, {8, "2"},
                  {10, "ABCDE1234F"}, {13, "Ram"}, {14, "100.00"}, {15, z}, {16, z}, {17, "100.00"},
                  {19, "100.00"}, {22, "1000.00"}, {23, "15052005"}, {24, "15052005"},
                  {26, "10.0000"}, {28, "N"}, {30, "A"}}),
      record(32, {{1, "5"}, {2, "DD"}, {3, "1"}, {4, "1"}, {5, "2"}, {6, "O"}, {10, "PANNOTAVBL"},
                  {13, "Sita"}, {14, "50.00"}, {15, z}, {16, z}, {17, "50.00"}, {19, "50.00"},
                  {22, "500.00"}, {26, "10.0000"}, {30, "A"}}),
      record(38, {{1, "6"}, {2, "CD"}, {3, "1"}, {4, "2"}, {5, "1"}, {6, "Y"}, {18, "30062005"},
                  {21, "94J"}, {22, z}, {23, z}, {24, z}, {25, z}, {26, z}, {27, z}, {29, z},
                  {30, z}, {31, z}, {32, z}, {33, z}, {34, z}, {35, z}}),
      record(32, {{1, "7"}, {2, "DD"}, {3, "1"}, {4, "2"}, {5, "1"}, {6, "O"}, {10, "ABCDE1234F"},
                  {13, "Hari"}, {14, z}, {15, z}, {16, z}, {17, z}, {19, z}, {22, "200.00"},
                  {26, "0.0000"}}),
  };
  // clang-format on
}

std::string valid_text() { return text_of(valid_records()); }

Found listed(const std::vector<CheckFinding>& list) {
  Found out;
  for (const CheckFinding& f : list) out.emplace_back(f.line, f.field, f.message);
  return out;
}

Found found(const CheckReport& report) { return listed(report.findings); }
Found warned(const CheckReport& report) { return listed(report.warnings); }

// The valid records with each {line, field, new text} typed over.
using Edits = std::vector<std::tuple<int, int, std::string>>;
std::string edited(const Edits& edits) {
  auto records = valid_records();
  for (const auto& [line, field, value] : edits) records[line - 1][field - 1] = value;
  return text_of(records);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

TEST(ReturnFileCheck, ValidFilesHaveNoFindings) {
  const std::string nil_return =
      text_of({valid_records()[0], valid_records()[1]}) +
      "3^CD^1^1^0^Y^^^^^^^^^^^^30062005^^^193^0.00^0.00^0.00^0.00^0.00^0.00^^0.00^0.00^0.00^0.00^"
      "0.00^0.00^0.00^^^^\r\n";
  for (const auto& [text, lines] :
       {std::pair{valid_text(), 7LL},
        {replaced(replaced(nil_return, "^2^26Q^", "^1^26Q^"), "^1500.00^", "^0.00^"), 3LL}}) {
    const CheckReport report = check_return_file(text);
    EXPECT_EQ(found(report), Found{});
    EXPECT_EQ(warned(report), Found{});
    EXPECT_EQ(report.lines, lines);
  }
  EXPECT_EQ(check_return_file(valid_text()).challans.size(), 2u);
}

// One field changed: {line, field, new text}.
TEST(ReturnFileCheck, EachFieldRule) {
  const struct {
    Edits edits;
    Found expected;
  } cases[] = {
      {{{1, 3, "XX1"}}, {{1, 3, "file type \"XX1\" is not NS1, TC1 or SL1"}}},
      {{{1, 5, "29022005"}}, {{1, 5, "\"29022005\" is not a date (ddMMyyyy)"}}},
      {{{1, 8, "ABC123456D"}}, {{1, 8, "\"ABC123456D\" is not a TAN"}}},
      {{{1, 2, "XX"}}, {{0, 0, "no FH record"}, {1, 2, "unknown record type \"XX\""}}},
      {{{2, 1, "3"}}, {{2, 1, "line number \"3\", expected 2"}}},
      {{{2, 4, "3"}}, {{2, 4, "3 challan records stated, 2 found"}}},
      {{{2, 4, "two"}}, {{2, 4, "\"two\" is not a whole number"}}},
      {{{2, 5, "27EQ"}}, {{2, 5, "form 27EQ does not match file type NS1"}}},
      {{{2, 5, "25Q"}}, {{2, 5, "form \"25Q\" is not 24Q, 26Q, 27Q or 27EQ"}}},
      {{{2, 13, ""}}, {{2, 13, "\"\" is not a TAN"}}},
      {{{2, 15, "ABCDE12345"}}, {{2, 15, "\"ABCDE12345\" is not a PAN"}}},
      {{{2, 15, ""}}, {}},
      {{{2, 16, "200506"}}, {{2, 16, "assessment year \"200506\", expected 200607"}}},
      {{{2, 17, "2005-6"}}, {{2, 17, "financial year \"2005-6\" is not like 200506"}}},
      {{{2, 47, "1501.00"}}, {{2, 47, "total deposit 1501.00, expected 1500.00"}}},
      {{{3, 22, "1501.50"}, {3, 27, "1501.50"}},
       {{2, 47, "total deposit 1500.00, expected 1502.00"}}},
      {{{3, 3, "2"}}, {{3, 3, "batch number must be 1"}}},
      {{{3, 4, "2"}}, {{3, 4, "challan serial 2, expected 1"}}},
      {{{3, 5, "3"}}, {{3, 5, "3 deductee records stated, 2 found"}}},
      {{{3, 6, "X"}}, {{3, 6, "nil indicator \"X\" is not N or Y"}}},
      {{{3, 18, ""}}, {{3, 18, "date is missing"}}},
      {{{3, 27, "1500.00"}},
       {{3, 27, "total 1500.00 is not the sum of fields 22 to 26 (1500.50)"}}},
      {{{3, 29, "151.00"}},
       {{3, 29, "151.00 stated, the deductee records' field 19 sums to 150.00"}}},
      {{{3, 31, "1.00"}}, {{3, 31, "1.00 stated, the deductee records' field 15 sums to 0.00"}}},
      {{{3, 34, ""}}, {{3, 34, "amount is missing"}}},
      {{{4, 4, "2"}}, {{4, 4, "challan serial 2, expected 1"}}},
      {{{5, 5, "1"}}, {{5, 5, "deductee serial 1, expected 2"}}},
      {{{4, 10, ""}}, {{4, 10, "PAN is missing"}}},
      {{{4, 10, "abcde1234f"}}, {{4, 10, "\"abcde1234f\" is not a PAN"}}},
      // An amount that is not one leaves the totals it feeds unchecked.
      {{{4, 14, "100"}}, {{4, 14, "\"100\" is not an amount with two decimals"}}},
      {{{4, 17, "90.00"}},
       {{3, 33, "150.00 stated, the deductee records' field 17 sums to 140.00"},
        {4, 17, "tax 90.00 is not the sum of fields 14 to 16 (100.00)"}}},
      {{{4, 22, ""}}, {{4, 22, "amount is missing"}}},
      {{{4, 23, "150505"}}, {{4, 23, "\"150505\" is not a date (ddMMyyyy)"}}},
      {{{4, 24, ""}}, {}},
      {{{4, 26, "10.00"}}, {{4, 26, "\"10.00\" is not a rate with four decimals"}}},
      {{{7, 4, "1"}}, {{7, 4, "challan serial 1, expected 2"}}},
      // The file header counts the batch headers.
      {{{1, 9, "2"}}, {{1, 9, "2 batch records stated, 1 found"}}},
      {{{1, 9, "one"}}, {{1, 9, "\"one\" is not a whole number"}}},
      // No amount is negative, zero is.
      {{{4, 22, "-1000.00"}}, {{4, 22, "\"-1000.00\" is a negative amount"}}},
      {{{4, 22, "0.00"}}, {}},
      {{{3, 34, "-0.01"}}, {{3, 34, "\"-0.01\" is a negative amount"}}},
      // A rate lies from 0 to 100.
      {{{4, 26, "100.0000"}}, {}},
      {{{4, 26, "100.0001"}}, {{4, 26, "rate 100.0001 is over 100"}}},
      {{{4, 26, "-0.0001"}}, {{4, 26, "rate -0.0001 is below 0"}}},
      {{{4, 26, "-1.00"}}, {{4, 26, "\"-1.00\" is not a rate with four decimals"}}},
      // Texts up to their field's length: names 75, address lines 25, codes
      // as long as their list's, zero-filled numbers as wide as they are filled.
      {{{4, 13, std::string(75, 'N')}, {2, 19, std::string(75, 'N')}}, {}},
      {{{4, 13, std::string(76, 'N')}}, {{4, 13, "76 characters, at most 75 allowed"}}},
      {{{2, 33, std::string(76, 'N')}}, {{2, 33, "76 characters, at most 75 allowed"}}},
      {{{2, 21, std::string(25, 'F')}, {2, 39, std::string(25, 'T')}}, {}},
      {{{2, 39, std::string(26, 'T')}}, {{2, 39, "26 characters, at most 25 allowed"}}},
      {{{2, 27, "1100011"}}, {{2, 27, "7 characters, at most 6 allowed"}}},
      {{{2, 18, "Q12"}}, {{2, 18, "3 characters, at most 2 allowed"}}},
      {{{3, 16, "05100012"}}, {{3, 16, "8 characters, at most 7 allowed"}}},
      {{{4, 30, "AB"}}, {{4, 30, "2 characters, at most 1 allowed"}}},
      // A field its own rule rejects is not measured besides.
      {{{4, 10, "ABCDE1234FG"}}, {{4, 10, "\"ABCDE1234FG\" is not a PAN"}}},
  };
  for (const auto& c : cases) {
    const std::string text = edited(c.edits);
    SCOPED_TRACE(text);
    EXPECT_EQ(found(check_return_file(text)), c.expected);
  }
}

// A file of type SL1 holds Form 24's records: its batch header states two more
// totals and its deductee records the date of deposit in field 25, which the
// records of the other forms leave unread.
TEST(ReturnFileCheck, Form24Fields) {
  const Edits form24 = {{1, 3, "SL1"},   {2, 5, "24Q"},       {2, 49, "0"},
                        {2, 50, "0.00"}, {4, 25, "15052005"}, {6, 21, "92A"}};
  const auto salary = [&](Edits edits) {
    edits.insert(edits.begin(), form24.begin(), form24.end());
    return edited(edits);
  };
  const struct {
    std::string text;
    Found expected;
  } cases[] = {
      {salary({}), {}},
      {salary({{4, 25, ""}}), {}},
      {salary({{4, 25, "31022005"}}), {{4, 25, "\"31022005\" is not a date (ddMMyyyy)"}}},
      {edited({{4, 25, "31022005"}}), {}},
      {salary({{2, 49, ""}}), {{2, 49, "\"\" is not a whole number"}}},
      {salary({{2, 49, "none"}}), {{2, 49, "\"none\" is not a whole number"}}},
      {salary({{2, 50, ""}}), {{2, 50, "amount is missing"}}},
      {salary({{2, 50, "0"}}), {{2, 50, "\"0\" is not an amount with two decimals"}}},
      {salary({}) + "8^CD^1^3^0^Y^^^^^^^^^^^^30062005^^^92A^0.00^0.00^0.00^0.00^0.00^0.00^^0.00^"
                    "0.00^0.00^0.00^0.00^0.00^0.00^^^^\r\n",
       {{2, 4, "2 challan records stated, 3 found"},
        {8, 21, "a second nil challan of section \"92A\""}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(found(check_return_file(c.text)), c.expected);
  }
}

// Values a validation utility takes but that are unlikely to be meant: each with
// a clean value at its edge. None is a finding; a field with a finding gets no
// warning.
TEST(ReturnFileCheck, EachWarning) {
  const std::string q1 = " is outside Q1 (01042005 to 30062005)";
  const std::string q4 = " is outside Q4 (01012006 to 31032006)";
  // A cess of 2.00 on the deductee of line 4, and a rate that holds it.
  const Edits cess_in_rate = {{4, 16, "2.00"},   {4, 17, "102.00"}, {4, 19, "102.00"},
                              {3, 29, "152.00"}, {3, 32, "2.00"},   {3, 33, "152.00"},
                              {4, 26, "10.2000"}};
  const struct {
    Edits edits;
    Found warnings;
    Found findings = {};
  } cases[] = {
      // Deducted after the challan deposited it; a nil challan deposits nothing.
      {{{4, 24, "16052005"}},
       {{4, 24, "deduction date 16052005 is after the challan's deposit date 15052005"}}},
      {{{3, 18, "16052005"}, {4, 24, "16052005"}}, {}},
      {{{6, 18, "01062005"}, {7, 24, "15062005"}}, {}},
      // Paid or deducted outside the return's quarter; Q4 lies in the next year.
      {{{3, 18, "07072005"}, {4, 24, "01072005"}}, {{4, 24, "deduction date 01072005" + q1}}},
      {{{3, 18, "07072005"}, {4, 24, "30062005"}}, {}},
      {{{4, 23, "31032005"}}, {{4, 23, "payment date 31032005" + q1}}},
      {{{4, 23, "01042005"}, {4, 24, "01042005"}}, {}},
      {{{2, 18, "Q4"}, {3, 18, "07042006"}, {4, 23, "01012006"}, {4, 24, "31032006"}}, {}},
      {{{2, 18, "Q4"}, {3, 18, "07042006"}, {4, 23, "31122005"}, {4, 24, "01042006"}},
       {{4, 23, "payment date 31122005" + q4}, {4, 24, "deduction date 01042006" + q4}}},
      // PINs of six digits.
      {{{2, 27, "110001"}, {2, 41, "560001"}}, {}},
      {{{2, 27, "11000"}}, {{2, 27, "PIN \"11000\" is not six digits"}}},
      {{{2, 41, "56000A"}}, {{2, 41, "PIN \"56000A\" is not six digits"}}},
      {{{2, 27, "1100011"}}, {}, {{2, 27, "7 characters, at most 6 allowed"}}},
      // The tax within a rupee of the rate of the amount, either way; the total
      // tax may be what the rate gives.
      {{{4, 22, "1010.00"}}, {}},
      {{{4, 22, "1010.10"}},
       {{4, 14, "tax 100.00 differs from 10.0000% of 1010.10 (101.01) by more than a rupee"}}},
      {{{4, 22, "990.00"}}, {}},
      {{{4, 22, "989.90"}},
       {{4, 14, "tax 100.00 differs from 10.0000% of 989.90 (98.99) by more than a rupee"}}},
      {{{4, 26, "10.2000"}},
       {{4, 14, "tax 100.00 differs from 10.2000% of 1000.00 (102.00) by more than a rupee"}}},
      {cess_in_rate, {}},
      {{{4, 26, ""}}, {}},
      // The deductee code as the PAN's fourth letter tells: C for a company.
      {{{4, 8, "1"}}, {{4, 8, "deductee code 1 (company), but PAN ABCDE1234F is not a company's"}}},
      {{{4, 10, "ABCCE1234F"}},
       {{4, 8, "deductee code 2 (non-company), but PAN ABCCE1234F is a company's"}}},
      {{{4, 8, "1"}, {4, 10, "ABCCE1234F"}}, {}},
      {{{5, 8, "1"}}, {}},
      // A date that is none is a finding only.
      {{{4, 24, "31062005"}}, {}, {{4, 24, "\"31062005\" is not a date (ddMMyyyy)"}}},
  };
  for (const auto& c : cases) {
    const std::string text = edited(c.edits);
    SCOPED_TRACE(text);
    const CheckReport report = check_return_file(text);
    EXPECT_EQ(warned(report), c.warnings);
    EXPECT_EQ(found(report), c.findings);
  }
}

// Changes to the bytes and the lines rather than to one field.
TEST(ReturnFileCheck, EachLineAndOrderRule) {
  const std::string valid = valid_text();
  const std::string extra_cd = "^CD^1^3^0^";
  const std::string zeros =
      "^0.00^0.00^0.00^0.00^0.00^0.00^^0.00^0.00^0.00^0.00^0.00^0.00^0.00^^^^\r\n";
  const struct {
    std::string text;
    Found expected;
  } cases[] = {
      {"", {{0, 0, "the file is empty"}}},
      {valid.substr(0, valid.size() - 2), {{7, 0, "line does not end with CR LF"}}},
      {replaced(valid, "^\r\n3^CD", "^\n3^CD"), {{2, 0, "line ends with LF, not CR LF"}}},
      {replaced(valid, "\r\n6^CD", "\r\n\r\n6^CD"),
       {{6, 0, "empty line"},
        {7, 1, "line number \"6\", expected 7"},
        {8, 1, "line number \"7\", expected 8"}}},
      {replaced(valid, "^Ram^", "^Ram\tLal^"), {{4, 13, "tab inside a field"}}},
      {replaced(valid, "^Ram^", "^Ram\rLal^"), {{4, 13, "stray CR inside a field"}}},
      {replaced(valid, "^Ram^", "^Ram\xE9^"), {{4, 13, "byte 0xE9 is not printable ASCII"}}},
      {replaced(valid, "A^^^\r\n6^CD", "A^^\r\n6^CD"), {{5, 0, "expected 32 fields, found 31"}}},
      {replaced(valid, "A^^^\r\n6^CD", "A^^^x\r\n6^CD"),
       {{5, 0, "line does not end with \"^\""}, {5, 0, "expected 32 fields, found 33"}}},
      {text_of({valid_records()[1], valid_records()[0]}) + valid.substr(valid.find("3^CD")),
       {{1, 1, "line number \"2\", expected 1"},
        {1, 2, "BH must be the second record"},
        {2, 1, "line number \"1\", expected 2"},
        {2, 2, "FH must be the first record"}}},
      {text_of({valid_records()[0], valid_records()[1], valid_records()[3]}),
       {{0, 0, "no CD record"},
        {2, 4, "2 challan records stated, 0 found"},
        {2, 47, "total deposit 1500.00, expected 0.00"},
        {3, 1, "line number \"4\", expected 3"},
        {3, 2, "DD record before any CD record"}}},
      {valid + "8" + extra_cd + "N^^^^^^^^^^^^30062005^^^94C" + zeros,
       {{2, 4, "2 challan records stated, 3 found"},
        {8, 6, "a regular challan after a nil challan"}}},
      {valid + "8" + extra_cd + "Y^^^^^^^^^^^^30062005^^^94J" + zeros,
       {{2, 4, "2 challan records stated, 3 found"},
        {8, 21, "a second nil challan of section \"94J\""}}},
      {valid + replaced(text_of({valid_records()[1]}), "2^BH^", "8^BH^"),
       {{1, 9, "1 batch records stated, 2 found"}, {8, 2, "BH must be the second record"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(found(check_return_file(c.text)), c.expected);
  }
}

}  // namespace
}  // namespace fenwarx
