// The certificate numbers: one pass over the rows with a set of the keys seen,
// so that a return of any size is numbered in time linear in its rows.
#include <string>
#include <unordered_set>

#include "certificates/certificates.hpp"
#include "layout/certificate_layout.hpp"
#include "platform/values/ascii.hpp"
#include "state/return_object.hpp"

namespace fenwarx {
namespace {

namespace cl = certificate_layout;

// The key columns' texts, each preceded by its length, so that no two rows with
// different texts share a key whatever characters the texts hold.
std::string key_of(ReturnObject& self, int row) {
  std::string key;
  for (int column : cl::kKeyColumns) {
    const std::string text = self.GetCellText(row, column);
    key.append(std::to_string(text.size())).append(":").append(text);
  }
  return key;
}

}  // namespace

void NumberCertificates(ReturnObject& self) {
  self.certificate_numbers.clear();
  std::unordered_set<std::string> seen;
  long long current = 0;
  try {
    for (int row = cl::kFirstRow; row <= kMaxRows; ++row) {
      if (trimmed(self.cell(row, cl::kSectionColumn).ValueText()).empty()) break;
      // A row like an earlier one gets the latest number issued, which is that
      // row's when the rows of one certificate stand together.
      if (seen.insert(key_of(self, row)).second) ++current;
      self.certificate_numbers.push_back(current);
    }
  } catch (const RuntimeError& failure) {
    // Numbering stops; the rows keep the numbers given so far.
    self.ui().MsgBox(Message::plain(failure.description()));
  }
}

}  // namespace fenwarx
