# Cross build for 64-bit ARM Linux with Debian's GCC (g++-aarch64-linux-gnu):
# the conversions, the sweep engine, the component core and qvcode, whose
# programs and tests run here under qemu-user with the target's C and C++
# libraries from /usr/aarch64-linux-gnu.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(QV_CROSS_TRIPLET aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${QV_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${QV_CROSS_TRIPLET}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${QV_CROSS_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest, GoogleTest's test discovery and add_test(COMMAND target) run the
# target's programs through qemu.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64;-L;/usr/${QV_CROSS_TRIPLET})
