// Keeping some of a record's fields as CSV fields.

#include "records/picked_fields.hpp"

#include "records/csv_writer.hpp"

namespace qvrecords {

PickedFields::PickedFields(std::span<const std::string> names)
    : names_(names), values_(names.size()), texts_(names.size()) {}

std::string* PickedFields::slot(std::string_view key, bool quoted) {
  const std::size_t n = call_++;
  if (n < seen_.size() && seen_[n].key == key.data()) return seen_[n].value;
  std::string* value = nullptr;
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == key) {
      value = &values_[i];
      texts_[i] = texts_[i] || quoted;
    }
  if (n < seen_.size())
    seen_[n] = {key.data(), value};
  else if (n == seen_.size())
    seen_.push_back({key.data(), value});
  return value;
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
  if (std::string* s = slot(key, true)) *s += v;
  return *this;
}

PickedFields& PickedFields::boolean(std::string_view key, bool v) {
  if (std::string* s = slot(key)) *s += v ? "true" : "false";
  return *this;
}

void PickedFields::appendRow(std::string& s, char delimiter) {
  for (std::size_t i = 0; i < values_.size(); ++i) {
    if (i > 0) s += delimiter;
    if (texts_[i])
      appendCsvField(s, values_[i], delimiter);
    else
      s += values_[i];
    values_[i].clear();
  }
  call_ = 0;
}

}  // namespace qvrecords
