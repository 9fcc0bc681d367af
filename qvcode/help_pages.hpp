// The help of each qvcode command, made from docs/qvcode.md when qvcode is built.
#pragma once

#include <array>
#include <string_view>

namespace qvcode {

struct HelpPage {
  std::string_view name;
  std::string_view usage;    // the arguments, as shown after "qvcode NAME" (lines after the first indented)
  std::string_view summary;  // one line, no final full stop
  std::string_view help;     // what `qvcode help NAME` prints
};

// In the page's order: encode, decode, algorit, sweep, merge.
extern const std::array<HelpPage, 5> helpPages;

}  // namespace qvcode
