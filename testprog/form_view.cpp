#include "form_view.hpp"

#include <array>
#include <cstdlib>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace qvpruef {
namespace {

struct ControlDesign {
  std::string_view name;
  std::string_view text;
};

constexpr std::array<ControlDesign, controlCount> designs = {{
    {"Bgradpos", "89"},       {"Bgradneg", "-89"},      {"Bstep", "30.00"},
    {"Lgradpos", "180"},      {"Lgradneg", "-179"},     {"Lstep", "30.00"},
    {"fehlersec", ".001"},    {"fonte", "c:/QV_errorDetect.txt"},
    {"pruefe", "&compare"},   {"storeerrors", "store ERROR cases"},
    {"storeall", "store ALL cases"},                    {"fim", "&END"},
    {"metros", "m"},          {"Label15", "store error"}, {"errors", "..."},
    {"caseslab", "..."},      {"WGSin", "..."},         {"QV", "..."},
    {"WGSbk", "..."},         {"Bgradin", "..."},       {"nsin", "..."},
    {"Bminin", "..."},        {"Bsekin", "..."},        {"Lgradin", "..."},
    {"EWin", "..."},          {"Lminin", "..."},        {"Lsekin", "..."},
    {"Bgradbk", "..."},       {"NSbk", "..."},          {"Bminbk", "..."},
    {"Bsekbk", "..."},        {"Lgradbk", "..."},       {"EWbk", "..."},
    {"Lminbk", "..."},        {"Lsekbk", "..."},
}};

#ifndef _WIN32
std::string homeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return ".";
}
#endif

}  // namespace

std::string_view controlName(Control c) { return designs[static_cast<std::size_t>(c)].name; }

std::string designText(Control c) {
#ifndef _WIN32
  if (c == Control::fonte) return homeFolder() + "/QV_errorDetect.txt";
#endif
  return std::string(designs[static_cast<std::size_t>(c)].text);
}

}  // namespace qvpruef
