// The server's module handle and its count of live objects.

#include "component/com/server_state.hpp"

namespace convqv {
namespace {

HMODULE thisModule = nullptr;
LONG holds = 0;

}  // namespace

HMODULE module() { return thisModule; }

void holdServer() { InterlockedIncrement(&holds); }
void releaseServer() { InterlockedDecrement(&holds); }
bool serverInUse() { return InterlockedCompareExchange(&holds, 0, 0) != 0; }

}  // namespace convqv

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    convqv::thisModule = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
