// Elements that are by-reference Variants: how far algorit follows them.
#pragma once

#include "converterQV.h"

namespace client {

// One reference is followed; a reference to a reference, a chain of 20,000
// of them and an element that refers to itself are a type mismatch, early-
// and late-bound, and no crash.
void checkVariantReferences(_convQV* object);

}  // namespace client
