// A form on the in-memory view whose report goes to a fresh temporary file.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sweep/tests/report_records.hpp"
#include "testprog/form_logic.hpp"
#include "testprog/memory_view.hpp"

namespace qvpruef {

using qvsweep::testing::haveFullDevice;

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

  std::string reportBytes() const { return qvsweep::testing::fileBytes(reportPath()); }
  // The records of the report, without their quotes and CR LF.
  std::vector<std::string> reportLines() const { return qvsweep::testing::reportRecords(reportPath()); }

  MemoryView view;
  QVpruefForm form{view};

 private:
  std::filesystem::path dir_;
};

}  // namespace qvpruef
