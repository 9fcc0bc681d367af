// SAFEARRAYs of VARIANT built as Automation clients build them.

#include "component/wine/client/variant_array.hpp"

namespace client {

Element empty() { return Element(VARIANT{}); }

Element null() {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_NULL;
  return Element(v);
}

Element booleanOf(bool b) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BOOL;
  V_BOOL(&v) = b ? VARIANT_TRUE : VARIANT_FALSE;
  return Element(v);
}

Element i2(short s) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I2;
  V_I2(&v) = s;
  return Element(v);
}

Element r4(float f) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_R4;
  V_R4(&v) = f;
  return Element(v);
}

Element currency(long long tenThousandths) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_CY;
  V_CY(&v).int64 = tenThousandths;
  return Element(v);
}

Element decimalOf(int whole) {
  VARIANT v;
  VariantInit(&v);
  VarDecFromI4(whole, &V_DECIMAL(&v));
  V_VT(&v) = VT_DECIMAL;
  return Element(v);
}

Element byRef(double* target) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BYREF | VT_R8;
  V_R8REF(&v) = target;
  return Element(v);
}

Element byRef(BSTR* target) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BYREF | VT_BSTR;
  V_BSTRREF(&v) = target;
  return Element(v);
}

SAFEARRAY* makeArray(const std::vector<Element>& elements, long lowerBound) {
  SAFEARRAY* a = SafeArrayCreateVector(VT_VARIANT, lowerBound, static_cast<ULONG>(elements.size()));
  long i = lowerBound;
  for (const Element& e : elements) {
    SafeArrayPutElement(a, &i, const_cast<VARIANT*>(&e.v));  // copies
    VARIANT own = e.v;
    VariantClear(&own);
    ++i;
  }
  return a;
}

SAFEARRAY* makeTwoDimensional() {
  SAFEARRAYBOUND bounds[2] = {{8, 0}, {1, 0}};
  SAFEARRAY* a = SafeArrayCreate(VT_VARIANT, 2, bounds);
  for (long i = 0; i < 8; ++i) {
    long at[2] = {i, 0};
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_R8;
    V_R8(&v) = 1;
    SafeArrayPutElement(a, at, &v);
  }
  return a;
}

Outcome callEarly(_convQV* object, SAFEARRAY* array) {
  Outcome o;
  BSTR text = nullptr;
  SAFEARRAY* passed = array;
  o.hr = object->algorit(&passed, &text);
  if (SUCCEEDED(o.hr)) {
    o.text = text ? text : L"";
  } else {
    o.textOnFailure = text != nullptr;
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) == S_OK) {
      BSTR d = nullptr;
      info->GetDescription(&d);
      o.description = d ? d : L"";
      SysFreeString(d);
      info->Release();
    }
  }
  SysFreeString(text);
  return o;
}

Outcome callLateWith(IDispatch* object, VARIANT& argument) {
  Outcome o;
  DISPPARAMS params{&argument, nullptr, 1, 0};
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO info{};
  UINT argError = 0;
  o.hr = object->Invoke(0x60030000, IID_NULL, 0x409, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params, &result, &info,
                        &argError);
  if (o.hr == DISP_E_EXCEPTION) {
    o.hr = info.scode;
    o.description = info.bstrDescription ? info.bstrDescription : L"";
  }
  if (SUCCEEDED(o.hr) && V_VT(&result) == VT_BSTR) o.text = V_BSTR(&result);
  o.textOnFailure = FAILED(o.hr) && V_VT(&result) != VT_EMPTY;
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
  VariantClear(&result);
  return o;
}

Outcome callLate(IDispatch* object, SAFEARRAY* array, Passing passing) {
  VARIANT arg;
  VariantInit(&arg);
  VARIANT inner;
  VariantInit(&inner);
  SAFEARRAY* ref = array;
  switch (passing) {
    case Passing::ByValue:
      V_VT(&arg) = VT_ARRAY | VT_VARIANT;
      V_ARRAY(&arg) = array;
      break;
    case Passing::ByRefArray:
      V_VT(&arg) = VT_BYREF | VT_ARRAY | VT_VARIANT;
      V_ARRAYREF(&arg) = &ref;
      break;
    case Passing::ByRefVariant:
      V_VT(&inner) = VT_ARRAY | VT_VARIANT;
      V_ARRAY(&inner) = array;
      V_VT(&arg) = VT_BYREF | VT_VARIANT;
      V_VARIANTREF(&arg) = &inner;
      break;
  }
  return callLateWith(object, arg);
}

std::string narrow(const std::wstring& w) {
  std::string s;
  for (wchar_t c : w) s += c < 0x80 ? static_cast<char>(c) : '?';
  return s;
}

}  // namespace client
