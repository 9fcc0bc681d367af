// The child-window ids of the Win32 test window's controls, shared with the program that drives it in tests.
#pragma once
// None is IDOK (1) or IDCANCEL (2): the dialog manager sends those for Enter
// and Escape, and they must reach no control.

#include <cstddef>

#include "testprog/form_design.hpp"

namespace qvpruef::win32 {

inline constexpr int firstControlId = 100;
inline constexpr int firstCaptionId = 200;

// A control the logic knows.
constexpr int controlId(Control c) { return firstControlId + static_cast<int>(c); }

// The fixed caption `i` of fixedCaptions.
constexpr int captionId(std::size_t i) { return firstCaptionId + static_cast<int>(i); }

static_assert(firstControlId + static_cast<int>(controlCount) <= firstCaptionId);

}  // namespace qvpruef::win32
