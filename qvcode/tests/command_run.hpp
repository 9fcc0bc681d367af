// Shared pieces of the qvcode tests: a command run in-process with its
// output captured, and a fresh folder for each test's files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "qvcode/command.hpp"

namespace qvcode::testing {

struct Result {
  int status;
  std::string out, err;
};

inline Result run(int (*command)(Args, std::ostream&, std::ostream&), std::vector<std::string_view> args) {
  std::ostringstream out, err;
  const int status = command(args, out, err);
  return {status, out.str(), err.str()};
}

// A folder of the test's own, named after it, removed with the fixture.
class FolderTest : public ::testing::Test {
 protected:
  explicit FolderTest(const std::string& prefix) {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (int n = 0;; ++n) {
      dir_ = std::filesystem::temp_directory_path() / (prefix + name + "-" + std::to_string(n));
      if (std::filesystem::create_directories(dir_)) break;
    }
  }
  ~FolderTest() override { std::filesystem::remove_all(dir_); }

  std::string path(const std::string& file) const { return (dir_ / file).string(); }
  const std::filesystem::path& folder() const { return dir_; }

  static std::string read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

 private:
  std::filesystem::path dir_;
};

}  // namespace qvcode::testing
