# Cross build for 32-bit Windows with MinGW-w64: the component library and
# its Windows test clients.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QV_MINGW_TRIPLET i686-w64-mingw32)
# Where widl finds stdole2.tlb for this target.
set(QV_WINDOWS_TYPELIB_DIR /usr/lib/i386-linux-gnu/wine/i386-windows)

# The x87 unit would compute in extended precision and round differently:
# double arithmetic must be SSE2 double, as on every other target.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
# Undecorated export names (DllRegisterServer, not _DllRegisterServer@0) from
# the .def file.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-Wl,--enable-stdcall-fixup")

include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
