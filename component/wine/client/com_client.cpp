// com_client [OTHER_DLL]: converterQV as a C++ client sees it, created by its
// ProgID and called early-bound through the virtual table and late-bound
// through IDispatch.  OTHER_DLL, the build for the other bitness, has its type
// library and version resource checked as files.

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

#include "check.hpp"
#include "converterQV.h"
#include "type_checks.hpp"
#include "variant_array.hpp"
#include "variant_references.hpp"

using namespace client;

namespace {

struct Case {
  const char* name;
  SAFEARRAY* (*make)();
  const wchar_t* expected;
};

const Case results[] = {
    {"50 N 10 E", [] { return makeArray({50, 0, 0, 10, 0, 0, L"N", L"E"}); }, L"m11:6 r236"},
    {"reference point", [] { return makeArray({48, 8, 13, 11, 34, 31, L"N", L"E"}); }, L"m5:0 r0"},
    {"40 N 74 W", [] { return makeArray({40, 0, 0, 74, 0, 0, L"N", L"W"}); }, L"m9:2537 r6536"},
    {"33 54 S 151 12 E", [] { return makeArray({33, 54, 0, 151, 12, 0, L"S", L"E"}); }, L"m2:1187 r16328"},
    {"95 S is the south pole", [] { return makeArray({95, 0, 0, 10, 0, 0, L"S", L"E"}); }, L"m5:2211 r15358"},
    {"95 N is the north pole", [] { return makeArray({95, 0, 0, 10, 0, 0, L"N", L"E"}); }, L"m12:0 r4654"},
    {"lower-case s is north", [] { return makeArray({50, 0, 0, 10, 0, 0, L"s", L"E"}); }, L"m11:6 r236"},
    {"-33 54 N is -32.1", [] { return makeArray({-33, 54, 0, 151, 12, 0, L"N", L"E"}); },
     L"m2:1065 r16202"},
    {"longitude 200 unchanged", [] { return makeArray({50, 0, 0, 200, 0, 0, L"N", L"E"}); }, L"m12:600 r9071"},
    {"more than eight elements", [] { return makeArray({50, 0, 0, 10, 0, 0, L"N", L"E", null(), L"x"}); },
     L"m11:6 r236"},
    {"lower bound -2 holding 0..7",
     [] { return makeArray({L"x", null(), 50, 0, 0, 10, 0, 0, L"N", L"E"}, -2); }, L"m11:6 r236"},
    {"numeric texts, Booleans, Empty",
     [] { return makeArray({L" 50 ", booleanOf(true), 60.0, L"1E1", booleanOf(false), empty(), L"N", empty()}); },
     L"m11:6 r236"},
    {"elements by reference",
     [] {
       static double fifty = 50;
       static BSTR north = SysAllocString(L"N");
       return makeArray({byRef(&fifty), 0, 0, 10, 0, 0, byRef(&north), L"E"});
     },
     L"m11:6 r236"},
    {"Integer, Single, Currency, Decimal",
     [] { return makeArray({i2(50), r4(0), currency(0), decimalOf(10), i2(0), r4(0), L"N", L"E"}); },
     L"m11:6 r236"},
};

struct FailureCase {
  const char* name;
  SAFEARRAY* (*make)();
  HRESULT code;
  const wchar_t* description;
};

const FailureCase failuresExpected[] = {
    {"other text", [] { return makeArray({50, 0, 0, L"ten", 0, 0, L"N", L"E"}); }, DISP_E_TYPEMISMATCH,
     L"Type mismatch"},
    {"Null", [] { return makeArray({50, null(), 0, 10, 0, 0, L"N", L"E"}); }, MAKE_HRESULT(1, FACILITY_CONTROL, 94),
     L"Invalid use of Null"},
    {"lower bound 1", [] { return makeArray({50, 0, 0, 10, 0, 0, L"N", L"E"}, 1); }, DISP_E_BADINDEX,
     L"Subscript out of range"},
    {"seven elements", [] { return makeArray({50, 0, 0, 10, 0, 0, L"N"}); }, DISP_E_BADINDEX,
     L"Subscript out of range"},
    {"two dimensions", [] { return makeTwoDimensional(); }, DISP_E_BADINDEX, L"Subscript out of range"},
    {"an array of Longs", [] { return SafeArrayCreateVector(VT_I4, 0, 8); }, DISP_E_TYPEMISMATCH, L"Type mismatch"},
    {"beyond Single", [] { return makeArray({50, 0, 0, 1e39, 0, 0, L"N", L"E"}); }, DISP_E_OVERFLOW, L"Overflow"},
};

// The caller's array after the call: same bounds, same elements.
bool unchanged(SAFEARRAY* a, SAFEARRAY* snapshot) {
  long lo = 0, hi = 0, slo = 0, shi = 0;
  if (SafeArrayGetDim(a) != 1 || FAILED(SafeArrayGetLBound(a, 1, &lo)) || FAILED(SafeArrayGetUBound(a, 1, &hi)))
    return false;
  SafeArrayGetLBound(snapshot, 1, &slo);
  SafeArrayGetUBound(snapshot, 1, &shi);
  if (lo != slo || hi != shi) return false;
  for (long i = lo; i <= hi; ++i) {
    VARIANT x, y;
    VariantInit(&x);
    VariantInit(&y);
    SafeArrayGetElement(a, &i, &x);
    SafeArrayGetElement(snapshot, &i, &y);
    const bool same = V_VT(&x) == V_VT(&y) && (V_VT(&x) != VT_BSTR || std::wstring(V_BSTR(&x)) == V_BSTR(&y)) &&
                      (V_VT(&x) != VT_I4 || V_I4(&x) == V_I4(&y)) && (V_VT(&x) != VT_R8 || V_R8(&x) == V_R8(&y));
    VariantClear(&x);
    VariantClear(&y);
    if (!same) return false;
  }
  return true;
}

void checkResults(_convQV* object) {
  const Passing passings[] = {Passing::ByValue, Passing::ByRefArray, Passing::ByRefVariant};
  const char* passingNames[] = {"by value", "by reference", "as a Variant by reference"};
  for (const Case& c : results) {
    SAFEARRAY* a = c.make();
    SAFEARRAY* snapshot = nullptr;
    SafeArrayCopy(a, &snapshot);
    const Outcome early = callEarly(object, a);
    check(early.hr == S_OK && early.text == c.expected,
          std::string("vtable, ") + c.name + ": got \"" + narrow(early.text) + "\"");
    for (int p = 0; p < 3; ++p) {
      const Outcome late = callLate(object, a, passings[p]);
      check(late.hr == S_OK && late.text == c.expected,
            std::string("IDispatch ") + passingNames[p] + ", " + c.name + ": got \"" + narrow(late.text) + "\"");
    }
    check(unchanged(a, snapshot), std::string("the caller's array is intact after ") + c.name);
    check(SafeArrayDestroy(a) == S_OK, std::string("the caller can still destroy its array: ") + c.name);
    SafeArrayDestroy(snapshot);
  }
}

void checkFailures(_convQV* object) {
  for (const FailureCase& c : failuresExpected) {
    SAFEARRAY* a = c.make();
    const Outcome early = callEarly(object, a);
    char code[16];
    std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(early.hr));
    check(early.hr == c.code && early.description == c.description && !early.textOnFailure,
          std::string("vtable, ") + c.name + ": got " + code + " \"" + narrow(early.description) + "\"");
    const Outcome late = callLate(object, a, Passing::ByRefVariant);
    std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(late.hr));
    check(late.hr == c.code && late.description == c.description && !late.textOnFailure,
          std::string("IDispatch, ") + c.name + ": got " + code + " \"" + narrow(late.description) + "\"");
    SafeArrayDestroy(a);
  }

  SAFEARRAY* none = nullptr;
  check(callEarly(object, none).hr == DISP_E_BADINDEX, "vtable, no array at all is a subscript error");
  VARIANT number;
  VariantInit(&number);
  V_VT(&number) = VT_I4;
  V_I4(&number) = 50;
  const Outcome notArray = callLateWith(object, number);
  check(notArray.hr == DISP_E_TYPEMISMATCH && notArray.description == L"Type mismatch",
        "IDispatch, a number instead of an array is a type mismatch");

  ISupportErrorInfo* support = nullptr;
  check(SUCCEEDED(object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support))) &&
            support->InterfaceSupportsErrorInfo(IID__convQV) == S_OK,
        "ISupportErrorInfo answers for _convQV");
  if (support) support->Release();
}

