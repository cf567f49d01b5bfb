#include "form26_sheets.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

#include "pseudo_random.hpp"
#include "workbook_styles.hpp"

namespace fenwarx::bench {
namespace {

constexpr std::uint64_t kSeed = 0x26260426;
constexpr int kFirstQuarterDay = 38443;  // 01/04/2005
constexpr int kChallanColumns = 24;
constexpr int kDeducteeColumns = 25;
constexpr int kFirstChallanRow = 4;   // rows 2 and 3 are notes and column numbers
constexpr int kFirstDeducteeRow = 3;  // row 2 holds column numbers

struct Section {
  const char* code;
  double company_rate, individual_rate;
};
constexpr Section kSections[] = {{"194C", 2, 1},  {"194J", 10, 10}, {"194I", 20, 15},
                                 {"194H", 5, 5},  {"194A", 10, 10}, {"194C", 2, 1},
                                 {"194J", 10, 10}};

constexpr const char* kFirstNames[] = {
    "Aarti",  "Abhishek", "Ajay",   "Amit",   "Anil",   "Anita",   "Arjun",   "Deepak",
    "Divya",  "Ganesh",   "Geeta",  "Harish", "Kavita", "Kiran",   "Lakshmi", "Mahesh",
    "Manoj",  "Meena",    "Mohan",  "Neha",   "Pooja",  "Prakash", "Priya",   "Rajesh",
    "Ramesh", "Ravi",     "Sanjay", "Sunita", "Suresh", "Vijay"};
constexpr const char* kSurnames[] = {
    "Agarwal", "Bansal", "Bhat",   "Chopra",     "Das",      "Desai", "Gupta",    "Iyer",
    "Jain",    "Joshi",  "Kapoor", "Khan",       "Kulkarni", "Kumar", "Malhotra", "Mehta",
    "Menon",   "Mishra", "Nair",   "Patel",      "Pillai",   "Rao",   "Reddy",    "Saxena",
    "Shah",    "Sharma", "Singh",  "Srivastava", "Verma",    "Yadav"};
constexpr const char* kFirmWords[] = {
    "Shree",   "Ganga", "Sai",    "Krishna", "Laxmi",  "Om",      "Sunrise", "Royal", "National",
    "Everest", "Apex",  "Bharat", "Metro",   "Global", "Pioneer", "Star",    "Unity", "Vishal"};
constexpr const char* kFirmKinds[] = {"Traders",   "Enterprises", "Constructions", "Associates",
                                      "Logistics", "Agencies",    "Industries",    "Infotech",
                                      "Builders",  "Transport"};
constexpr const char* kFirmForms[] = {"Pvt Ltd", "Private Limited", "Ltd", "& Co", "& Sons", ""};
constexpr const char* kCities[] = {"Mumbai",    "New Delhi", "Kolkata",   "Chennai", "Bangalore",
                                   "Hyderabad", "Pune",      "Ahmedabad", "Jaipur",  "Lucknow"};

constexpr const char* kStates[] = {"Andaman and Nicobar Islands",
                                   "Andhra Pradesh",
                                   "Arunachal Pradesh",
                                   "Assam",
                                   "Bihar",
                                   "Chandigarh",
                                   "Dadra & Nagar Haveli",
                                   "Daman & Diu",
                                   "Delhi",
                                   "Goa",
                                   "Gujarat",
                                   "Haryana",
                                   "Himachal Pradesh",
                                   "Jammu & Kashmir",
                                   "Karnataka",
                                   "Kerala",
                                   "Lakshadweep",
                                   "Madhya Pradesh",
                                   "Maharashtra",
                                   "Manipur",
                                   "Meghalaya",
                                   "Mizoram",
                                   "Nagaland",
                                   "Orissa",
                                   "Pondicherry",
                                   "Punjab",
                                   "Rajasthan",
                                   "Sikkim",
                                   "Tamil Nadu",
                                   "Tripura",
                                   "Uttar Pradesh",
                                   "West Bengal",
                                   "Chhattisgarh",
                                   "Uttaranchal",
                                   "Jharkhand"};

constexpr const char* kChallanHeadings[kChallanColumns] = {
    "Sr. No.",
    "Section Code",
    "TDS (Rs.)",
    "Surcharge (Rs.)",
    "Education Cess (Rs.)",
    "Interest (Rs.)",
    "Others (Rs.)",
    "Total Tax Deposited (Rs.)",
    "Cheque / DD No.",
    "BSR Code",
    "Date on which Tax Deposited",
    "Tax Deposited by Book Entry (Y/N)",
    "Transfer Voucher No.",
    "Challan Serial No.",
    "Remarks",
    "No. of Deductees",
    "TDS as per Deductee Details",
    "Surcharge as per Deductee Details",
    "Education Cess as per Deductee Details",
    "Interest",
    "Others",
    "Total Tax Deducted as per Deductee Details",
    "Total Tax Deposited as per Deductee Details",
    "Minor Head"};

constexpr const char* kDeducteeHeadings[kDeducteeColumns] = {
    "Section Code",
    "Deductee Code (1 Company, 2 Non-company)",
    "PAN of the Deductee",
    "PAN Reference No.",
    "Name of the Deductee",
    "Amount Paid / Credited (Rs.)",
    "Date of Payment / Credit",
    "Paid by Book Entry (Y/N)",
    "Rate at which Deducted (%)",
    "Reserved",
    "TDS (Rs.)",
    "Surcharge (Rs.)",
    "Education Cess (Rs.)",
    "Total Tax Deducted (Rs.)",
    "Date of Deduction",
    "Total Tax Deposited (Rs.)",
    "BSR Code of Branch",
    "Date of Deposit",
    "Challan Sr. No.",
    "Reason for Non-deduction / Lower Deduction (A/B)",
    "Reserved",
    "Certificate No.",
    "Remarks",
    "City",
    "Invoice No."};

using Cents = long long;
double rupees(Cents cents) { return static_cast<double>(cents) / 100.0; }

std::string digits(PseudoRandom& random, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text.push_back(random.digit());
  return text;
}

std::string pan(PseudoRandom& random, bool company, char initial) {
  std::string text;
  for (int i = 0; i < 3; ++i) text.push_back(random.letter());
  text.push_back(company ? 'C' : 'P');
  text.push_back(initial);
  text += digits(random, 4);
  text.push_back(random.letter());
  return text;
}

struct Challan {
  const Section* section;
  int deposit_day;
  std::string bsr_code;
  int deductees = 0;
  Cents tds = 0, surcharge = 0, cess = 0, deducted = 0, deposited = 0;
};

struct Totals {
  Cents amount_paid = 0, tax_deducted = 0, challan_total = 0;
};

void heading_row(SheetXml& sheet, int row, const char* const* headings, int columns) {
  sheet.begin_row(row, 1, columns);
  for (int column = 1; column <= columns; ++column)
    sheet.text(column, headings[column - 1], style::kHeading);
  sheet.end_row();
}

void column_number_row(SheetXml& sheet, int row, int columns) {
  sheet.begin_row(row, 1, columns);
  for (int column = 1; column <= columns; ++column) sheet.number(column, column, style::kHeading);
  sheet.end_row();
}

std::string deductee_sheet(int count, std::vector<Challan>& challans, Totals& totals,
                           PseudoRandom& random, SharedStrings& strings) {
  SheetXml sheet(strings);
  heading_row(sheet, 1, kDeducteeHeadings, kDeducteeColumns);
  column_number_row(sheet, 2, kDeducteeColumns);
  const int challan_count = static_cast<int>(challans.size());
  for (int i = 0; i < count; ++i) {
    const int serial = static_cast<int>(static_cast<long long>(i) * challan_count / count);
    Challan& challan = challans[serial];
    const bool company = random.chance(35);
    const char* surname = random.pick(kSurnames);
    std::string name;
    if (company) {
      name = std::string(random.pick(kFirmWords)) + " " + random.pick(kFirmKinds);
      if (std::string_view form = random.pick(kFirmForms); !form.empty())
        name += " " + std::string(form);
    } else {
      name = std::string(random.pick(kFirstNames)) + " " + surname;
    }
    const bool pan_missing = random.chance(2);
    const double rate = company ? challan.section->company_rate : challan.section->individual_rate;
    const Cents amount = random.chance(90) ? random.between(1'000'00, 250'000'00)
                                           : random.between(250'000'00, 2'500'000'00);
    const Cents tds = std::llround(rupees(amount) * rate / 100.0) * 100;
    const Cents surcharge =
        company && amount > 1'000'000'00 ? std::llround(rupees(tds) * 0.1) * 100 : 0;
    const Cents cess = std::llround(rupees(tds + surcharge) * 0.02) * 100;
    const Cents deducted = tds + surcharge + cess;
    const int payment_day =
        std::max(kFirstQuarterDay, challan.deposit_day - static_cast<int>(random.between(7, 37)));
    const bool lower_deduction = random.chance(4);

    challan.deductees += 1;
    challan.tds += tds;
    challan.surcharge += surcharge;
    challan.cess += cess;
    challan.deducted += deducted;
    challan.deposited += deducted;
    totals.amount_paid += amount;
    totals.tax_deducted += deducted;

    const int row = kFirstDeducteeRow + i;
    sheet.begin_row(row, 1, kDeducteeColumns);
    sheet.text(1, challan.section->code, style::kText);
    sheet.number(2, company ? 1 : 2, style::kWhole);
    sheet.text(3, pan_missing ? std::string("PANNOTAVBL") : pan(random, company, surname[0]),
               style::kText);
    sheet.text(4, pan_missing ? digits(random, 10) : std::string(), style::kText);
    sheet.text(5, name, style::kText);
    sheet.number(6, rupees(amount), style::kAmount);
    sheet.number(7, payment_day, style::kDate);
    sheet.text(8, random.chance(5) ? "Y" : "N", style::kText);
    sheet.number(9, rate, style::kAmount);
    sheet.blank(10, style::kText);
    sheet.number(11, rupees(tds), style::kWhole);
    sheet.number(12, rupees(surcharge), style::kWhole);
    sheet.number(13, rupees(cess), style::kWhole);
    sheet.number(14, rupees(deducted), style::kWhole);
    sheet.number(15, payment_day, style::kDate);
    sheet.number(16, rupees(deducted), style::kWhole);
    sheet.text(17, challan.bsr_code, style::kText);
    sheet.number(18, challan.deposit_day, style::kDate);
    sheet.number(19, serial + 1, style::kWhole);
    sheet.text(20, lower_deduction ? (random.chance(50) ? "A" : "B") : "", style::kText);
    sheet.blank(21, style::kText);
    sheet.text(22, lower_deduction ? "LDC/" + digits(random, 6) : std::string(), style::kText);
    sheet.text(23, random.chance(3) ? "Paid in advance" : "", style::kText);
    if (!random.chance(10)) sheet.text(24, random.pick(kCities), style::kText);
    if (!random.chance(15)) sheet.text(25, "INV/05-06/" + digits(random, 5), style::kText);
    sheet.end_row();
  }
  std::vector<ColumnWidth> widths = {{1, 4, 12.7109375}, {5, 5, 34.7109375}, {6, 25, 14.7109375}};
  return sheet.finish(widths, false);
}

std::string challan_sheet(const std::vector<Challan>& challans, Totals& totals,
                          PseudoRandom& random, SharedStrings& strings) {
  SheetXml sheet(strings);
  heading_row(sheet, 1, kChallanHeadings, kChallanColumns);
  sheet.begin_row(2, 1, kChallanColumns);
  for (int column = 3; column <= 8; ++column) sheet.text(column, "Rs.", style::kHeading);
  sheet.text(11, "dd/mm/yyyy", style::kHeading);
  sheet.end_row();
  column_number_row(sheet, 3, kChallanColumns);

  int row = kFirstChallanRow;
  for (const Challan& challan : challans) {
    const Cents interest = random.chance(10) ? random.between(1, 500) * 100 : 0;
    const Cents total = challan.tds + challan.surcharge + challan.cess + interest;
    const bool by_cheque = random.chance(80);
    totals.challan_total += total;
    sheet.begin_row(row, 1, kChallanColumns);
    sheet.number(1, row - kFirstChallanRow + 1, style::kWhole);
    sheet.text(2, challan.section->code, style::kText);
    sheet.number(3, rupees(challan.tds), style::kAmount);
    sheet.number(4, rupees(challan.surcharge), style::kAmount);
    sheet.number(5, rupees(challan.cess), style::kAmount);
    sheet.number(6, rupees(interest), style::kAmount);
    sheet.number(7, 0, style::kAmount);
    sheet.number(8, rupees(total), style::kAmount);
    if (by_cheque)
      sheet.number(9, static_cast<double>(random.between(100000, 999999)), style::kWhole);
    else
      sheet.blank(9, style::kWhole);
    sheet.text(10, challan.bsr_code, style::kText);
    sheet.number(11, challan.deposit_day, style::kDate);
    sheet.text(12, "N", style::kText);
    sheet.blank(13, style::kText);
    sheet.text(14, digits(random, 5), style::kText);
    sheet.text(15, by_cheque ? "" : "Cash", style::kText);
    sheet.number(16, challan.deductees, style::kWhole);
    sheet.number(17, rupees(challan.tds), style::kWhole);
    sheet.number(18, rupees(challan.surcharge), style::kWhole);
    sheet.number(19, rupees(challan.cess), style::kWhole);
    sheet.number(20, rupees(interest), style::kAmount);
    sheet.number(21, 0, style::kAmount);
    sheet.number(22, rupees(challan.deducted), style::kWhole);
    sheet.number(23, rupees(challan.deposited), style::kWhole);
    sheet.number(24, 200, style::kWhole);
    sheet.end_row();
    ++row;
  }
  std::vector<ColumnWidth> widths = {{1, 1, 7.7109375}, {2, 24, 14.7109375}};
  return sheet.finish(widths, false);
}

struct DeductorRow {
  const char* label;
  enum Kind { Text, Whole, Amount, Date } kind;
  std::string text;
  double number = 0;
};

std::string deductor_sheet(int deductee_count, int challan_count, const Totals& totals,
                           SharedStrings& strings) {
  const std::vector<DeductorRow> rows = {
      {"TAN of the Deductor", DeductorRow::Text, "DELS12345F"},
      {"PAN of the Deductor", DeductorRow::Text, "AAACS1234K"},
      {"Name of the Deductor", DeductorRow::Text, "Sunrise Engineering Works Pvt Ltd"},
      {"Branch / Division", DeductorRow::Text, "Head Office"},
      {"Flat / Door / Block No.", DeductorRow::Text, "14"},
      {"Name of Premises / Building", DeductorRow::Text, "Shanti Bhavan"},
      {"Road / Street / Lane", DeductorRow::Text, "Pusa Road"},
      {"Area / Locality", DeductorRow::Text, "Karol Bagh"},
      {"Town / City / District", DeductorRow::Text, "New Delhi"},
      {"State", DeductorRow::Text, "Delhi"},
      {"PIN Code", DeductorRow::Whole, "", 110005},
      {"Telephone No.", DeductorRow::Text, "011-25761234"},
      {"E-mail", DeductorRow::Text, "accounts@sunrise-eng.example"},
      {"STD Code", DeductorRow::Text, "011"},
      {"Status of Deductor", DeductorRow::Text, "Company"},
      {"Deductor Category", DeductorRow::Text, "K"},
      {"Name of the Person Responsible", DeductorRow::Text, "Rajesh Malhotra"},
      {"Designation", DeductorRow::Text, "Manager (Accounts)"},
      {"Flat / Door / Block No.", DeductorRow::Text, "B-22"},
      {"Name of Premises / Building", DeductorRow::Text, "Green Park Apartments"},
      {"Road / Street / Lane", DeductorRow::Text, "Aurobindo Marg"},
      {"Area / Locality", DeductorRow::Text, "Green Park"},
      {"Town / City / District", DeductorRow::Text, "New Delhi"},
      {"State", DeductorRow::Text, "Delhi"},
      {"PIN Code", DeductorRow::Whole, "", 110016},
      {"Telephone No.", DeductorRow::Text, "011-26851234"},
      {"E-mail", DeductorRow::Text, ""},
      {"Address Changed since Last Return (Y/N)", DeductorRow::Text, "N"},
      {"Responsible Person's Address Changed (Y/N)", DeductorRow::Text, "N"},
      {"Financial Year", DeductorRow::Text, "2005-06"},
      {"Assessment Year", DeductorRow::Text, "2006-07"},
      {"Quarter", DeductorRow::Text, "Q1"},
      {"Total Amount Paid (Rs.)", DeductorRow::Amount, "", rupees(totals.amount_paid)},
      {"Total Tax Deducted (Rs.)", DeductorRow::Amount, "", rupees(totals.tax_deducted)},
      {"Total of Challans (Rs.)", DeductorRow::Amount, "", rupees(totals.challan_total)},
      {"Number of Challans", DeductorRow::Whole, "", static_cast<double>(challan_count)},
      {"Number of Deductee Records", DeductorRow::Whole, "", static_cast<double>(deductee_count)},
      {"Regular / Correction (R/C)", DeductorRow::Text, "R"},
      {"Provisional Receipt No. of Original Return", DeductorRow::Text, ""},
      {"Date of Preparation", DeductorRow::Date, "", kFirstQuarterDay + 100},
      {"Place", DeductorRow::Text, "New Delhi"},
      {"Name of the Person Verifying", DeductorRow::Text, "Rajesh Malhotra"},
      {"Father's Name", DeductorRow::Text, "Suresh Malhotra"},
  };
  SheetXml sheet(strings);
  int row = 1;
  for (const DeductorRow& entry : rows) {
    sheet.begin_row(row, 1, 2);
    sheet.text(1, entry.label, style::kLabel);
    switch (entry.kind) {
      case DeductorRow::Text:
        sheet.text(2, entry.text, style::kText);
        break;
      case DeductorRow::Whole:
        sheet.number(2, entry.number, style::kWhole);
        break;
      case DeductorRow::Amount:
        sheet.number(2, entry.number, style::kAmount);
        break;
      case DeductorRow::Date:
        sheet.number(2, entry.number, style::kDate);
        break;
    }
    sheet.end_row();
    ++row;
  }
  sheet.begin_row(100, 100, 100);
  sheet.number(100, 2005, style::kGeneral);
  sheet.end_row();
  return sheet.finish({{1, 1, 44.7109375}, {2, 2, 36.7109375}}, true);
}

std::string state_sheet(SharedStrings& strings) {
  SheetXml sheet(strings);
  sheet.begin_row(1, 1, 2);
  sheet.text(1, "Code", style::kHeading);
  sheet.text(2, "State", style::kHeading);
  sheet.end_row();
  int code = 1;
  for (const char* state : kStates) {
    sheet.begin_row(code + 1, 1, 2);
    sheet.text(
        1, std::string(1, static_cast<char>('0' + code / 10)) + static_cast<char>('0' + code % 10),
        style::kText);
    sheet.text(2, state, style::kText);
    sheet.end_row();
    ++code;
  }
  return sheet.finish({{1, 1, 8.7109375}, {2, 2, 30.7109375}}, false);
}

}  // namespace

Form26Sheets make_form26_sheets(int deductees, int challans, SharedStrings& strings) {
  PseudoRandom random(kSeed);
  std::vector<Challan> challan_list;
  challan_list.reserve(static_cast<std::size_t>(challans));
  for (int i = 0; i < challans; ++i) {
    // Deposited within a week after the month the challan's block of payments falls in.
    const int month = static_cast<int>(static_cast<long long>(i) * 3 / challans);
    const int deposit_day =
        kFirstQuarterDay + 30 * (month + 1) + static_cast<int>(random.between(0, 6));
    challan_list.push_back({&random.pick(kSections), deposit_day, "0" + digits(random, 6)});
  }
  Totals totals;
  Form26Sheets sheets;
  sheets.deductees = deductee_sheet(deductees, challan_list, totals, random, strings);
  sheets.challans = challan_sheet(challan_list, totals, random, strings);
  sheets.deductor = deductor_sheet(deductees, challans, totals, strings);
  sheets.states = state_sheet(strings);
  return sheets;
}

}  // namespace fenwarx::bench
