// The class convQV: algorit through the dual interface _convQV, early-bound
// through the virtual table or late-bound through IDispatch.  An object keeps
// no state besides its reference count.

#pragma once

#include "converterQV.h"

namespace convqv {

class ConvQV final : public _convQV, public ISupportErrorInfo {
 public:
  ConvQV();
  ConvQV(const ConvQV&) = delete;
  ConvQV& operator=(const ConvQV&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* excepInfo, UINT* argError) override;

  // _convQV
  HRESULT STDMETHODCALLTYPE algorit(SAFEARRAY** Ziffern, BSTR* result) override;

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

 private:
  ~ConvQV();
  LONG references_ = 1;
};

}  // namespace convqv
