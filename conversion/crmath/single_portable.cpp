// The single functions in IEEE double additions and multiplications alone
// (Dekker's products): every processor, i686, Windows and WebAssembly
// included.
#include "conversion/crmath/single_paths.hpp"
#include "conversion/crmath/single_variants.hpp"

namespace qv::cr {

double sinPortable(double x) { return sinPath(x); }
double cosPortable(double x) { return cosPath(x); }
double atanPortable(double x) { return atanPath(x); }
void sinCosPortable(double x, double& sine, double& cosine) { sinCosPath(x, sine, cosine); }

}  // namespace qv::cr
