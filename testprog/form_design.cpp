// The design texts of the controls, with the report path of this platform.
#include "testprog/form_design.hpp"

#include <cstdlib>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace qvpruef {
namespace {

constexpr bool rowsFollowTheEnum() {
  for (std::size_t i = 0; i < controlCount; ++i)
    if (design_rows::logic[i].id != static_cast<Control>(i)) return false;
  return true;
}
static_assert(rowsFollowTheEnum(), "row i of the control table must be Control i");

#ifndef _WIN32
std::string homeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return ".";
}
#endif

}  // namespace

std::string designText(Control c) {
#ifndef _WIN32
  if (c == Control::fonte) return homeFolder() + "/QV_errorDetect.txt";
#endif
  return std::string(design(c).text);
}

}  // namespace qvpruef