void checkNames(IDispatch* object) {
  const wchar_t* names[] = {L"algorit", L"ALGORIT", L"convert"};
  DISPID id = 0;
  LPOLESTR name = const_cast<LPOLESTR>(names[0]);
  check(object->GetIDsOfNames(IID_NULL, &name, 1, 0x409, &id) == S_OK && id == 0x60030000, "dispid of algorit");
  name = const_cast<LPOLESTR>(names[1]);
  check(object->GetIDsOfNames(IID_NULL, &name, 1, 0x409, &id) == S_OK && id == 0x60030000,
        "names are case-insensitive");
  name = const_cast<LPOLESTR>(names[2]);
  check(object->GetIDsOfNames(IID_NULL, &name, 1, 0x409, &id) == DISP_E_UNKNOWNNAME, "an unknown name");
  UINT count = 0;
  check(object->GetTypeInfoCount(&count) == S_OK && count == 1, "one type info");
  ITypeInfo* info = nullptr;
  check(object->GetTypeInfo(0, 0x409, &info) == S_OK && info, "the object's type info");
  if (info) info->Release();
}

using CanUnloadNow = HRESULT(WINAPI*)();

void checkUnloading(const std::wstring& dllPath) {
  HMODULE dll = LoadLibraryW(dllPath.c_str());
  auto canUnload = reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
  check(canUnload != nullptr, "DllCanUnloadNow is exported");
  if (!canUnload) return;
  check(canUnload() == S_OK, "DllCanUnloadNow with nothing alive");

  _convQV* object = nullptr;
  CoCreateInstance(CLSID_convQV, nullptr, CLSCTX_INPROC_SERVER, IID__convQV, reinterpret_cast<void**>(&object));
  check(canUnload() == S_FALSE, "DllCanUnloadNow while an object lives");
  if (object) object->Release();
  check(canUnload() == S_OK, "DllCanUnloadNow after the last release");

  IClassFactory* factory = nullptr;
  CoGetClassObject(CLSID_convQV, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                   reinterpret_cast<void**>(&factory));
  check(factory != nullptr, "the class factory");
  if (factory) {
    factory->LockServer(TRUE);
    factory->Release();
    check(canUnload() == S_FALSE, "DllCanUnloadNow while the server is locked");
    CoGetClassObject(CLSID_convQV, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                     reinterpret_cast<void**>(&factory));
    factory->LockServer(FALSE);
    factory->Release();
    check(canUnload() == S_OK, "DllCanUnloadNow after the lock is released");
  }
  FreeLibrary(dll);
}

