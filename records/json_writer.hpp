// A flat JSON object on one line, written field by field.  Its keys are the
// programs' own field names, letters and digits, written as they are; its
// texts are escaped.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "records/record.hpp"

namespace qvrecords {

class JsonObject final : public Record {
 public:
  // Appends the object to `s` ("{...}", no line feed).
  explicit JsonObject(std::string& s);
  // Writes the object and a line feed to `out` when it is destroyed.
  explicit JsonObject(std::ostream& out);
  ~JsonObject();
  JsonObject(const JsonObject&) = delete;
  JsonObject& operator=(const JsonObject&) = delete;

  JsonObject& number(std::string_view key, double v) override;
  JsonObject& integer(std::string_view key, long long v) override;
  JsonObject& text(std::string_view key, std::string_view v) override;
  JsonObject& boolean(std::string_view key, bool v) override;
  JsonObject& null(std::string_view key) override;
  JsonObject& textIfAny(std::string_view key, const std::optional<std::string_view>& v) override {
    return v ? text(key, *v) : *this;
  }

 private:
  std::string& key(std::string_view k);
  std::string own_;
  std::string& s_;
  std::ostream* out_ = nullptr;
  bool first_ = true;
};

// A JSON string: quotes, backslashes and control characters escaped, and
// bytes that are no UTF-8 replaced by U+FFFD, so that any input line gives
// valid JSON.
std::string jsonString(std::string_view v);
// The same appended to `s`.
void appendJsonString(std::string& s, std::string_view v);

}  // namespace qvrecords
