// The class factory of convQV.  Each reference to it keeps the server loaded.

#pragma once

#include <windows.h>
#include <unknwn.h>

namespace convqv {

// The factory's IClassFactory (or IUnknown) for `riid`.
HRESULT getClassFactory(REFIID riid, void** object);

}  // namespace convqv
