// Some of a record's fields, in an order of their own: the columns a table
// gets from a command's fields (qvcode encode --table --fields code,hour),
// each written as the command's CSV row writes it.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/record.hpp"

namespace qvrecords {

class PickedFields final : public Record {
 public:
  // `names`: the fields kept, in the order they are written; names that the
  // record does not have stay empty.
  explicit PickedFields(std::span<const std::string> names);

  PickedFields& number(std::string_view key, double v) override;
  PickedFields& integer(std::string_view key, long long v) override;
  PickedFields& text(std::string_view key, std::string_view v) override;
  PickedFields& boolean(std::string_view key, bool v) override;
  PickedFields& null(std::string_view) override { return *this; }
  PickedFields& textIfAny(std::string_view key, const std::optional<std::string_view>& v) override {
    return v ? text(key, *v) : *this;
  }

  // Appends the kept fields, separated by `delimiter`, without a line end,
  // and empties them for the next record.
  void appendRow(std::string& s, char delimiter);

 private:
  // The value of `key`, or null where it is not kept; `quoted` tells
  // whether it may need quotes (texts), numbers never do.
  std::string* slot(std::string_view key, bool quoted = false);
  std::span<const std::string> names_;
  std::vector<std::string> values_;
  std::vector<bool> texts_;
  // A record names its fields in the same order every time: the slot of the
  // n-th key, known by the address of its text, is found again without
  // comparing names.
  struct Seen {
    const char* key;
    std::string* value;
  };
  std::vector<Seen> seen_;
  std::size_t call_ = 0;
};

}  // namespace qvrecords
