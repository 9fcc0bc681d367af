// The four exports of the in-process server.

#include "component/com/class_factory.hpp"
#include "converterQV.h"
#include "component/com/registration.hpp"
#include "component/com/server_state.hpp"

extern "C" {

HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(clsid, CLSID_convQV)) return CLASS_E_CLASSNOTAVAILABLE;
  return convqv::getClassFactory(riid, object);
}

HRESULT WINAPI DllCanUnloadNow() { return convqv::serverInUse() ? S_FALSE : S_OK; }

HRESULT WINAPI DllRegisterServer() { return convqv::registerServer(); }

HRESULT WINAPI DllUnregisterServer() { return convqv::unregisterServer(); }
}
