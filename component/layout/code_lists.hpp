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
// clang-format on

}  // namespace fenwarx
