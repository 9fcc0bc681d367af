// The instruction-set variants of many.hpp, which many.cpp chooses among.
#pragma once

#include <cstddef>

namespace qv::cr {

void sinCosManySse2(const double* x, double* s, double* c, std::size_t n);
void cosManySse2(const double* x, double* out, std::size_t n);
void atanManySse2(const double* x, double* out, std::size_t n);
void sinCosManyAvx2(const double* x, double* s, double* c, std::size_t n);
void cosManyAvx2(const double* x, double* out, std::size_t n);
void atanManyAvx2(const double* x, double* out, std::size_t n);
void sinCosManyNeon(const double* x, double* s, double* c, std::size_t n);
void cosManyNeon(const double* x, double* out, std::size_t n);
void atanManyNeon(const double* x, double* out, std::size_t n);

}  // namespace qv::cr
