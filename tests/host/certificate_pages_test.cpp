#include "host/certificate_pages.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/error_of.hpp"
#include "support/shell.hpp"
#include "support/test_paths.hpp"

namespace fenwarx::host {
namespace {

namespace fs = std::filesystem;
using Names = std::set<std::string>;

Names listing(const fs::path& dir) {
  Names names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

std::size_t occurrences(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

CertificateLine line(std::string pan, std::string name, std::string amount, std::string tax) {
  return {.pan = std::move(pan),
          .name = std::move(name),
          .section = "194C",
          .amount_paid = std::move(amount),
          .tax = std::move(tax),
          .payment_date = "12/Jul/2005",
          .deduction_date = "15/Jul/2005",
          .deposit_date = "07/Aug/2005",
          .challan = "1, 0510308"};
}

Certificate certificate(long long number, std::vector<CertificateLine> lines) {
  return {.number = number,
          .deductor_name = "Gharpure Engineering Works",
          .tan = "PNEG12345B",
          .pan = "AAACG1234K",
          .lines = std::move(lines)};
}

class CertificatePages : public ::testing::Test {
 protected:
  void SetUp() override {
    if (testing::run_shell("command -v pdftotext && command -v pdfinfo").status != 0)
      GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are not installed: the PDFs "
                      "cannot be read back";
  }
  static std::string text_of(const fs::path& pdf) {
    const auto run = testing::run_shell("pdftotext -layout '" + pdf.string() + "' -");
    EXPECT_EQ(run.status, 0) << run.out;
    return run.out;
  }
  struct Word {
    double left = 0, right = 0;
    std::string text;
  };
  // Each word with where it stands across the page.
  static std::vector<Word> words_of(const fs::path& pdf) {
    const auto run = testing::run_shell("pdftotext -bbox '" + pdf.string() + "' -");
    static const std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="[0-9.]+" xMax="([0-9.]+)" yMax="[0-9.]+">([^<]*)</word>)re");
    std::vector<Word> words;
    for (std::sregex_iterator m(run.out.begin(), run.out.end(), word), end; m != end; ++m)
      words.push_back({.left = std::stod((*m)[1]), .right = std::stod((*m)[2]), .text = (*m)[3]});
    return words;
  }
  static int pages_of(const fs::path& pdf) {
    const auto run = testing::run_shell("pdfinfo '" + pdf.string() + "'");
    const auto at = run.out.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(run.out.substr(at + 6));
  }
};

TEST_F(CertificatePages, OneLineCertificateShowsDeductorLineAndTotals) {
  const auto folder = testing::scratch_dir() / "host" / "Certificates";  // made as needed
  write_certificate_pdfs({certificate(7, {line("ABCPD1234E", "Meera Kulkarni", "250000", "5150")})},
                         folder);
  EXPECT_EQ(listing(folder), Names{"7.pdf"});
  EXPECT_EQ(pages_of(folder / "7.pdf"), 1);
  const std::string text = text_of(folder / "7.pdf");
  for (const char* shown :
       {"Certificate No. 7", "Gharpure Engineering Works", "PNEG12345B", "AAACG1234K", "ABCPD1234E",
        "Meera Kulkarni", "194C", "12/Jul/2005", "15/Jul/2005", "07/Aug/2005", "1, 0510308",
        "250000.00", "5150.00", "Page 1 of 1"})
    EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
  EXPECT_EQ(text.find("Not numbers"), std::string::npos);
}

TEST_F(CertificatePages, ManyLinesFlowOverPagesWithTheHeadingRepeated) {
  std::vector<CertificateLine> lines;
  for (int i = 1; i <= 120; ++i) {
    char pan[11];
    std::snprintf(pan, sizeof pan, "ABCPE%04dF", i);
    lines.push_back(line(pan, "Deductee " + std::to_string(i), std::to_string(i) + ".05", "0.10"));
  }
  const auto folder = testing::scratch_dir();
  write_certificate_pdfs({certificate(12, lines)}, folder);
  const int pages = pages_of(folder / "12.pdf");
  EXPECT_GE(pages, 3);
  const std::string text = text_of(folder / "12.pdf");
  for (int i = 1; i <= 120; ++i) {
    char pan[11];
    std::snprintf(pan, sizeof pan, "ABCPE%04dF", i);
    EXPECT_EQ(occurrences(text, pan), 1u) << pan;
  }
  for (int p = 1; p <= pages; ++p)
    EXPECT_EQ(occurrences(text, "Page " + std::to_string(p) + " of " + std::to_string(pages)), 1u);
  EXPECT_EQ(occurrences(text, "Amount paid"), static_cast<std::size_t>(pages));
  EXPECT_EQ(occurrences(text, "Gharpure Engineering Works"), static_cast<std::size_t>(pages));
  // 1 + ... + 120 rupees and 120 times 5 paise; 120 taxes of 10 paise.
  EXPECT_NE(text.find("7266.00"), std::string::npos);
  EXPECT_NE(text.find("12.00"), std::string::npos);
  EXPECT_EQ(listing(folder), Names{"12.pdf"});
}

TEST_F(CertificatePages, AwkwardTextsAreShownAndTheTotalsSayWhatTheyLeaveOut) {
  const std::string long_name =
      "Shri Venkataraghavan Ramaswamy Iyengar Subramaniam Krishnamurthy Padmanabhan "
      "Chandrasekharan Narayanaswamy Gopalakrishnan Balasubrahmanyam of Tiruchirappalli";
  Certificate awkward = certificate(3, {line("ABCPI1234E", long_name, "1000.50", "20"),
                                        line("ABCPD5678F", "Ronald D'Souza", "twelve lakh", "10"),
                                        line("ABCPZ9012G", "Zoë Ñúñez Åström", "99.50", "x"),
                                        line("ABCPB3456H", "Bad\xFF\xFEName", "", "")});
  awkward.deductor_name = "Šťastný & Söhne <Exports>";
  Certificate endless = certificate(4, {line("ABCPE0001E", std::string(2000, 'W'), "1", "1")});
  const auto folder = testing::scratch_dir() / "out";
  write_certificate_pdfs({awkward, endless}, folder);
  EXPECT_EQ(listing(folder), (Names{"3.pdf", "4.pdf"}));

  const std::string text = text_of(folder / "3.pdf");
  for (const char* shown :
       {"Shri", "Tiruchirappalli", "Ronald D'Souza", "Zoë Ñúñez Åström", "Bad\uFFFD\uFFFDName",
        "Šťastný & Söhne <Exports>", "twelve lakh", "1100.00", "30.00",
        "Not numbers, so not in the totals: Amount paid on 1 line; Tax on 1 line."})
    EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
  // A name past any column's room is cut off with an ellipsis within its column.
  EXPECT_EQ(pages_of(folder / "4.pdf"), 1);
  const auto words = words_of(folder / "4.pdf");
  double section_left = 0;
  for (const auto& word : words)
    if (word.text == "Section") section_left = word.left;
  int name_lines = 0;
  for (const auto& word : words) {
    if (word.text.find("WWW") == std::string::npos) continue;
    ++name_lines;
    EXPECT_LT(word.right, section_left) << word.text;
  }
  EXPECT_GT(section_left, 0);
  EXPECT_GE(name_lines, 2);
  EXPECT_LE(name_lines, 12);
}

TEST(CertificatePagesFailures, AFolderThatCannotBeMadeIsNamed) {
  const auto dir = testing::scratch_dir();
  std::ofstream(dir / "plain-file") << "not a folder";
  const auto folder = dir / "plain-file" / "Certificates";
  const std::string unmade =
      testing::error_of([&] { write_certificate_pdfs({certificate(1, {})}, folder); });
  EXPECT_TRUE(unmade.starts_with("76 ") && unmade.find(folder.string()) != std::string::npos)
      << unmade;
  const std::string file =
      testing::error_of([&] { write_certificate_pdfs({certificate(1, {})}, dir / "plain-file"); });
  EXPECT_NE(file.find("plain-file"), std::string::npos) << file;
  EXPECT_EQ(listing(dir), Names{"plain-file"});
}

TEST(CertificatePagesFailures, ARepeatedNumberWritesNothing) {
  const auto folder = testing::scratch_dir() / "Certificates";
  const std::string twice = testing::error_of([&] {
    write_certificate_pdfs({certificate(5, {}), certificate(6, {}), certificate(5, {})}, folder);
  });
  EXPECT_TRUE(twice.starts_with("5 ") && twice.find("certificate 5") != std::string::npos) << twice;
  EXPECT_FALSE(fs::exists(folder));
}

}  // namespace
}  // namespace fenwarx::host
