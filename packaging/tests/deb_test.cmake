# The Debian package: built by CPack from the build tree, its declared
# dependencies, its files where Debian wants them, no maintainer scripts,
# lintian without errors, and its programs run from the unpacked package.
# -DBUILD=<build tree> -DWORK=<scratch> -DGUI=<ON|OFF> -DVERSION=<x.y.z>
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/run.cmake)

file(REMOVE_RECURSE ${WORK})
run("cpack" cpack -G DEB --config ${BUILD}/CPackConfig.cmake -B ${WORK})
file(GLOB deb ${WORK}/quorvel_${VERSION}_*.deb)
list(LENGTH deb count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "cpack made ${count} packages quorvel_${VERSION}_*.deb in ${WORK}")
endif()

run("dpkg-deb -f" dpkg-deb -f ${deb} Depends)
set(needed libc6 libstdc\\+\\+6)
if(GUI)
  # libgmt6 for the map's drawing module.
  list(APPEND needed libqt6widgets6 fonts-liberation2 qt6-qpa-plugins libgmt6)
endif()
foreach(p IN LISTS needed)
  if(NOT out MATCHES "(^|, )${p}( |,|\n)")
    message(FATAL_ERROR "the package does not depend on ${p}: ${out}")
  endif()
endforeach()

run("dpkg -x" dpkg -x ${deb} ${WORK}/root)
run("the package's qvcode --version" ${WORK}/root/usr/bin/qvcode --version)
if(NOT out STREQUAL "qvcode (Quorvel) ${VERSION}\n")
  message(FATAL_ERROR "qvcode --version from the package: ${out}")
endif()
if(GUI)
  run("dpkg-deb -f Recommends" dpkg-deb -f ${deb} Recommends)
  if(NOT out MATCHES "gmt-gshhg-low")
    message(FATAL_ERROR "the package does not recommend the coastlines: ${out}")
  endif()
  run("the package's qvcode sweep --map" ${WORK}/root/usr/bin/qvcode sweep --lat-from 1 --lat-to 1 --lon-from 1
      --lon-to 1 --report ${WORK}/report.txt --map ${WORK}/map.png)
  run("the package's QVpruef --version" ${WORK}/root/usr/bin/QVpruef --version)
  if(NOT out STREQUAL "QVpruef (Quorvel) ${VERSION}\n")
    message(FATAL_ERROR "QVpruef --version from the package: ${out}")
  endif()
endif()
foreach(f usr/share/man/man1/qvcode.1.gz usr/include/quorvel/conversion.hpp usr/share/doc/quorvel/copyright
          usr/share/doc/quorvel/changelog.gz usr/share/bash-completion/completions/qvcode)
  if(NOT EXISTS ${WORK}/root/${f})
    message(FATAL_ERROR "the package lacks /${f}")
  endif()
endforeach()

# The Python module imports from the package, for Debian's python3.
if(EXISTS /usr/bin/python3 AND EXISTS ${BUILD}/python/quorvel.pyi)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env PYTHONPATH=${WORK}/root/usr/lib/python3/dist-packages
                  /usr/bin/python3 -c "import quorvel; print(quorvel.encode(50, 10).code)"
                  OUTPUT_VARIABLE code RESULT_VARIABLE failed ERROR_VARIABLE why)
  if(failed OR NOT code STREQUAL "m11:6.6 r236.8\n")
    message(FATAL_ERROR "the package's Python module: ${code}${why}")
  endif()
endif()

# No maintainer scripts: a module off the linker's path needs no ldconfig,
# and a postrm would leave the package in dpkg's state rc after a remove.
execute_process(COMMAND dpkg-deb --ctrl-tarfile ${deb} COMMAND tar -t OUTPUT_VARIABLE control RESULT_VARIABLE failed)
if(failed OR control MATCHES "(postinst|postrm|preinst|prerm|triggers)")
  message(FATAL_ERROR "the package has maintainer scripts or triggers: ${control}")
endif()

# Debian's own checks: no error.
find_program(LINTIAN lintian)
if(LINTIAN)
  execute_process(COMMAND ${LINTIAN} --tag-display-limit 0 ${deb} OUTPUT_VARIABLE tags ERROR_VARIABLE tags)
  if(tags MATCHES "(^|\n)E: ")
    message(FATAL_ERROR "lintian finds errors in the package:\n${tags}")
  endif()
  message(STATUS "lintian:\n${tags}")
endif()
