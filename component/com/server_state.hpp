// What the server as a whole keeps: its module handle and the count of live
// objects, class factory references and server locks that DllCanUnloadNow
// answers from.

#pragma once

#include <windows.h>

namespace convqv {

HMODULE module();

// One more (or one fewer) reason to stay loaded.
void holdServer();
void releaseServer();
bool serverInUse();

}  // namespace convqv
