// The class convQV: IUnknown, IDispatch and algorit on its dual interface.

#include "component/com/conv_qv.hpp"

#include <dispex.h>

#include <new>
#include <string>

#include "component/core/algorit.hpp"
#include "component/com/automation_error.hpp"
#include "component/com/com_text.hpp"
#include "component/com/server_state.hpp"
#include "component/com/variant_elements.hpp"

namespace convqv {
namespace {

constexpr DISPID dispidAlgorit = 0x60030000;

// The one conversion behind both ways in: the code text, or the failure.
// Nothing is written to `text` unless the whole call succeeds.
template <class GetArray>
HRESULT convert(GetArray getArray, BSTR& text, Failure& failure) {
  try {
    const std::string code = qv::algorit(SafeArrayElements(getArray()));
    text = asciiToBstr(code);
    if (!text) throw std::bad_alloc();
    return S_OK;
  } catch (const qv::RuntimeError& e) {
    failure = {hresultOf(e.kind()), e.what()};
  } catch (const std::bad_alloc&) {
    failure = {E_OUTOFMEMORY, "Out of memory"};
  }
  return failure.code;
}

}  // namespace

ConvQV::ConvQV() { holdServer(); }
ConvQV::~ConvQV() { releaseServer(); }

HRESULT ConvQV::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID__convQV)) {
    *object = static_cast<_convQV*>(this);
  } else if (IsEqualIID(riid, IID_ISupportErrorInfo)) {
    *object = static_cast<ISupportErrorInfo*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG ConvQV::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG ConvQV::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT ConvQV::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT ConvQV::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  wchar_t path[MAX_PATH];
  if (!GetModuleFileNameW(module(), path, MAX_PATH)) return HRESULT_FROM_WIN32(GetLastError());
  ITypeLib* library = nullptr;
  HRESULT hr = LoadTypeLibEx(path, REGKIND_NONE, &library);
  if (FAILED(hr)) return hr;
  hr = library->GetTypeInfoOfGuid(IID__convQV, info);
  library->Release();
  return hr;
}

HRESULT ConvQV::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (!names || !ids || count == 0) return E_INVALIDARG;
  ids[0] = names[0] && lstrcmpiW(names[0], L"algorit") == 0 ? dispidAlgorit : DISPID_UNKNOWN;
  for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  return ids[0] == dispidAlgorit && count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

// Scripts hand their arrays over in several shapes that a type-library-driven
// Invoke would refuse, and by value it would also free the caller's array:
// this Invoke takes the argument apart itself and only ever reads it.
HRESULT ConvQV::Invoke(DISPID member, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                       EXCEPINFO* excepInfo, UINT*) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (member != dispidAlgorit || !(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
  if (!params) return E_INVALIDARG;
  for (UINT i = 0; i < params->cNamedArgs; ++i)
    if (params->rgdispidNamedArgs[i] != DISPID_THIS) return DISP_E_PARAMNOTFOUND;
  if (params->cArgs - params->cNamedArgs != 1) return DISP_E_BADPARAMCOUNT;

  const std::optional<const SAFEARRAY*> array = arrayArgument(params->rgvarg[params->cArgs - 1]);
  BSTR text = nullptr;
  Failure failure{};
  const HRESULT hr = convert(
      [&] {
        if (!array) throw qv::RuntimeError(qv::ErrorKind::TypeMismatch);
        return *array;
      },
      text, failure);
  if (FAILED(hr)) {
    raise(failure);
    if (!excepInfo) return hr;
    fillExcepInfo(excepInfo, failure);
    return DISP_E_EXCEPTION;
  }
  if (result) {
    VariantInit(result);
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = text;
  } else {
    SysFreeString(text);
  }
  return S_OK;
}

HRESULT ConvQV::algorit(SAFEARRAY** Ziffern, BSTR* result) {
  if (!result) return E_POINTER;
  *result = nullptr;
  Failure failure{};
  const HRESULT hr = convert([&] { return Ziffern ? *Ziffern : nullptr; }, *result, failure);
  return FAILED(hr) ? raise(failure) : hr;
}

HRESULT ConvQV::InterfaceSupportsErrorInfo(REFIID riid) { return IsEqualIID(riid, IID__convQV) ? S_OK : S_FALSE; }

}  // namespace convqv
