// The caller's SAFEARRAY of VARIANT as the elements algorit reads.  Nothing
// here writes to the array or its elements: the caller owns them.

#pragma once

#include <windows.h>
#include <oaidl.h>

#include <optional>

#include "component/core/algorit.hpp"

namespace convqv {

// The core's view of one VARIANT, through its VT_BYREF.  A VT_BYREF|VT_VARIANT
// is followed one level: the Variant it points at must hold the value (itself
// or by reference to it); one that points at another Variant again is
// Unsupported, which the conversion reports as a type mismatch.
qv::Value toValue(const VARIANT& v);

class SafeArrayElements final : public qv::Elements {
 public:
  // Raises SubscriptOutOfRange for a missing (null) or not one-dimensional
  // array, TypeMismatch for an array of something other than VARIANT.
  explicit SafeArrayElements(const SAFEARRAY* array);
  qv::Value at(int index) const override;

 private:
  const VARIANT* data_;
  long long lowerBound_;
  long long count_;
};

// The array a late-bound caller passes: VT_ARRAY|VT_VARIANT by value or by
// reference, or a VT_BYREF|VT_VARIANT that points at one (a script's array
// variable).  Empty when the argument is no array of Variants; the array
// itself may be null (a script's unallocated dynamic array).
std::optional<const SAFEARRAY*> arrayArgument(const VARIANT& arg);

}  // namespace convqv
