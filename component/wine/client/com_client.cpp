// com_client CASES [OTHER_DLL]: converterQV as a C++ client sees it, created
// by its ProgID and called early-bound through the virtual table and
// late-bound through IDispatch, on the algorit cases of the file CASES and on
// elements only a C++ client builds.  OTHER_DLL, the build for the other
// bitness, has its type library and version resource checked as files.

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "component/core/element_notation.hpp"
#include "testdata/case_file.hpp"
#include "component/wine/client/check.hpp"
#include "converterQV.h"
#include "component/wine/client/type_checks.hpp"
#include "component/wine/client/variant_array.hpp"
#include "component/wine/client/variant_references.hpp"

using namespace client;

namespace {

// Elements of kinds that the case file cannot write, with the outcome as the
// file would write it.
const struct {
  const char* name;
  SAFEARRAY* (*make)();
  const char* expected;
} nativeCases[] = {
    {"lower bound -2 holding 0..7",
     [] {
       return makeArray({L"x", null(), 50, 0, 0, 10, 0, 0, L"N", L"E"}, -2);
     },
     "m11:6 r236"},
    {"elements by reference",
     [] {
       static double fifty = 50;
       static BSTR north = SysAllocString(L"N");
       return makeArray({byRef(&fifty), 0, 0, 10, 0, 0, byRef(&north), L"E"});
     },
     "m11:6 r236"},
    {"Integer, Single, Currency, Decimal",
     [] {
       return makeArray({i2(50), r4(0), currency(0), decimalOf(10), i2(0), r4(0), L"N", L"E"});
     },
     "m11:6 r236"},
    {"lower bound 1",
     [] {
       return makeArray({50, 0, 0, 10, 0, 0, L"N", L"E"}, 1);
     },
     "error 9 Subscript out of range"},
    {"two dimensions", [] { return makeTwoDimensional(); }, "error 9 Subscript out of range"},
    {"an array of Longs", [] { return SafeArrayCreateVector(VT_I4, 0, 8); }, "error 13 Type mismatch"},
};

// A case's elements as a script would pass them: whole numbers as Longs,
// others as Doubles.
SAFEARRAY* arrayOf(const cases::Case& c) {
  std::vector<Element> elements;
  for (const cases::Field& f : c.input) {
    std::visit(
        [&](const auto& v) {
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_same_v<T, qv::Empty>)
            elements.push_back(empty());
          else if constexpr (std::is_same_v<T, qv::Null>)
            elements.push_back(null());
          else if constexpr (std::is_same_v<T, bool>)
            elements.push_back(booleanOf(v));
          else if constexpr (std::is_same_v<T, std::string>)
            elements.emplace_back(std::wstring(v.begin(), v.end()).c_str());
          else if constexpr (std::is_same_v<T, double>) {
            if (v == static_cast<int>(v))
              elements.emplace_back(static_cast<int>(v));
            else
              elements.emplace_back(v);
          } else {
            throw std::logic_error(c.where + ": an element the case file cannot hold");
          }
        },
        qv::readElement(f.spelling));
  }
  return makeArray(elements);
}

// The result text, or the failure as the case file writes it: the Automation
// error number of the DISP_E_ code or of FACILITY_CONTROL, and the description.
std::string outcomeText(const Outcome& o) {
  if (o.hr == S_OK) return narrow(o.text);
  const bool control = HRESULT_SEVERITY(o.hr) == SEVERITY_ERROR && HRESULT_FACILITY(o.hr) == FACILITY_CONTROL;
  const int number = o.hr == DISP_E_OVERFLOW       ? 6
                     : o.hr == DISP_E_BADINDEX     ? 9
                     : o.hr == DISP_E_TYPEMISMATCH ? 13
                                                   : (control ? HRESULT_CODE(o.hr) : -1);
  return cases::failure(number, narrow(o.description)) + (o.textOnFailure ? ", with a result text" : "");
}

// The caller's array as text: dimensions, bounds, and each element's type and
// value, to tell whether a call changed it.
std::wstring signature(SAFEARRAY* a) {
  VARTYPE type = VT_EMPTY;
  long lo = 0, hi = -1;
  SafeArrayGetVartype(a, &type);
  if (SafeArrayGetDim(a) == 1 && type == VT_VARIANT) {
    SafeArrayGetLBound(a, 1, &lo);
    SafeArrayGetUBound(a, 1, &hi);
  }
  std::wstring s = std::to_wstring(SafeArrayGetDim(a)) + L":" + std::to_wstring(lo) + L".." + std::to_wstring(hi);
  for (long i = lo; i <= hi; ++i) {
    VARIANT x, text;
    VariantInit(&x);
    VariantInit(&text);
    SafeArrayGetElement(a, &i, &x);
    VariantChangeType(&text, &x, 0, VT_BSTR);
    s += L"," + std::to_wstring(V_VT(&x)) + L"=" + (V_VT(&text) == VT_BSTR ? V_BSTR(&text) : L"");
    VariantClear(&x);
    VariantClear(&text);
  }
  return s;
}

// Through the virtual table and IDispatch in each way of passing; the
// caller's array stays as it was.
void checkCase(_convQV* object, const std::string& name, SAFEARRAY* a, const std::string& expected) {
  const Passing passings[] = {Passing::ByValue, Passing::ByRefArray, Passing::ByRefVariant};
  const char* passingNames[] = {"IDispatch by value, ", "IDispatch by reference, ",
                                "IDispatch as a Variant by reference, "};
  const std::wstring before = signature(a);
  const std::string early = outcomeText(callEarly(object, a));
  check(early == expected, "vtable, " + name + ": got \"" + early + "\"");
  for (int p = 0; p < 3; ++p) {
    const std::string late = outcomeText(callLate(object, a, passings[p]));
    check(late == expected, passingNames[p] + name + ": got \"" + late + "\"");
  }
  check(signature(a) == before, "the caller's array is intact after " + name + ": " + narrow(signature(a)));
  check(SafeArrayDestroy(a) == S_OK, "the caller can still destroy its array: " + name);
}

// An unreadable case file ends the client with the reader's exception.
void checkCases(_convQV* object, const wchar_t* file) {
  for (const cases::Case& c : cases::read(file, "algorit")) checkCase(object, c.where, arrayOf(c), c.expected);
  for (const auto& c : nativeCases) checkCase(object, c.name, c.make(), c.expected);
}

void checkOtherArguments(_convQV* object) {
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
  CoGetClassObject(CLSID_convQV, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
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
    checkCases(object, argc > 1 ? argv[1] : L"");
    checkOtherArguments(object);
    checkVariantReferences(object);
    checkNames(object);
    object->Release();
  }

  const std::wstring dll = registeredPath();
  checkUnloading(dll);
  checkTypeLibrary(dll, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
  checkVersionResource(dll);
  if (argc > 2) {
    checkTypeLibrary(argv[2], sizeof(void*) == 8 ? SYS_WIN32 : SYS_WIN64);
    checkVersionResource(argv[2]);
  }
  CoUninitialize();
  return summary(sizeof(void*) == 8 ? "com_client (64-bit)" : "com_client (32-bit)");
}
