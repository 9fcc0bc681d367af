// The blanks that element texts may carry around them: spaces and tabs.
#pragma once

#include <string_view>

namespace qv {

// `s` without the spaces and tabs at its start and end; empty if it holds
// nothing else.
inline std::string_view trimBlanks(std::string_view s) {
  const std::size_t from = s.find_first_not_of(" \t");
  if (from == std::string_view::npos) return {};
  return s.substr(from, s.find_last_not_of(" \t") - from + 1);
}

}  // namespace qv
