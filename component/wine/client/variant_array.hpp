// SAFEARRAYs of VARIANT built the way Automation clients build them, and the
// results of algorit through the virtual table and through IDispatch.

#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "converterQV.h"

namespace client {

// One element: a number, a text, or any VARIANT made by the helpers below.
struct Element {
  VARIANT v;
  Element(double d) {
    VariantInit(&v);
    V_VT(&v) = VT_R8;
    V_R8(&v) = d;
  }
  Element(int i) {
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = i;
  }
  Element(const wchar_t* s) {
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(s);
  }
  explicit Element(const VARIANT& from) : v(from) {}
};

Element empty();
Element null();
Element booleanOf(bool b);
Element i2(short s);
Element r4(float f);
Element currency(long long tenThousandths);
Element decimalOf(int whole);
// A VT_BYREF element pointing at `target`, which must outlive the array.
Element byRef(double* target);
Element byRef(BSTR* target);

// A one-dimensional array with the given lower bound; it owns the elements.
SAFEARRAY* makeArray(const std::vector<Element>& elements, long lowerBound = 0);

// A two-dimensional 8×1 array of numbers.
SAFEARRAY* makeTwoDimensional();

// An outcome of one call: the text, or the failure code with its description
// from error info (early-bound) or EXCEPINFO (late-bound).
struct Outcome {
  HRESULT hr = S_OK;
  std::wstring text;
  std::wstring description;
  bool textOnFailure = false;  // a result text came back despite the failure
};

Outcome callEarly(_convQV* object, SAFEARRAY* array);

// How the late-bound caller wraps the array in its one argument.
enum class Passing { ByValue, ByRefArray, ByRefVariant };
Outcome callLate(IDispatch* object, SAFEARRAY* array, Passing passing);
Outcome callLateWith(IDispatch* object, VARIANT& argument);

std::string narrow(const std::wstring& w);

}  // namespace client
