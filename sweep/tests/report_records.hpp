// A report file read back for the tests: its bytes, and its records without their framing.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "sweep/report_format.hpp"

namespace qvsweep::testing {

// /dev/full refuses every write for lack of space; Windows has no such device.
inline bool haveFullDevice() {
#ifdef _WIN32
  return false;
#else
  return std::filesystem::exists("/dev/full");
#endif
}

inline std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The texts of the records of `bytes`; bytes that are not whole records
// fail the test.
inline std::vector<std::string> recordTexts(std::string_view bytes) {
  std::vector<std::string> lines;
  const std::size_t size = bytes.size();
  while (!bytes.empty()) {
    const std::size_t at = size - bytes.size();
    const auto record = takeRecord(bytes);
    const auto text = record ? recordText(*record) : std::nullopt;
    if (!text) {
      ADD_FAILURE() << "malformed record at byte " << at;
      break;
    }
    lines.emplace_back(*text);
  }
  return lines;
}

inline std::vector<std::string> reportRecords(const std::string& path) { return recordTexts(fileBytes(path)); }

}  // namespace qvsweep::testing
