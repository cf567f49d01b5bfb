#include "support/certificate_host.hpp"

#include <chrono>
#include <fstream>
#include <thread>

#include "certificates/certificates.hpp"
#include "certificates/host_schema.hpp"
#include "layout/workbook_layout.hpp"
#include "platform/database/database.hpp"
#include "platform/values/dates.hpp"
#include "state/return_class.hpp"
#include "support/test_paths.hpp"

namespace fenwarx::testing {

Host::Host() : dir(scratch_dir()), system(dir / "system"), folder(dir / "host") {
  std::filesystem::create_directories(system);
  std::filesystem::create_directories(folder);
  std::filesystem::create_directories(dir / "c");
  std::ofstream(system / "quondapath.ini") << folder.string() << "\r\n";
  SetDataBase((folder / "Brelmo.mdb").string());
  create_host_tables(*sqlite_engine().open(database(), OpenMode::CreateNew));
  std::ofstream(folder / "Plomberg.EXE")
      << "#!/bin/sh\necho started >> \"$(dirname \"$0\")/started.txt\"\n";
  std::filesystem::permissions(folder / "Plomberg.EXE", std::filesystem::perms::owner_all);
}

bool Host::utility_started(std::chrono::milliseconds wait) const {
  const auto until = std::chrono::steady_clock::now() + wait;
  while (!std::filesystem::exists(folder / "started.txt") &&
         std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return std::filesystem::exists(folder / "started.txt");
}

std::vector<std::vector<std::string>> Host::rows(const std::string& query) const {
  auto connection = sqlite_engine().open(database(), OpenMode::ReadOnly);
  const auto statement = connection->prepare(query);
  std::vector<std::vector<std::string>> out;
  while (statement->step()) {
    out.emplace_back();
    for (int i = 0; i < statement->column_count(); ++i)
      out.back().push_back(statement->column_text(i));
  }
  return out;
}

std::vector<std::vector<std::string>> Host::tables() const {
  auto all = rows("select * from mstcompany");
  for (auto& row : rows("select * from \"16a\" order by rowid")) all.push_back(std::move(row));
  return all;
}

double run_time() { return serial_from_civil({2006, 6, 15}) + 10.5 / 24; }

CertificateBench::CertificateBench(Form form, const Host& host)
    : clock(fixed_clock(run_time())),
      self(return_class(form),
           Platform{.ui = ui,
                    .clock = *clock,
                    .output_folder = host.dir / "c",
                    .system_folder = host.system,
                    .start_program = [this](const std::vector<std::string>& argv) {
                      started.push_back(argv);
                    }}) {}

std::shared_ptr<MemoryWorkbook> certificate_workbook(Form form, const std::string& flag,
                                                     const std::vector<RowTexts>& rows,
                                                     const std::filesystem::path& folder) {
  const WorkbookLayout& layout = workbook_layout(form);
  auto workbook = std::make_shared<MemoryWorkbook>();
  workbook->set_path(folder);
  StoredSheet& deductor = workbook->add_sheet(std::string(layout.deductor.name));
  for (int row = 1; row <= 43; ++row)
    deductor.store_value(row, 2, Variant::text("D" + std::to_string(row)));
  deductor.store_value(100, 100, Variant::text("2005"));
  if (!flag.empty()) deductor.store_value(100, 101, Variant::text(flag));
  StoredSheet& deductees = workbook->add_sheet(std::string(layout.deductees.name));
  for (std::size_t i = 0; i < rows.size(); ++i)
    for (const auto& [column, text] : rows[i])
      deductees.store_value(static_cast<int>(i) + 2, column, Variant::text(text));
  return workbook;
}

RowTexts certificate_row(const std::string& section, const std::string& pan,
                         const std::string& name) {
  return {{1, section},       {3, pan},           {4, name},           {12, "1000"},
          {13, "10/05/2005"}, {14, "10"},         {16, "100"},         {17, "10/05/2005"},
          {18, "15/05/2005"}, {20, "1"},          {21, "15/Jun/2006"}, {22, "A"},
          {23, "0510001"},    {26, "Contractors"}};
}

}  // namespace fenwarx::testing
