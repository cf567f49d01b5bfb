#pragma once
// Certificates of tax deducted as PDF pages, one file per certificate number.
#include <filesystem>
#include <string>
#include <vector>
namespace fenwarx::host {
struct CertificateLine {  // one row of a certificate, texts as the host database holds them
  std::string pan, name, section, amount_paid, tax, payment_date, deduction_date, deposit_date,
      challan;  // the challan: its serial, BSR code, as the caller forms it
};
struct Certificate {
  long long number = 0;
  std::string deductor_name, tan, pan;  // the deductor
  std::vector<CertificateLine> lines;
};
// Writes `folder`/<number>.pdf for each certificate (creating the folder), A4 portrait, each
// certificate on as many pages as its lines need, with the deductor's name, TAN and PAN, a table of
// the lines (PAN, name, section, amount paid, tax, the dates, the challan) and the totals of amount
// paid and tax. Throws RuntimeError naming the file it could not write.
void write_certificate_pdfs(const std::vector<Certificate>& certificates,
                            const std::filesystem::path& folder);
}  // namespace fenwarx::host
