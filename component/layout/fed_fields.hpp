#pragma once
// The workbook fields whose text the return file carries, as the record tables
// read them: the verification holds each of them to what the file can carry.
#include <array>
#include <cstddef>
#include <vector>

#include "layout/forms.hpp"
#include "layout/roles.hpp"

namespace fenwarx {

template <class Role>
using RoleSet = std::array<bool, static_cast<std::size_t>(Role::kCount)>;

struct ReturnField;

// The fields a role feeds, by role: `any` those whose text it is part of,
// `alone` those whose text is its own, formatted (what a finding at its cell can
// speak for), and that have a rule or a width to break.
template <class Role>
struct FedRoles {
  RoleSet<Role> any;
  std::array<std::vector<const ReturnField*>, static_cast<std::size_t>(Role::kCount)> alone;
};

struct FedFields {
  FedRoles<DeductorRow> deductor;
  FedRoles<ChallanColumn> challan;
  FedRoles<DeducteeColumn> deductee;
};

const FedFields& fed_fields(Form form);

}  // namespace fenwarx
