#pragma once
// Writes records of the return file from their tables: each listed field's text
// taken from its source and written in its format, every field followed by "^".
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "export/export_profile.hpp"
#include "layout/record_tables.hpp"
#include "state/return_object.hpp"

namespace fenwarx {

// What the export read from the deductor sheet, and the run's figures.
struct ReturnHeader {
  std::array<std::string, static_cast<std::size_t>(DeductorRow::kCount)> rows;  // as held
  std::string financial_year;  // the four-digit first year F
  bool regular = true;
  double today = 0;  // a date serial
  double challan_total = 0;

  const std::string& row(DeductorRow role) const { return rows[static_cast<std::size_t>(role)]; }
  std::string& row(DeductorRow role) { return rows[static_cast<std::size_t>(role)]; }
};

// What one record is written from, beside its table.
struct RecordContext {
  long long line = 0;
  long long challan_serial = 0;
  long long deductee_serial = 0;
  long long challan_count = 0;  // the CD records of the file
  long long nil_deductees = 0;  // the DD records under a nil challan
  const ChallanRecord* challan = nullptr;
  const DeducteeRecord* deductee = nullptr;
  std::string_view nil_section = {};
};

class RecordWriter {
 public:
  // `self` shows the messages of zero padding and holds the workbook whose
  // "State Code" sheet the state fields are looked up on.
  RecordWriter(ReturnObject& self, const ExportProfile& profile, const ReturnHeader& header)
      : self_(self), profile_(profile), header_(header) {}

  // Appends the record as a line of the file.
  void write(const RecordTable& table, const RecordContext& context, std::string& out);

 private:
  // The source's text: a slice of what the records hold, or of `scratch` where it
  // is computed.
  std::string_view text_of(const ReturnField& field, const RecordContext& context,
                           std::string& scratch) const;
  void append_formatted(const ReturnField& field, std::string_view text);
  std::string_view written(int number) const;

  ReturnObject& self_;
  const ExportProfile& profile_;
  const ReturnHeader& header_;
  std::string record_;
  std::string scratch_;
  std::vector<std::size_t> field_ends_;  // where each field of the record so far ends
};

}  // namespace fenwarx
