# cmake --install into a scratch prefix: every file in its place, and a
# project of its own that finds the package, builds and runs.
# -DBUILD=<build tree> -DCONSUMER=<its source> -DWORK=<scratch> -DCOMPILER=<c++>
# -DGUI=<ON|OFF> -DVERSION=<x.y.z>
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/run.cmake)

file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
run("cmake --install" ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})

include(GNUInstallDirs)
set(expected
  bin/qvcode
  ${CMAKE_INSTALL_MANDIR}/man1/qvcode.1.gz
  ${CMAKE_INSTALL_INCLUDEDIR}/quorvel/conversion.hpp
  ${CMAKE_INSTALL_INCLUDEDIR}/quorvel/conversion/code_reader.hpp
  ${CMAKE_INSTALL_LIBDIR}/libquorvel-conversion.a
  ${CMAKE_INSTALL_LIBDIR}/cmake/Quorvel/QuorvelConfig.cmake
  ${CMAKE_INSTALL_LIBDIR}/cmake/Quorvel/QuorvelConfigVersion.cmake)
if(GUI)
  list(APPEND expected bin/QVpruef ${CMAKE_INSTALL_DATADIR}/applications/quorvel-qvpruef.desktop
       ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps/quorvel-qvpruef.svg lib/qvcode/modules/qvcode-map.so)
endif()
foreach(f IN LISTS expected)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
find_program(validate desktop-file-validate)
if(GUI AND validate)
  run("desktop-file-validate" ${validate} ${prefix}/${CMAKE_INSTALL_DATADIR}/applications/quorvel-qvpruef.desktop)
endif()
run("installed qvcode --version" ${prefix}/bin/qvcode --version)
if(NOT out STREQUAL "qvcode (Quorvel) ${VERSION}\n")
  message(FATAL_ERROR "installed qvcode --version: ${out}")
endif()
if(GUI)
  # The installed qvcode finds its drawing module.
  run("installed qvcode sweep --map" ${prefix}/bin/qvcode sweep --lat-from 1 --lat-to 1 --lon-from 1 --lon-to 1
      --report ${WORK}/report.txt --map ${WORK}/map.png)
  if(NOT EXISTS ${WORK}/map.png)
    message(FATAL_ERROR "installed qvcode sweep --map wrote no map: ${out}")
  endif()
endif()

run("configuring the consumer" ${CMAKE_COMMAND} -S ${CONSUMER} -B ${WORK}/consumer -G Ninja
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=${COMPILER} -DCMAKE_PREFIX_PATH=${prefix})
run("building the consumer" ${CMAKE_COMMAND} --build ${WORK}/consumer)
run("the consumer" ${WORK}/consumer/consumer)
set(want "m11:6.6 r236.8 11 6.6433 236.7796 49.99996 9.99933
hour '13' is not a whole number from 1 to 12
latitude 95 lies outside -90..90
6 Overflow
")
if(NOT out STREQUAL want)
  message(FATAL_ERROR "the consumer wrote:\n${out}\ninstead of:\n${want}")
endif()
