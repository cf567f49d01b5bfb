#pragma once
// The closed lists a return's fields take their values from: state names, deductor
// categories, quarters and the section codes each form admits. The checks, the
// templates' list validations and the form detection read them from here.
#include <array>
#include <span>
#include <string_view>

#include "layout/forms.hpp"

namespace fenwarx {

// The state names a deductor's address may carry, written exactly so; the
// template's "State Code" sheet numbers them 01 to 35 in this order.
// clang-format off
inline constexpr std::array<std::string_view, 35> kStateNames{
    "ANDAMAN AND NICOBAR ISLANDS", "ANDHRA PRADESH", "ARUNACHAL PRADESH", "ASSAM", "BIHAR",
    "CHANDIGARH", "DADRA & NAGAR HAVELI", "DAMAN & DIU", "DELHI", "GOA", "GUJARAT", "HARYANA",
    "HIMACHAL PRADESH", "JAMMU & KASHMIR", "KARNATAKA", "KERALA", "LAKHSWADEEP", "MADHYA PRADESH",
    "MAHARASHTRA", "MANPUR", "MEGHALAYA", "MIZORAM", "NAGALAND", "ORISSA", "PONDICHERRY", "PUNJAB",
    "RAJASTHAN", "SIKKIM", "TAMILNADU", "TRIPURA", "UTTAR PRADESH", "WEST BENGAL", "CHHATISHGARH",
    "UTTARANCHAL", "JHARKHAND"};

// Deductor categories, one letter each, in the order they are tried.
inline constexpr std::array<std::string_view, 18> kDeductorCategories{
    "A", "S", "D", "E", "G", "H", "L", "N", "K", "M", "P", "T", "J", "B", "Q", "F", "C", "O"};

// The words that stand in a PAN's place when the PAN is missing or not needed.
inline constexpr std::string_view kPanNotAvailable = "PANNOTAVBL";
inline constexpr std::string_view kPanNotRequired = "PANNOTREQD";
inline constexpr std::array<std::string_view, 4> kReservedPans{kPanNotAvailable, "PANINVALID",
                                                               "PANAPPLIED", kPanNotRequired};

inline constexpr std::array<std::string_view, 4> kQuarters{"Q1", "Q2", "Q3", "Q4"};

// Payments to residents (Forms 26 and 24), to non-residents (Form 27), and the
// collection code of Form 27EQ.
inline constexpr std::array<std::string_view, 15> kResidentSections{
    "193",  "194",  "194A", "194B", "194BB", "194C", "194D", "194EE",
    "194F", "194G", "194H", "194I", "194J",  "194K", "194LA"};
inline constexpr std::array<std::string_view, 6> kNonResidentSections{"194E", "195",  "196A",
                                                                      "196B", "196C", "196D"};
inline constexpr std::array<std::string_view, 1> kCollectionSections{"206C"};

// The section codes the challan and deductee sheets of `form` admit.
constexpr std::span<const std::string_view> section_codes(Form form) {
  switch (form) {
    case Form::F27: return kNonResidentSections;
    case Form::F27EQ: return kCollectionSections;
    default: return kResidentSections;
  }
}

// Salaries: the section a Form 24 certificate states when its row names none.
inline constexpr std::string_view kSalarySection = "192";

// What each section is about, as a certificate describes the payment.
struct SectionDescription {
  std::string_view code;
  std::string_view description;
};
inline constexpr std::array<SectionDescription, 23> kSectionDescriptions{{
    {"192", "Salary"},
    {"193", "Interest on securities"},
    {"194", "Dividends"},
    {"194A", "Interest other than interest on securities"},
    {"194B", "Winnings from lottery or crossword puzzle"},
    {"194BB", "Winnings from horse race"},
    {"194C", "Payments to contractors and sub-contractors"},
    {"194D", "Insurance commission"},
    {"194EE", "Payments in respect of deposits under the National Savings Scheme"},
    {"194F", "Payments on account of repurchase of units by a mutual fund or the UTI"},
    {"194G", "Commission on the sale of lottery tickets"},
    {"194H", "Commission or brokerage"},
    {"194I", "Rent"},
    {"194J", "Fees for professional or technical services"},
    {"194K", "Income in respect of units"},
    {"194LA", "Compensation on the acquisition of certain immovable property"},
    {"194E", "Payments to non-resident sportsmen or sports associations"},
    {"195", "Other sums payable to non-residents"},
    {"196A", "Income in respect of units of non-residents"},
    {"196B", "Income from units of an offshore fund"},
    {"196C", "Income from foreign currency bonds or shares of an Indian company"},
    {"196D", "Income of foreign institutional investors from securities"},
    {"206C", "Collection at source from buyers of specified goods"},
}};
// clang-format on

// The description of a section code as listed (exactly); "" for any other text.
constexpr std::string_view section_description(std::string_view code) {
  for (const SectionDescription& section : kSectionDescriptions)
    if (section.code == code) return section.description;
  return {};
}

// Every code a form admits is described.
consteval bool all_sections_described() {
  for (Form form : kForms)
    for (std::string_view code : section_codes(form))
      if (section_description(code).empty()) return false;
  return !section_description(kSalarySection).empty();
}
static_assert(all_sections_described());

}  // namespace fenwarx
