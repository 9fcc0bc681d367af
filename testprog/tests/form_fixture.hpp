// A form on the in-memory view whose report goes to a fresh temporary file.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "testprog/form_logic.hpp"
#include "testprog/memory_view.hpp"

namespace qvpruef {

// /dev/full refuses every write for lack of space; Windows has no such device.
inline bool haveFullDevice() {
#ifdef _WIN32
  return false;
#else
  return std::filesystem::exists("/dev/full");
#endif
}

class FormTest : public ::testing::Test {
 protected:
  FormTest() {
    // The first free folder of the test's name: another run of the same test
    // at the same time (another build, Wine) takes the next one.
    const std::string base = (std::filesystem::temp_directory_path() / "qvform-").string() +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-";
    int n = 0;
    do dir_ = base + std::to_string(n++);
    while (!std::filesystem::create_directory(dir_));
    view.setText(Control::fonte, reportPath());
  }
  ~FormTest() override { std::filesystem::remove_all(dir_); }

  std::string reportPath() const { return (dir_ / "report.txt").string(); }

  // Sets the grid boxes: bounds in degrees, steps in minutes.
  void grid(const std::string& latFrom, const std::string& latTo, const std::string& lonFrom,
            const std::string& lonTo) {
    view.setText(Control::Bgradpos, latFrom);
    view.setText(Control::Bgradneg, latTo);
    view.setText(Control::Lgradpos, lonFrom);
    view.setText(Control::Lgradneg, lonTo);
  }

  std::string reportBytes() const {
    std::ifstream in(reportPath(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

  // The records of the report, without their quotes and CR LF.
  std::vector<std::string> reportLines() const {
    std::vector<std::string> lines;
    const std::string bytes = reportBytes();
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

  MemoryView view;
  QVpruefForm form{view};

 private:
  std::filesystem::path dir_;
};

}  // namespace qvpruef
