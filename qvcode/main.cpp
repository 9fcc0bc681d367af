// qvcode: the Quorvel code conversions on the command line.

#include <iostream>
#include <string_view>
#include <vector>

#include "command.hpp"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  return qvcode::runCommand(args, std::cout, std::cerr);
}
