// A user's program on the installed conversion: a code, its position back,
// and the three kinds of failure.
#include <quorvel/conversion.hpp>

#include <cstdio>

int main() {
  const qv::Code c = qv::encode(50, 10);
  const qv::Position p = qv::decode(c.text);
  std::printf("%s %d %.4f %.4f %.5f %.5f\n", c.text.c_str(), c.hour, c.offsetKm, c.distanceKm, p.latitude, p.longitude);
  try {
    qv::decode("m13:6.6 r236.8");
  } catch (const qv::CodeFormatError& e) {
    std::printf("%s\n", e.what());
  }
  try {
    qv::encode(95, 0);
  } catch (const qv::PositionError& e) {
    std::printf("%s\n", e.what());
  }
  try {
    qv::encode(1e308, 0, qv::PositionRange::asSweep);
  } catch (const qv::RuntimeError& e) {
    std::printf("%d %s\n", e.number(), e.what());
  }
}
