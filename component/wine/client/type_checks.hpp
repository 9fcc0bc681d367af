// The type library and the version resource inside a converterQV.dll file.

#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace client {

void checkTypeLibrary(const std::wstring& dll, SYSKIND expectedSyskind);
void checkVersionResource(const std::wstring& dll);

}  // namespace client
