# The Debian packages: CPack builds exactly the six (and quorvel-gis where GDAL was found) from the build tree; each
# holds its files and no other, declares its dependencies (and quorvel's
# reach neither Qt, GMT nor numpy), runs no maintainer scripts, passes
# lintian without an error or a warning, and its programs run from the
# unpacked package.  apt_test.cmake installs and purges them.
# -DBUILD=<build tree> -DSOURCE=<source tree> -DWORK=<scratch> -DGUI=<ON|OFF>
# -DPYTHON=<1|0> -DGIS=<1|0> -DVERSION=<x.y.z> -DLIBDIR=<the library folder under the prefix>
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/run.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/../public_headers.cmake)

file(REMOVE_RECURSE ${WORK})
run("cpack" cpack -G DEB --config ${BUILD}/CPackConfig.cmake -B ${WORK})
run("dpkg --print-architecture" dpkg --print-architecture)
string(STRIP "${out}" arch)

# package → its files, as regular expressions of paths under /.  Every file
# must match one, and every expression exactly one file.
set(packages quorvel libquorvel-dev quorvel-doc)
set(files_quorvel usr/bin/qvcode usr/share/man/man1/qvcode\\.1\\.gz usr/share/bash-completion/completions/qvcode)
set(files_libquorvel-dev usr/include/quorvel/conversion\\.hpp usr/${LIBDIR}/libquorvel-conversion\\.a
    usr/${LIBDIR}/cmake/Quorvel/QuorvelConfig\\.cmake usr/${LIBDIR}/cmake/Quorvel/QuorvelConfigVersion\\.cmake
    usr/${LIBDIR}/cmake/Quorvel/QuorvelTargets\\.cmake usr/${LIBDIR}/cmake/Quorvel/QuorvelTargets-[a-z]+\\.cmake)
foreach(h IN LISTS QV_PUBLIC_HEADERS)
  string(REPLACE "." "\\." h ${h})
  list(APPEND files_libquorvel-dev usr/include/quorvel/conversion/${h})
