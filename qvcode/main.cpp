// qvcode: the Quorvel code conversions on the command line.

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <string_view>
#include <system_error>
#include <vector>

#include "qvcode/command.hpp"

namespace {

// Output that could not be written is no success, whatever the command did:
// stdout on a full disk or closed says so and fails.
int checkedOutput(int status) {
  errno = 0;
  std::cout.flush();
  const bool flushed = std::fflush(stdout) == 0;
  const int error = errno;
  if (flushed && !std::ferror(stdout) && std::cout.good()) return status;
  std::cerr << "qvcode: cannot write the output"
            << (error != 0 ? ": " + std::generic_category().message(error) : std::string()) << '\n';
  return qvcode::exitOutputFailed;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  return checkedOutput(qvcode::runCommand(args, std::cout, std::cerr));
}
