// A sweep whose report goes to a fresh temporary folder, and the report read back.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sweep/sweep.hpp"
#include "sweep/tests/report_records.hpp"

namespace qvsweep {

using qvsweep::testing::haveFullDevice;

// A grid as typed: bounds in degrees, the steps and the tolerance the design
// texts.
inline SweepTexts typedGrid(const char* latitudeFrom, const char* latitudeTo, const char* longitudeFrom,
                            const char* longitudeTo) {
  SweepTexts t;
  t.latitudeFrom = latitudeFrom;
  t.latitudeTo = latitudeTo;
  t.longitudeFrom = longitudeFrom;
  t.longitudeTo = longitudeTo;
  return t;
}

class SweepTest : public ::testing::Test {
 protected:
  SweepTest() {
    // The first free folder of the test's name: another run of the same test
    // at the same time (another build, Wine) takes the next one.
    const std::string base = (std::filesystem::temp_directory_path() / "qvsweep-").string() +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-";
    int n = 0;
    do dir_ = base + std::to_string(n++);
    while (!std::filesystem::create_directory(dir_));
    settings.reportPath = reportPath();
  }
  ~SweepTest() override { std::filesystem::remove_all(dir_); }

  std::string reportPath() const { return (dir_ / "report.txt").string(); }

  // One latitude by one longitude, every case stored.
  void point(double latitude, double longitude) {
    settings.latitudeFrom = settings.latitudeTo = latitude;
    settings.longitudeFrom = settings.longitudeTo = longitude;
    settings.storeAll = true;
  }

  // Sweeps what was typed, read into `settings` as every sweep reads it.
  SweepResult sweepTyped(SweepTexts texts, SweepObserver* observer = nullptr) {
    readSettings(texts, settings);
    return runSweep(settings, observer);
  }

  std::string reportBytes() const { return qvsweep::testing::fileBytes(settings.reportPath); }
  // The records of the report, without their framing.
  std::vector<std::string> reportLines() const { return qvsweep::testing::reportRecords(settings.reportPath); }

  SweepSettings settings;

 private:
  std::filesystem::path dir_;
};

}  // namespace qvsweep
