// The instruction-set variants of the single functions, which single.cpp
// chooses among (variants.hpp).
#pragma once

namespace qv::cr {

double sinPortable(double x);
double cosPortable(double x);
double atanPortable(double x);
void sinCosPortable(double x, double& sine, double& cosine);
double sinFma(double x);
double cosFma(double x);
double atanFma(double x);
void sinCosFma(double x, double& sine, double& cosine);

}  // namespace qv::cr
