// Texts between BSTR and the core's UTF-8 strings.

#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

namespace convqv {

// A new BSTR of a text that is plain ASCII (code texts, error texts).
BSTR asciiToBstr(std::string_view text);

// UTF-8 of a BSTR; a null BSTR is the empty text.
std::string bstrToUtf8(BSTR text);

}  // namespace convqv
