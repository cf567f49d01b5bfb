#include "layout/fed_fields.hpp"

#include <type_traits>
#include <variant>

#include "layout/record_tables.hpp"

namespace fenwarx {
namespace {

// Whether a field's text can break a rule of its own: its check or its width.
bool judged(const ReturnField& field) {
  switch (field.check) {
    case Check::Amount:
    case Check::DepositTotal:
    case Check::Rate:
    case Check::Date:
    case Check::Pan:
    case Check::Tan:
    case Check::FinancialYear: return true;
    default: return field.max_length > 0;
  }
}

template <class Role>
void add(FedRoles<Role>& roles, Role role, const ReturnField* alone = nullptr) {
  const auto index = static_cast<std::size_t>(role);
  roles.any[index] = true;
  if (alone && judged(*alone)) roles.alone[index].push_back(alone);
}

FedFields gather(Form form) {
  FedFields fed{};
  for (RecordKind kind : {RecordKind::FileHeader, RecordKind::BatchHeader, RecordKind::Challan,
                          RecordKind::NilChallan, RecordKind::NilReturn, RecordKind::Deductee}) {
    for (const ReturnField& field : record_table(form, kind).fields) {
      std::visit(
          [&](const auto& from) {
            using S = std::decay_t<decltype(from)>;
            if constexpr (std::is_same_v<S, source::Deductor>)
              add(fed.deductor, from.row, &field);
            else if constexpr (std::is_same_v<S, source::Challan>)
              add(fed.challan, from.column, &field);
            else if constexpr (std::is_same_v<S, source::Cheque>)
              add(fed.challan, ChallanColumn::Cheque);
            else if constexpr (std::is_same_v<S, source::Deductee>)
              add(fed.deductee, from.column, &field);
          },
          field.source);
    }
  }
  return fed;
}

}  // namespace

const FedFields& fed_fields(Form form) {
  static const PerForm<FedFields> kFed = [] {
    PerForm<FedFields> all{};
    for (Form form : kForms) all[form_index(form)] = gather(form);
    return all;
  }();
  return kFed[form_index(form)];
}

}  // namespace fenwarx
