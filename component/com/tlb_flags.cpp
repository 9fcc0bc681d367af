// tlb_flags IN OUT FLAGS: copies a type library and ORs FLAGS (a number) into
// the type flags of its coclasses.  widl cannot express every coclass flag
// (predeclid among them), so the build sets them in the finished library.
//
// The library is the MSFT format: a fixed header, an optional help DLL word,
// the offsets of the type infos, then the segment directory whose first
// segment holds the type info records.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr std::size_t headerSize = 0x54;
constexpr std::size_t typeCountAt = 0x20;
constexpr std::size_t varFlagsAt = 0x14;
constexpr std::uint32_t helpDllFlag = 0x100;
constexpr std::size_t typeKindAt = 0x00;  // within a type info record
constexpr std::size_t typeFlagsAt = 0x30;
constexpr std::uint32_t coclassKind = 5;

std::uint32_t word(const std::vector<unsigned char>& b, std::size_t at) {
  if (at + 4 > b.size()) throw std::runtime_error("truncated type library");
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

void setWord(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: tlb_flags IN.tlb OUT.tlb FLAGS\n");
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (word(b, 0) != 0x5446534D) throw std::runtime_error("not an MSFT type library");
    const auto flags = static_cast<std::uint32_t>(std::stoul(argv[3], nullptr, 0));

    const std::uint32_t types = word(b, typeCountAt);
    const std::size_t offsets = headerSize + ((word(b, varFlagsAt) & helpDllFlag) ? 4 : 0);
    const std::size_t typeInfoSegment = word(b, offsets + 4 * types);
    int patched = 0;
    for (std::uint32_t i = 0; i < types; ++i) {
      const std::size_t record = typeInfoSegment + word(b, offsets + 4 * i);
      if ((word(b, record + typeKindAt) & 0xF) != coclassKind) continue;
      setWord(b, record + typeFlagsAt, word(b, record + typeFlagsAt) | flags);
      ++patched;
    }
    if (patched == 0) throw std::runtime_error("no coclass found");

    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    if (!out) throw std::runtime_error("cannot write the output");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tlb_flags: %s: %s\n", argv[1], e.what());
    return 1;
  }
  return 0;
}
