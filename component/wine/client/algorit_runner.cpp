// algorit_runner FILE: algorit through the registered converterQV for every line of FILE, for comparing with Linux.
// A line holds the eight elements, blank-separated: six numbers, read exactly
// (std::from_chars), and the two hemisphere letters.  Each result goes on a
// line of its own: the code text, or "error " and the failure's description
// ("error Overflow").  Exit 0 done, 1 no registered class or an unreadable
// line.
#include <windows.h>
#include <oleauto.h>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "converterQV.h"
#include "component/wine/client/variant_array.hpp"

using namespace client;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: algorit_runner FILE\n");
    return 1;
  }
  CoInitialize(nullptr);
  _convQV* object = nullptr;
  CLSID clsid{};
  if (FAILED(CLSIDFromProgID(L"convQVproj.convQV", &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID__convQV, reinterpret_cast<void**>(&object)))) {
    std::fprintf(stderr, "algorit_runner: convQVproj.convQV is not registered\n");
    return 1;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::fprintf(stderr, "algorit_runner: cannot open '%s'\n", argv[1]);
    return 1;
  }
  std::string line;
  int status = 0;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string t[8];
    double d[6] = {};
    bool ok = true;
    for (int i = 0; i < 8; ++i) ok = ok && static_cast<bool>(fields >> t[i]);
    for (int i = 0; ok && i < 6; ++i) {
      const auto r = std::from_chars(t[i].data(), t[i].data() + t[i].size(), d[i]);
      ok = r.ec == std::errc() && r.ptr == t[i].data() + t[i].size();
    }
    if (!ok) {
      std::fprintf(stderr, "algorit_runner: cannot read the line '%s'\n", line.c_str());
      status = 1;
      continue;
    }
    const std::wstring ns(t[6].begin(), t[6].end()), ew(t[7].begin(), t[7].end());
    SAFEARRAY* array = makeArray({d[0], d[1], d[2], d[3], d[4], d[5], ns.c_str(), ew.c_str()});
    const Outcome o = callEarly(object, array);
    SafeArrayDestroy(array);
    std::printf("%s\n", SUCCEEDED(o.hr) ? narrow(o.text).c_str() : ("error " + narrow(o.description)).c_str());
  }
  object->Release();
  CoUninitialize();
  return status;
}
