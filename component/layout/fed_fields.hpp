#pragma once
// The workbook fields whose text the return file carries, as the record tables
// read them: the verification holds each of them to what the file can carry.
#include <array>
#include <cstddef>

#include "layout/forms.hpp"
#include "layout/roles.hpp"

namespace fenwarx {

template <class Role>
using RoleSet = std::array<bool, static_cast<std::size_t>(Role::kCount)>;

struct FedFields {
  RoleSet<DeductorRow> deductor;
  RoleSet<ChallanColumn> challan;
  RoleSet<DeducteeColumn> deductee;
};

const FedFields& fed_fields(Form form);

}  // namespace fenwarx
