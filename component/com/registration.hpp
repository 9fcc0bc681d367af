// The registry entries of converterQV.
//
// Written: HKCR\CLSID\{convQV} (name, InprocServer32 with ThreadingModel
// Apartment, ProgID, TypeLib, Version), HKCR\convQVproj.convQV with its CLSID,
// and the type library.  A 32-bit and a 64-bit build register the same class
// in their own registry views but share the ProgID key: that key goes only
// when neither view registers the class any more.

#pragma once

#include <windows.h>

namespace convqv {

HRESULT registerServer();
HRESULT unregisterServer();

}  // namespace convqv
