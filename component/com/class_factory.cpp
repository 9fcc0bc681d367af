// The class factory of convQV and its lock count.

#include "component/com/class_factory.hpp"

#include <new>

#include "component/com/conv_qv.hpp"
#include "component/com/server_state.hpp"

namespace convqv {
namespace {

class ClassFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  // The factory is static; its references count as holds on the server.
  ULONG STDMETHODCALLTYPE AddRef() override {
    holdServer();
    return 2;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    releaseServer();
    return 1;
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    ConvQV* created = new (std::nothrow) ConvQV();
    if (!created) return E_OUTOFMEMORY;
    const HRESULT hr = created->QueryInterface(riid, object);
    created->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    lock ? holdServer() : releaseServer();
    return S_OK;
  }
};

ClassFactory factory;

}  // namespace

HRESULT getClassFactory(REFIID riid, void** object) { return factory.QueryInterface(riid, object); }

}  // namespace convqv
