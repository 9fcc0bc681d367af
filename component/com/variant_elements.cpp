// The elements of a caller's SAFEARRAY of VARIANT read as algorit's values.

#include "component/com/variant_elements.hpp"

#include "component/com/com_text.hpp"
#include "conversion/runtime_error.hpp"

namespace convqv {
namespace {

// The value a plain or VT_BYREF variant of an arithmetic type holds.
template <class T>
double number(const VARIANT& v, T plain, T* byRef) {
  return static_cast<double>((V_VT(&v) & VT_BYREF) ? *byRef : plain);
}

bool holdsVariants(const SAFEARRAY& a) {
  if (a.fFeatures & FADF_VARIANT) return true;
  if (a.fFeatures & (FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH | FADF_RECORD | FADF_HAVEIID | FADF_HAVEVARTYPE))
    return false;
  return a.cbElements == sizeof(VARIANT);
}

// A Variant that holds its value itself or by reference to it; a reference
// to another Variant is no value here.
qv::Value valueOf(const VARIANT& v) {
  const bool byRef = V_VT(&v) & VT_BYREF;
  if (byRef && !V_BYREF(&v)) return qv::Unsupported{};
  switch (V_VT(&v) & ~VT_BYREF) {
    case VT_EMPTY: return qv::Empty{};
    case VT_NULL: return qv::Null{};
    case VT_BOOL: return (byRef ? *V_BOOLREF(&v) : V_BOOL(&v)) != VARIANT_FALSE;
    case VT_I1: return number(v, V_I1(&v), V_I1REF(&v));
    case VT_UI1: return number(v, V_UI1(&v), V_UI1REF(&v));
    case VT_I2: return number(v, V_I2(&v), V_I2REF(&v));
    case VT_UI2: return number(v, V_UI2(&v), V_UI2REF(&v));
    case VT_I4: return number(v, V_I4(&v), V_I4REF(&v));
    case VT_UI4: return number(v, V_UI4(&v), V_UI4REF(&v));
    case VT_INT: return number(v, V_INT(&v), V_INTREF(&v));
    case VT_UINT: return number(v, V_UINT(&v), V_UINTREF(&v));
    case VT_I8: return number(v, V_I8(&v), V_I8REF(&v));
    case VT_UI8: return number(v, V_UI8(&v), V_UI8REF(&v));
    case VT_R4: return number(v, V_R4(&v), V_R4REF(&v));
    case VT_R8: return number(v, V_R8(&v), V_R8REF(&v));
    case VT_DATE: return number(v, V_DATE(&v), V_DATEREF(&v));
    case VT_CY: return static_cast<double>((byRef ? *V_CYREF(&v) : V_CY(&v)).int64) / 10000;
    case VT_DECIMAL: {
      DECIMAL dec = byRef ? *V_DECIMALREF(&v) : V_DECIMAL(&v);
      double d = 0;
      if (FAILED(VarR8FromDec(&dec, &d))) throw qv::RuntimeError(qv::ErrorKind::Overflow);
      return d;
    }
    case VT_BSTR: return bstrToUtf8(byRef ? *V_BSTRREF(&v) : V_BSTR(&v));
    default: return qv::Unsupported{};
  }
}

}  // namespace

// Automation clients nest a by-reference Variant one level deep (a Variant
// variable passed by reference); a reference to a reference is followed no
// further, so a chain or a cycle of them cannot exhaust the stack.
qv::Value toValue(const VARIANT& v) {
  if (V_VT(&v) != (VT_BYREF | VT_VARIANT)) return valueOf(v);
  const VARIANT* target = V_VARIANTREF(&v);
  return target ? valueOf(*target) : qv::Unsupported{};
}

SafeArrayElements::SafeArrayElements(const SAFEARRAY* array) {
  if (!array || array->cDims != 1 || (!array->pvData && array->rgsabound[0].cElements != 0))
    throw qv::RuntimeError(qv::ErrorKind::SubscriptOutOfRange);
  if (!holdsVariants(*array)) throw qv::RuntimeError(qv::ErrorKind::TypeMismatch);
  data_ = static_cast<const VARIANT*>(array->pvData);
  lowerBound_ = array->rgsabound[0].lLbound;
  count_ = array->rgsabound[0].cElements;
}

qv::Value SafeArrayElements::at(int index) const {
  const long long i = index - lowerBound_;
  if (i < 0 || i >= count_) throw qv::RuntimeError(qv::ErrorKind::SubscriptOutOfRange);
  return toValue(data_[i]);
}

std::optional<const SAFEARRAY*> arrayArgument(const VARIANT& arg) {
  switch (V_VT(&arg)) {
    case VT_ARRAY | VT_VARIANT: return V_ARRAY(&arg);
    case VT_BYREF | VT_ARRAY | VT_VARIANT:
      if (!V_ARRAYREF(&arg)) return std::nullopt;
      return *V_ARRAYREF(&arg);
    case VT_BYREF | VT_VARIANT: {
      const VARIANT* inner = V_VARIANTREF(&arg);
      if (!inner || V_VT(inner) == (VT_BYREF | VT_VARIANT)) return std::nullopt;
      return arrayArgument(*inner);
    }
    default: return std::nullopt;
  }
}

}  // namespace convqv
