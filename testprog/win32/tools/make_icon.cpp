// make_icon OUT.ico: draws QVpruef's icon, a clock face with the hand on 11, at 16, 32 and 48 pixels.
// Built and run on the build machine, so that the icon is made from this
// source and no binary image is kept.  Each size is drawn at 4 × 4 samples a
// pixel into 32-bit BGRA with alpha, as Windows XP and later read icons.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

struct Colour {
  double b, g, r, a;
};
constexpr Colour clear{0, 0, 0, 0}, face{255, 255, 255, 255}, red{0, 0, 192, 255}, yellow{0, 255, 255, 255};

// What lies at (x, y), in units of the icon's size with the centre at 0.
Colour at(double x, double y) {
  const double r = std::hypot(x, y);
  if (r > 0.48) return clear;
  if (r > 0.39) return red;
  if (r < 0.07) return yellow;
  // The hand points to 11 o'clock: 30 degrees left of straight up.
  const double pi = 4 * std::atan(1.0);
  const double dx = -std::sin(pi / 6), dy = -std::cos(pi / 6);
  const double along = x * dx + y * dy, across = std::fabs(x * dy - y * dx);
  if (along > 0 && along < 0.33 && across < 0.05) return red;
  if (std::fabs(x) < 0.035 && y < -0.27) return red;  // the mark of 12
  return face;
}

void put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, unsigned v) {
  put16(out, v & 0xffff);
  put16(out, v >> 16);
}

// A BITMAPINFOHEADER image of `n` × `n`: the pixels bottom-up, then an
// all-clear AND mask (alpha decides).
std::vector<std::uint8_t> image(unsigned n) {
  std::vector<std::uint8_t> out;
  const unsigned maskRow = (n + 31) / 32 * 4;
  put32(out, 40);
  put32(out, n);
  put32(out, 2 * n);
  put16(out, 1);
  put16(out, 32);
  put32(out, 0);
  put32(out, n * n * 4 + maskRow * n);
  for (int i = 0; i < 4; ++i) put32(out, 0);
  constexpr int samples = 4;
  for (unsigned row = n; row-- > 0;) {
    for (unsigned col = 0; col < n; ++col) {
      Colour sum{0, 0, 0, 0};
      for (int sy = 0; sy < samples; ++sy)
        for (int sx = 0; sx < samples; ++sx) {
          const Colour c = at((col + (sx + 0.5) / samples) / n - 0.5, (row + (sy + 0.5) / samples) / n - 0.5);
          sum = {sum.b + c.b * c.a, sum.g + c.g * c.a, sum.r + c.r * c.a, sum.a + c.a};
        }
      const double alpha = sum.a / (samples * samples);
      const double k = sum.a > 0 ? 1 / sum.a : 0;
      for (double v : {sum.b * k, sum.g * k, sum.r * k, alpha})
        out.push_back(static_cast<std::uint8_t>(std::lround(v)));
    }
  }
  out.insert(out.end(), maskRow * n, 0);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon OUT.ico\n");
    return 2;
  }
  const unsigned sizes[] = {16, 32, 48};
  std::vector<std::vector<std::uint8_t>> images;
  for (unsigned n : sizes) images.push_back(image(n));
  std::vector<std::uint8_t> out;
  put16(out, 0);
  put16(out, 1);  // an icon
  put16(out, static_cast<unsigned>(images.size()));
  unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<std::uint8_t>(sizes[i]));
    out.push_back(static_cast<std::uint8_t>(sizes[i]));
    out.push_back(0);
    out.push_back(0);
    put16(out, 1);
    put16(out, 32);
    put32(out, static_cast<unsigned>(images[i].size()));
    put32(out, offset);
    offset += static_cast<unsigned>(images[i].size());
  }
  for (const auto& img : images) out.insert(out.end(), img.begin(), img.end());
  std::FILE* f = std::fopen(argv[1], "wb");
  if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0) {
    std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
