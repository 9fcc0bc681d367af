// Keeping some of a record's fields as CSV fields.

#include "records/picked_fields.hpp"

#include "records/csv_writer.hpp"

namespace qvrecords {

PickedFields::PickedFields(std::span<const std::string> names) : names_(names), values_(names.size()) {}

std::string* PickedFields::slot(std::string_view key) {
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == key) return &values_[i];
  return nullptr;
}

PickedFields& PickedFields::number(std::string_view key, double v) {
  if (std::string* s = slot(key)) appendNumber(*s, v);
  return *this;
}

PickedFields& PickedFields::integer(std::string_view key, long long v) {
  if (std::string* s = slot(key)) *s += std::to_string(v);
  return *this;
}

PickedFields& PickedFields::text(std::string_view key, std::string_view v) {
  if (std::string* s = slot(key)) *s += v;
  return *this;
}

PickedFields& PickedFields::boolean(std::string_view key, bool v) {
  if (std::string* s = slot(key)) *s += v ? "true" : "false";
  return *this;
}

void PickedFields::appendRow(std::string& s, char delimiter) {
  for (std::size_t i = 0; i < values_.size(); ++i) {
    if (i > 0) s += delimiter;
    appendCsvField(s, values_[i], delimiter);
    values_[i].clear();
  }
}

}  // namespace qvrecords