endforeach()
file(GLOB doc_files RELATIVE ${SOURCE}/docs ${SOURCE}/docs/*.md ${SOURCE}/docs/*.png)
foreach(d IN LISTS doc_files)
  string(REPLACE "." "\\." d ${d})
  list(APPEND files_quorvel-doc usr/share/doc/quorvel/${d})
endforeach()
if(GUI)
  list(APPEND packages quorvel-map qvpruef)
  set(files_quorvel-map usr/lib/qvcode/modules/qvcode-map\\.so)
  set(files_qvpruef usr/bin/QVpruef usr/share/man/man1/QVpruef\\.1\\.gz
      usr/share/applications/quorvel-qvpruef\\.desktop usr/share/icons/hicolor/scalable/apps/quorvel-qvpruef\\.svg)
endif()
if(GIS)
  list(APPEND packages quorvel-gis)
  set(files_quorvel-gis usr/lib/qvcode/modules/qvcode-gdal\\.so)
endif()
if(PYTHON)
  list(APPEND packages python3-quorvel)
  set(files_python3-quorvel "usr/lib/python3/dist-packages/quorvel\\.cpython-[^/]+\\.so"
      usr/lib/python3/dist-packages/quorvel\\.pyi)
endif()
foreach(p IN LISTS packages)
  list(APPEND files_${p} usr/share/doc/${p}/copyright usr/share/doc/${p}/changelog\\.gz)
endforeach()

# package → what its control fields must say, as "FIELD regular expression".
set(control_quorvel "Depends (^|, )libc6 " "Depends (^|, )libstdc\\+\\+6 " "Suggests quorvel-doc")
set(control_quorvel-map "Depends (^|, )quorvel \\(= ${VERSION}\\)(,|$)" "Depends (^|, )libqt6gui6 "
    "Depends (^|, )libgmt6 " "Recommends ^gmt-common, gmt-gshhg-low$")
set(control_qvpruef "Depends (^|, )libqt6widgets6 " "Depends (^|, )fonts-liberation2(,|$)"
    "Depends (^|, )qt6-qpa-plugins(,|$)")
set(control_python3-quorvel "Depends (^|, )python3 \\(>= 3\\.[0-9]+~\\), python3 \\(<< 3\\.[0-9]+\\)"
    "Depends (^|, )python3-numpy(,|$)" "Section ^python$")
set(control_quorvel-gis "Depends (^|, )quorvel \\(= ${VERSION}\\)(,|$)" "Depends (^|, )libgdal[0-9]+ ")
set(control_libquorvel-dev "Section ^libdevel$")
set(control_quorvel-doc "Section ^doc$")

file(GLOB made RELATIVE ${WORK} ${WORK}/*.deb)
set(want)
foreach(p IN LISTS packages)
  set(arch_${p} ${arch})
  if(p STREQUAL "quorvel-doc")
    set(arch_${p} all)
  endif()
  set(deb_${p} ${WORK}/${p}_${VERSION}_${arch_${p}}.deb)
  list(APPEND want ${p}_${VERSION}_${arch_${p}}.deb)
endforeach()
list(SORT made)
list(SORT want)
if(NOT made STREQUAL want)
  message(FATAL_ERROR "cpack made:\n${made}\ninstead of:\n${want}")
endif()

foreach(p IN LISTS packages)
  set(deb ${deb_${p}})
  run("dpkg-deb -c ${p}" dpkg-deb -c ${deb})
  string(REGEX MATCHALL "(^|\n)-[^\n]* \\./[^\n]*" lines "${out}")
  set(held)
  foreach(l IN LISTS lines)
    string(REGEX REPLACE ".* \\./" "" f "${l}")
    list(APPEND held ${f})
  endforeach()
  set(unmatched ${held})
  foreach(pattern IN LISTS files_${p})
    set(hits ${held})
    list(FILTER hits INCLUDE REGEX "^${pattern}$")
    list(LENGTH hits n)
    if(NOT n EQUAL 1)
      message(FATAL_ERROR "${p} holds ${n} files /${pattern}:\n${held}")
    endif()
    list(REMOVE_ITEM unmatched ${hits})
  endforeach()
  if(unmatched)
    message(FATAL_ERROR "${p} holds files that are not its own:\n${unmatched}")
  endif()

  run("dpkg-deb -f ${p}" dpkg-deb -f ${deb} Version Architecture)
  if(NOT out STREQUAL "Version: ${VERSION}\nArchitecture: ${arch_${p}}\n")
    message(FATAL_ERROR "${p}'s version and architecture:\n${out}")
  endif()
  foreach(rule IN LISTS control_${p})
    string(REGEX MATCH "^([^ ]+) (.*)$" rule "${rule}")
    set(field ${CMAKE_MATCH_1})
    set(pattern "${CMAKE_MATCH_2}")
    run("dpkg-deb -f ${p} ${field}" dpkg-deb -f ${deb} ${field})
    string(STRIP "${out}" value)
    if(NOT value MATCHES "${pattern}")
      message(FATAL_ERROR "${p}'s ${field} '${value}' does not match '${pattern}'")
    endif()
  endforeach()

  # No maintainer scripts: a module off the linker's path needs no ldconfig,
  # and a postrm would leave the package in dpkg's state rc after a remove.
  execute_process(COMMAND dpkg-deb --ctrl-tarfile ${deb} COMMAND tar -t OUTPUT_VARIABLE control
                  RESULT_VARIABLE failed)
  if(failed OR control MATCHES "(postinst|postrm|preinst|prerm|triggers)")
    message(FATAL_ERROR "${p} has maintainer scripts or triggers: ${control}")
  endif()
endforeach()

# All that quorvel pulls in, however deep, and what apt-get would install
# with it: no Qt, no GMT, no numpy.
run("dpkg-deb -f quorvel Depends Pre-Depends" dpkg-deb -f ${deb_quorvel} Depends Pre-Depends)
string(REGEX REPLACE "(^|\n)[A-Za-z-]+:" "," depends "${out}")
string(REGEX REPLACE "\\([^)]*\\)|[ \n]" "" depends "${depends}")
string(REGEX REPLACE "[,|]+" ";" depends "${depends}")
list(REMOVE_ITEM depends "")
run("apt-cache depends --recurse" apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts
    --no-breaks --no-replaces --no-enhances ${depends})
string(REGEX MATCHALL "[^ \n:<>]+" closure "${out}")
list(FILTER closure INCLUDE REGEX "qt6|qt5|libqt|gmt|numpy")
if(closure OR NOT out MATCHES "(^|\n)libc6\n")
  message(FATAL_ERROR "quorvel depends on ${depends}, which reach: ${closure}\n${out}")
endif()

# Debian's own checks: no error and no warning in any package.
find_program(LINTIAN lintian REQUIRED)
foreach(p IN LISTS packages)
  list(APPEND debs ${deb_${p}})
endforeach()
execute_process(COMMAND ${LINTIAN} --tag-display-limit 0 ${debs} OUTPUT_VARIABLE tags ERROR_VARIABLE tags)
if(tags MATCHES "(^|\n)[EW]: ")
  message(FATAL_ERROR "lintian finds errors or warnings:\n${tags}")
endif()
message(STATUS "lintian:\n${tags}")

# The programs from the unpacked packages: qvcode alone, and with its map
# module unpacked beside it.
foreach(p IN ITEMS quorvel qvpruef python3-quorvel)
  if(p IN_LIST packages)
    run("dpkg -x ${p}" dpkg -x ${deb_${p}} ${WORK}/${p})
  endif()
endforeach()
run("the package's qvcode --version" ${WORK}/quorvel/usr/bin/qvcode --version)
if(NOT out STREQUAL "qvcode (Quorvel) ${VERSION}\n")
  message(FATAL_ERROR "qvcode --version from the package: ${out}")
endif()
run("the package's qvcode encode" ${WORK}/quorvel/usr/bin/qvcode encode 50 10)
if(NOT out STREQUAL "m11:6.6 r236.8\n")
  message(FATAL_ERROR "qvcode encode 50 10 from the package: ${out}")
endif()
if(GUI)
  set(map_sweep sweep --lat-from 1 --lat-to 1 --lon-from 1 --lon-to 1 --report ${WORK}/report.txt
      --map ${WORK}/map.png)
  execute_process(COMMAND ${WORK}/quorvel/usr/bin/qvcode ${map_sweep} RESULT_VARIABLE status ERROR_VARIABLE err
                  OUTPUT_QUIET)
  if(status EQUAL 0 OR NOT err MATCHES "qvcode-map\\.so")
    message(FATAL_ERROR "qvcode sweep --map without quorvel-map (status ${status}): ${err}")
  endif()
  run("dpkg -x quorvel-map" dpkg -x ${deb_quorvel-map} ${WORK}/quorvel)
  run("qvcode sweep --map with quorvel-map" ${WORK}/quorvel/usr/bin/qvcode ${map_sweep})
  if(NOT EXISTS ${WORK}/map.png)
    message(FATAL_ERROR "qvcode sweep --map with quorvel-map wrote no map: ${out}")
  endif()
  run("the package's QVpruef --version" ${WORK}/qvpruef/usr/bin/QVpruef --version)
  if(NOT out STREQUAL "QVpruef (Quorvel) ${VERSION}\n")
    message(FATAL_ERROR "QVpruef --version from the package: ${out}")
  endif()
endif()
# The Python module imports from its package, for Debian's python3.
if(PYTHON)
  run("the package's Python module" ${CMAKE_COMMAND} -E env
      PYTHONPATH=${WORK}/python3-quorvel/usr/lib/python3/dist-packages
      /usr/bin/python3 -c "import quorvel\nprint(quorvel.encode(50, 10).code)")
  if(NOT out STREQUAL "m11:6.6 r236.8\n")
    message(FATAL_ERROR "the package's Python module: ${out}")
  endif()
endif()
