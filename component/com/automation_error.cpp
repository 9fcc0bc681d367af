// Run-time errors turned into HRESULTs, error info and EXCEPINFO for COM callers.

#include "component/com/automation_error.hpp"

#include "component/com/com_text.hpp"
#include "converterQV.h"

namespace convqv {
namespace {

constexpr wchar_t source[] = L"convQVproj.convQV";

}  // namespace

HRESULT hresultOf(qv::ErrorKind kind) {
  switch (kind) {
    case qv::ErrorKind::SubscriptOutOfRange: return DISP_E_BADINDEX;
    case qv::ErrorKind::TypeMismatch: return DISP_E_TYPEMISMATCH;
    case qv::ErrorKind::Overflow: return DISP_E_OVERFLOW;
    case qv::ErrorKind::DivisionByZero: return DISP_E_DIVBYZERO;
    default: return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, static_cast<int>(kind));
  }
}

HRESULT raise(const Failure& f) {
  ICreateErrorInfo* create = nullptr;
  if (SUCCEEDED(CreateErrorInfo(&create))) {
    create->SetGUID(IID__convQV);
    create->SetSource(const_cast<LPOLESTR>(source));
    const BSTR text = asciiToBstr(f.description);
    create->SetDescription(text);
    SysFreeString(text);
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
      SetErrorInfo(0, info);
      info->Release();
    }
    create->Release();
  }
  return f.code;
}

void fillExcepInfo(EXCEPINFO* info, const Failure& f) {
  if (!info) return;
  *info = EXCEPINFO{};
  info->scode = f.code;
  info->bstrSource = SysAllocString(source);
  info->bstrDescription = asciiToBstr(f.description);
}

}  // namespace convqv
