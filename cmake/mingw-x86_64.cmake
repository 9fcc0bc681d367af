# Cross build for 64-bit Windows with MinGW-w64: the component library and
# its Windows test clients.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(QV_MINGW_TRIPLET x86_64-w64-mingw32)
# Where widl finds stdole2.tlb for this target.
set(QV_WINDOWS_TYPELIB_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)

include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
