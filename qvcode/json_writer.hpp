// A flat JSON object on one line, written field by field.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace qvcode {

class JsonObject {
 public:
  explicit JsonObject(std::ostream& out) : out_(out) { out_ << '{'; }
  ~JsonObject() { out_ << "}\n"; }
  JsonObject(const JsonObject&) = delete;
  JsonObject& operator=(const JsonObject&) = delete;

  // Doubles with 17 significant digits, so that they read back exactly.
  JsonObject& number(std::string_view key, double v);
  JsonObject& integer(std::string_view key, long long v);
  JsonObject& text(std::string_view key, std::string_view v);
  JsonObject& boolean(std::string_view key, bool v);
  JsonObject& null(std::string_view key);

 private:
  std::ostream& key(std::string_view k);
  std::ostream& out_;
  bool first_ = true;
};

std::string jsonString(std::string_view v);

}  // namespace qvcode