std::wstring registeredPath() {
  wchar_t path[MAX_PATH] = {};
  LONG size = sizeof path;
  RegQueryValueW(HKEY_CLASSES_ROOT, L"CLSID\\{FFA69023-7E67-4E47-8485-E2FEEA59A60E}\\InprocServer32", path, &size);
  return path;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  CoInitialize(nullptr);
  CLSID clsid{};
  check(CLSIDFromProgID(L"convQVproj.convQV", &clsid) == S_OK && IsEqualCLSID(clsid, CLSID_convQV),
        "the ProgID names the class");

  _convQV* object = nullptr;
  const HRESULT created =
      CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID__convQV, reinterpret_cast<void**>(&object));
  check(SUCCEEDED(created) && object, "CoCreateInstance by ProgID");
  if (object) {
    checkResults(object);
    checkFailures(object);
    checkVariantReferences(object);
    checkNames(object);
    object->Release();
  }

  const std::wstring dll = registeredPath();
  checkUnloading(dll);
  checkTypeLibrary(dll, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
  checkVersionResource(dll);
  if (argc > 1) {
    checkTypeLibrary(argv[1], sizeof(void*) == 8 ? SYS_WIN32 : SYS_WIN64);
    checkVersionResource(argv[1]);
  }
  CoUninitialize();
  return summary(sizeof(void*) == 8 ? "com_client (64-bit)" : "com_client (32-bit)");
}
