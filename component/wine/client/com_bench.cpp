// com_bench: calls per second of algorit through converterQV's virtual table
// and through IDispatch::Invoke, beside a COM call that does nothing and the
// core's algorit linked in directly, so that the costs of COM, of the VARIANT
// and BSTR handling and of the conversion itself show apart.

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

#include "component/core/algorit.hpp"

#include "converterQV.h"
#include "component/wine/client/variant_array.hpp"

using namespace client;

namespace {

// Runs `call` in batches until half a second has passed; returns calls/s.
template <class Call>
double callsPerSecond(Call call) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  long long calls = 0;
  do {
    for (int i = 0; i < 10000; ++i) call();
    calls += 10000;
    QueryPerformanceCounter(&now);
  } while (now.QuadPart - start.QuadPart < frequency.QuadPart / 2);
  return static_cast<double>(calls) * static_cast<double>(frequency.QuadPart) /
         static_cast<double>(now.QuadPart - start.QuadPart);
}

void report(const char* what, double perSecond) {
  std::printf("%-44s %12.0f calls/s %9.1f ns/call\n", what, perSecond, 1e9 / perSecond);
}

}  // namespace

int main() {
  CoInitialize(nullptr);
  _convQV* object = nullptr;
  CLSID clsid{};
  if (FAILED(CLSIDFromProgID(L"convQVproj.convQV", &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID__convQV, reinterpret_cast<void**>(&object)))) {
    std::printf("com_bench: convQVproj.convQV is not registered\n");
    return 1;
  }
  SAFEARRAY* array = makeArray({50, 0, 0, 10, 0, 0, L"N", L"E"});

  const qv::ElementArray elements({50.0, 0.0, 0.0, 10.0, 0.0, 0.0, std::string("N"), std::string("E")});
  report("core algorit, no COM", callsPerSecond([&] {
           volatile std::size_t n = qv::algorit(elements).size();
           (void)n;
         }));

  UINT count = 0;
  report("vtable, GetTypeInfoCount (no work)", callsPerSecond([&] { object->GetTypeInfoCount(&count); }));
  report("vtable, algorit", callsPerSecond([&] {
           BSTR text = nullptr;
           SAFEARRAY* passed = array;
           object->algorit(&passed, &text);
           SysFreeString(text);
         }));

  VARIANT inner;
  VariantInit(&inner);
  V_VT(&inner) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&inner) = array;
  VARIANT byRef;
  VariantInit(&byRef);
  V_VT(&byRef) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&byRef) = &inner;
  const auto invoke = [&](VARIANT& argument) {
    DISPPARAMS params{&argument, nullptr, 1, 0};
    VARIANT result;
    VariantInit(&result);
    object->Invoke(0x60030000, IID_NULL, 0x409, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params, &result, nullptr,
                   nullptr);
    VariantClear(&result);
  };
  report("IDispatch, algorit, array by value", callsPerSecond([&] { invoke(inner); }));
  report("IDispatch, algorit, Variant by reference", callsPerSecond([&] { invoke(byRef); }));

  SafeArrayDestroy(array);
  object->Release();
  CoUninitialize();
  return 0;
}
