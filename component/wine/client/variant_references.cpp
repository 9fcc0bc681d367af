// Elements that are VT_BYREF|VT_VARIANT: one level, longer chains and a cycle.

#include "component/wine/client/variant_references.hpp"

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "component/wine/client/check.hpp"
#include "component/wine/client/variant_array.hpp"

namespace client {
namespace {

constexpr int cycle = 0;  // the element refers to itself

struct ReferenceCase {
  const char* name;
  int references;         // by-reference Variants from the element (the first) to the value 50, or `cycle`
  const wchar_t* result;  // null: a type mismatch
};

const ReferenceCase referenceCases[] = {
    {"one by-reference Variant", 1, L"m11:6 r236"},
    {"a by-reference Variant to another", 2, nullptr},
    {"a chain of 20,000 by-reference Variants", 20000, nullptr},
    {"an element that refers to itself", cycle, nullptr},
};

}  // namespace

void checkVariantReferences(_convQV* object) {
  for (const ReferenceCase& c : referenceCases) {
    // The element refers to links[0], links[i] to links[i + 1]; the last holds the number.
    std::vector<VARIANT> links(static_cast<std::size_t>(c.references > 0 ? c.references : 1));
    for (std::size_t i = 0; i + 1 < links.size(); ++i) {
      V_VT(&links[i]) = VT_BYREF | VT_VARIANT;
      V_VARIANTREF(&links[i]) = &links[i + 1];
    }
    V_VT(&links.back()) = VT_R8;
    V_R8(&links.back()) = 50;

    SAFEARRAY* a = makeArray({0, 0, 0, 10, 0, 0, L"N", L"E"});
    VARIANT* data = nullptr;
    SafeArrayAccessData(a, reinterpret_cast<void**>(&data));
    V_VT(&data[0]) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&data[0]) = c.references == cycle ? &data[0] : &links[0];

    const Outcome early = callEarly(object, a);
    const Outcome late = callLate(object, a, Passing::ByRefVariant);
    for (const Outcome* o : {&early, &late}) {
      const std::string how = o == &early ? "vtable, " : "IDispatch, ";
      if (c.result)
        check(o->hr == S_OK && o->text == c.result, how + c.name + ": got \"" + narrow(o->text) + "\"");
      else
        check(o->hr == DISP_E_TYPEMISMATCH && o->description == L"Type mismatch" && !o->textOnFailure,
              how + c.name + " is a type mismatch: got \"" + narrow(o->description) + "\"");
    }
    V_VT(&data[0]) = VT_EMPTY;
    SafeArrayUnaccessData(a);
    SafeArrayDestroy(a);
  }
}

}  // namespace client
