#include "sample_return.hpp"

#include <algorithm>
#include <cmath>
#include <span>
#include <string_view>

#include "pseudo_random.hpp"
#include "sample_as_typed.hpp"

namespace fenwarx::bench {
namespace {

constexpr std::uint64_t kSeed = 0x26260426;
constexpr int kMonthStarts[] = {38443, 38473, 38504};  // 1 April, 1 May, 1 June 2005
constexpr int kMonthEnds[] = {38472, 38503, 38533};

struct Section {
  const char* code;
  double company_rate, individual_rate;
  char minor_head = 0;
};
constexpr Section kResidentSections[] = {{"194C", 2, 1},  {"194J", 10, 10}, {"194I", 20, 15},
                                         {"194H", 5, 5},  {"194A", 10, 10}, {"194C", 2, 1},
                                         {"194J", 10, 10}};
constexpr Section kNonResidentSections[] = {{"195", 20, 10},  {"196A", 20, 20}, {"196B", 10, 10},
                                            {"196C", 10, 10}, {"196D", 20, 20}, {"194E", 10, 10},
                                            {"195", 20, 10}};
// Minor heads of collection with their rates: liquor, timber, forest produce, scrap,
// parking lots, toll plazas, mining.
constexpr Section kCollectionSections[] = {
    {"206C", 1, 1, 'A'}, {"206C", 2.5, 2.5, 'B'}, {"206C", 2.5, 2.5, 'D'}, {"206C", 1, 1, 'E'},
    {"206C", 2, 2, 'F'}, {"206C", 2, 2, 'G'},     {"206C", 2, 2, 'H'}};
constexpr Section kSalarySections[] = {{"", 10, 10}};

// clang-format off
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
constexpr const char* kForeignNames[] = {
    "Hans Becker", "Marie Dubois", "John Carter", "Kenji Sato", "Sofia Rossi", "Liam Murphy",
    "Anna Novak",  "Chen Wei",     "Omar Haddad", "Emma Larsen"};
constexpr const char* kFirmWords[] = {
    "Shree",   "Ganga", "Sai",    "Krishna", "Laxmi",  "Om",      "Sunrise", "Royal", "National",
    "Everest", "Apex",  "Bharat", "Metro",   "Global", "Pioneer", "Star",    "Unity", "Vishal"};
constexpr const char* kFirmKinds[] = {"Traders",   "Enterprises", "Constructions", "Associates",
                                      "Logistics", "Agencies",    "Industries",    "Infotech",
                                      "Builders",  "Transport"};
constexpr const char* kFirmForms[] = {"Pvt Ltd", "Private Limited", "Ltd", "& Co", "& Sons", ""};
constexpr const char* kForeignFirms[] = {"GmbH", "Inc", "Ltd", "SA", "BV", "KK"};

std::span<const Section> sections_of(Form form) {
  switch (form) {
    case Form::F24: return kSalarySections;
    case Form::F27: return kNonResidentSections;
    case Form::F27EQ: return kCollectionSections;
    default: return kResidentSections;
  }
}
// clang-format on

std::string digits(PseudoRandom& random, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text.push_back(random.digit());
  return text;
}

// Five letters (the fourth tells a company from a person, the fifth is the
// name's initial), four digits, a letter.
std::string pan(PseudoRandom& random, bool company, char initial) {
  std::string text;
  for (int i = 0; i < 3; ++i) text.push_back(random.letter());
  text.push_back(company ? 'C' : 'P');
  text.push_back(initial);
  text += digits(random, 4);
  text.push_back(random.letter());
  return text;
}

std::string person_or_firm(PseudoRandom& random, Form form, bool company) {
  if (form == Form::F27) {
    if (!company) return random.pick(kForeignNames);
    return std::string(random.pick(kFirmWords)) + " " + random.pick(kFirmKinds) + " " +
           random.pick(kForeignFirms);
  }
  if (!company) return std::string(random.pick(kFirstNames)) + " " + random.pick(kSurnames);
  std::string name = std::string(random.pick(kFirmWords)) + " " + random.pick(kFirmKinds);
  if (std::string_view kind = random.pick(kFirmForms); !kind.empty())
    name += " " + std::string(kind);
  return name;
}

SampleChallan make_challan(PseudoRandom& random, Form form, int index, int count) {
  // Deposited in the last days of the month its block of payments falls in.
  const int month = static_cast<int>(static_cast<long long>(index) * 3 / count);
  SampleChallan challan;
  const std::span<const Section> sections = sections_of(form);
  const auto pick = random.between(0, static_cast<long long>(sections.size()) - 1);
  const Section& section = sections[static_cast<std::size_t>(pick)];
  challan.section = section.code;
  challan.minor_head = section.minor_head;
  challan.deposit_day = kMonthEnds[month] - static_cast<int>(random.between(0, 5));
  challan.bsr_code = "0" + digits(random, 6);
  challan.challan_number = digits(random, 5);
  if (random.chance(80)) challan.cheque = static_cast<double>(random.between(100000, 999999));
  if (random.chance(10)) challan.interest = random.between(1, 500) * 100;
  return challan;
}

// The section's rate for this payee, kept beside the challan it was drawn for.
double rate_for(Form form, const SampleChallan& challan, bool company) {
  for (const Section& s : sections_of(form))
    if (challan.section == s.code && (form != Form::F27EQ || s.minor_head == challan.minor_head))
      return company ? s.company_rate : s.individual_rate;
  return 10;
}

int month_start_of(int day) {
  return day >= kMonthStarts[2]   ? kMonthStarts[2]
         : day >= kMonthStarts[1] ? kMonthStarts[1]
                                  : kMonthStarts[0];
}

}  // namespace

SampleReturn make_sample_return(Form form, int deductee_count, int challan_count, bool as_typed) {
  PseudoRandom random(kSeed + static_cast<std::uint64_t>(form));
  SampleReturn data{.form = form};
  data.challans.reserve(static_cast<std::size_t>(challan_count));
  for (int i = 0; i < challan_count; ++i)
    data.challans.push_back(make_challan(random, form, i, challan_count));

  data.deductees.reserve(static_cast<std::size_t>(deductee_count));
  for (int i = 0; i < deductee_count; ++i) {
    SampleDeductee d;
    d.challan = static_cast<int>(static_cast<long long>(i) * challan_count / deductee_count);
    SampleChallan& challan = data.challans[static_cast<std::size_t>(d.challan)];
    d.company = form != Form::F24 && random.chance(35);
    d.name = person_or_firm(random, form, d.company);
    const char initial = d.company ? d.name[0] : d.name[d.name.rfind(' ') + 1];
    const bool pan_missing = random.chance(2);
    d.pan = pan_missing ? std::string("PANNOTAVBL") : pan(random, d.company, initial);
    if (pan_missing) d.pan_reference = digits(random, 10);
    d.rate = rate_for(form, challan, d.company);
    if (form == Form::F24) {
      d.amount = random.between(15'000, 150'000) * 100;  // a month's salary
      d.employee_reference = "EMP" + digits(random, 4);
    } else {
      d.amount = random.chance(90) ? random.between(1'000'00, 250'000'00)
                                   : random.between(250'000'00, 2'500'000'00);
    }
    d.purchase_value = d.amount;
    d.tds = std::llround(rupees(d.amount) * d.rate / 100.0) * 100;
    d.surcharge =
        d.company && d.amount > 1'000'000'00 ? std::llround(rupees(d.tds) * 0.1) * 100 : 0;
    d.cess = std::llround(rupees(d.tds + d.surcharge) * 0.02) * 100;
    d.payment_day = std::max(month_start_of(challan.deposit_day),
                             challan.deposit_day - static_cast<int>(random.between(1, 27)));
    d.book_entry = random.chance(5);
    if (form != Form::F24 && random.chance(4)) {
      d.reason = random.chance(50) ? 'A' : 'B';
      d.certificate = "LDC/" + digits(random, 6);
    }
    if (random.chance(3)) d.remarks = "Paid in advance";
    if (as_typed) type_with_paise(form, i, d);

    challan.deductees += 1;
    challan.tds += d.tds;
    challan.surcharge += d.surcharge;
    challan.cess += d.cess;
    challan.deducted += d.deducted();
    data.amount_paid += d.amount;
    data.tax_deducted += d.deducted();
    data.deductees.push_back(std::move(d));
  }
  for (const SampleChallan& challan : data.challans) data.challan_total += challan.total();
  return data;
}

}  // namespace fenwarx::bench
