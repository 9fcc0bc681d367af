# Cross build for 32-bit Windows with MinGW-w64: the component library and
# its Windows test clients.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QV_MINGW_TRIPLET i686-w64-mingw32)
# Where widl finds stdole2.tlb: 64-bit Wine's copy.  The library imports only
# its names and identifiers, so the type library widl writes is the same byte
# for byte as with 32-bit Wine's copy, and the 32-bit DLL builds where 32-bit
# Wine cannot be installed.
set(QV_WINDOWS_TYPELIB_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)

# The x87 unit would compute in extended precision and round differently:
# double arithmetic must be SSE2 double, as on every other target.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
# Undecorated export names (DllRegisterServer, not _DllRegisterServer@0) from
# the .def file.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-Wl,--enable-stdcall-fixup")

include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
