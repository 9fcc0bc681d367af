# GoogleTest for the cross builds (Windows, ARM64), compiled from its sources:
# Debian packages it as a library for the build machine only, and ships the
# sources in the package googletest.  Gives the targets GTest::gtest and GTest::gtest_main.
set(QV_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "Sources of GoogleTest for the cross builds")
if(NOT EXISTS ${QV_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${QV_GOOGLETEST_SOURCE_DIR}: install the package googletest "
                      "(scripts/install-deps)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${QV_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
# The Windows compilers' thread model (win32) has no std::mutex before GCC 13:
# GoogleTest's Notification comes from a Win32 event instead.
if(WIN32)
  set(notification ${CMAKE_CURRENT_LIST_DIR}/googletest-mingw/notification.hpp)
  target_compile_options(gtest PUBLIC -include ${notification})
  target_sources(gtest PRIVATE ${CMAKE_CURRENT_LIST_DIR}/googletest-mingw/notification.cpp)
endif()
