// A report file read back for the tests: its bytes, and its records without their quotes and CR LF.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

// A record that is not a quoted line ended by CR LF fails the test.
inline std::vector<std::string> reportRecords(const std::string& path) {
  std::vector<std::string> lines;
  const std::string bytes = fileBytes(path);
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const auto end = bytes.find("\"\r\n", pos);
    if (end == std::string::npos || bytes[pos] != '"') {
      ADD_FAILURE() << "malformed record at byte " << pos;
      break;
    }
    lines.push_back(bytes.substr(pos + 1, end - pos - 1));
    pos = end + 3;
  }
  return lines;
}

}  // namespace qvsweep::testing
