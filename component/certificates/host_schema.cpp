#include "certificates/host_schema.hpp"

#include "layout/certificate_layout.hpp"

namespace fenwarx {
namespace {

namespace cl = certificate_layout;

std::string text_column(std::string_view name) {
  const std::string quoted = "\"" + std::string(name) + "\"";
  return quoted + " text check(length(" + quoted + ") <= " + std::to_string(kHostTextLength) + ")";
}

}  // namespace

std::string company_column(int position) { return "Value" + std::to_string(position); }

void create_host_tables(Database& database) {
  std::string company = "create table \"" + std::string(cl::kCompanyTable) + "\" (";
  for (const cl::CompanyValue& value : cl::kCompany) {
    if (value.position > 1) company += ", ";
    company += std::holds_alternative<cl::FixedNumber>(value.source)
                   ? "\"" + company_column(value.position) + "\" integer"
                   : text_column(company_column(value.position));
  }
  std::string rows = "create table \"" + std::string(cl::kRowTable) + "\" (";
  for (std::size_t i = 0; i < cl::kRow.size(); ++i)
    rows += (i > 0 ? ", " : "") + text_column(cl::kRow[i].column);
  Transaction transaction(database);
  database.execute(company + ")");
  database.execute(rows + ")");
  transaction.commit();
}

}  // namespace fenwarx
