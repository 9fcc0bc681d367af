# cmake --install into scratch prefixes: the whole install, with its programs
# running and its manual pages naming docs that are installed; and the
# component dev alone (libquorvel-dev), whose headers each compile on their
# own and against which a project of its own finds the package, builds and
# runs.
# -DBUILD=<build tree> -DCONSUMER=<its source> -DWORK=<scratch>
# -DCOMPILER=<c++> -DGUI=<ON|OFF> -DVERSION=<x.y.z>
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/run.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/../public_headers.cmake)

file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
run("cmake --install" ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})

set(expected bin/qvcode share/man/man1/qvcode.1.gz share/bash-completion/completions/qvcode
    share/doc/quorvel/copyright share/doc/quorvel/qvcode.md share/doc/quorvel/screenshot.png)
if(GUI)
  list(APPEND expected bin/QVpruef share/man/man1/QVpruef.1.gz share/applications/quorvel-qvpruef.desktop
       share/icons/hicolor/scalable/apps/quorvel-qvpruef.svg lib/qvcode/modules/qvcode-map.so)
endif()
foreach(f IN LISTS expected)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
find_program(validate desktop-file-validate)
if(GUI AND validate)
  run("desktop-file-validate" ${validate} ${prefix}/share/applications/quorvel-qvpruef.desktop)
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

# The manual pages name the docs where this install put them, and the docs'
# own links (pages, sections, pictures) lead to installed files.
file(GLOB pages ${prefix}/share/man/man1/*.1.gz)
foreach(page IN LISTS pages)
  run("gzip -dc ${page}" gzip -dc ${page})
  string(REPLACE "\\-" "-" text "${out}")
  string(REGEX MATCHALL "\\(([^()\n]*/)?docs?/[^()\n]*\\)" references "${text}")
  if(NOT references)
    message(FATAL_ERROR "${page} names no documentation")
  endif()
  foreach(r IN LISTS references)
    string(REGEX REPLACE "^\\((.*)\\)$" "\\1" path "${r}")
    if(NOT path MATCHES "^${prefix}/share/doc/quorvel/[^/]+$" OR NOT EXISTS ${path})
      message(FATAL_ERROR "${page} names documentation that is not installed: ${path}")
    endif()
  endforeach()
endforeach()
file(GLOB installed_docs ${prefix}/share/doc/quorvel/*.md)
foreach(doc IN LISTS installed_docs)
  file(READ ${doc} text)
  # Brackets group a CMake list's items: none may stay in the matches.
  string(REGEX REPLACE "[][]" "|" text "${text}")
  string(REGEX MATCHALL "\\|\\([^)# ]+" links "${text}")
  foreach(link IN LISTS links)
    string(SUBSTRING "${link}" 2 -1 target)
    if(NOT target MATCHES "^https?:" AND NOT EXISTS ${prefix}/share/doc/quorvel/${target})
      message(FATAL_ERROR "${doc} links ${target}, which is not installed beside it")
    endif()
  endforeach()
endforeach()

# libquorvel-dev: the listed headers and nothing else, each one compiling on
# its own with nothing but the installed tree and the standard library.
set(dev ${WORK}/dev)
run("cmake --install --component dev" ${CMAKE_COMMAND} --install ${BUILD} --component dev --prefix ${dev})
file(GLOB_RECURSE headers RELATIVE ${dev}/include ${dev}/include/*)
list(TRANSFORM QV_PUBLIC_HEADERS PREPEND quorvel/conversion/ OUTPUT_VARIABLE want)
list(APPEND want quorvel/conversion.hpp)
list(SORT headers)
list(SORT want)
if(NOT headers STREQUAL want)
  message(FATAL_ERROR "installed headers:\n${headers}\ninstead of:\n${want}")
endif()
# The public face speaks English: the formulas' working names (Bdez, stunde,
# versatzkm, …) stay in the library's inside.
set(working_names "Bdez|Ldez|stunde|versatz|distkm|disttext|codetext|richtgrad|richtrad|sektor|bogen|Ybk|Xbk|fehler|fallzahl|speichermodus|zeile|adler|pruefe")
foreach(h IN LISTS headers)
  file(STRINGS ${dev}/include/${h} named REGEX "${working_names}")
  if(named)
    message(FATAL_ERROR "<${h}> holds working names of the formulas: ${named}")
  endif()
  string(MAKE_C_IDENTIFIER ${h} name)
  file(WRITE ${WORK}/headers/${name}.cpp "#include <${h}>\n")
  run("compiling <${h}> on its own" ${COMPILER} -std=c++20 -fsyntax-only -Wall -Wextra -Werror
      -I${dev}/include -I${dev}/include/quorvel ${WORK}/headers/${name}.cpp)
endforeach()

run("configuring the consumer" ${CMAKE_COMMAND} -S ${CONSUMER} -B ${WORK}/consumer -G Ninja
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=${COMPILER} -DCMAKE_PREFIX_PATH=${dev})
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
