# apt-get installs each Debian package on its own (quorvel-map with the
# quorvel it depends on), its programs run from where it put them, and
# apt-get purge takes it away again: dpkg forgets it and no file or folder of
# its own is left.  As root only, and only where none of them is installed
# already: the test must not take away the machine's own.
# -DWORK=<the folder packaging.deb built them in> -DVERSION=<x.y.z>
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT uid STREQUAL "0")
  message("packaging.aptInstall skipped: installing packages needs root")
  return()
endif()

file(GLOB debs ${WORK}/*_${VERSION}_*.deb)
set(packages)
foreach(deb IN LISTS debs)
  get_filename_component(name ${deb} NAME)
  string(REGEX REPLACE "_.*" "" p ${name})
  list(APPEND packages ${p})
  set(deb_${p} ${deb})
endforeach()
if(NOT quorvel IN_LIST packages)
  message(FATAL_ERROR "no package quorvel_${VERSION}_*.deb in ${WORK}")
endif()

# One such test at a time on the machine, whichever build tree it runs from.
file(LOCK /tmp/quorvel-apt-test.lock GUARD PROCESS TIMEOUT 1800 RESULT_VARIABLE locked)
if(locked)
  message(FATAL_ERROR "another packaging.aptInstall holds /tmp/quorvel-apt-test.lock: ${locked}")
endif()

# dpkg's state of a package: "ii " installed, "rc " its configuration left,
# empty when dpkg does not know it.
function(package_state p var)
  execute_process(COMMAND dpkg-query -W "-f=\${db:Status-Abbrev}" ${p} OUTPUT_VARIABLE state ERROR_QUIET)
  set(${var} "${state}" PARENT_SCOPE)
endfunction()
foreach(p IN LISTS packages)
  package_state(${p} state)
  if(state MATCHES "^.[^n]")
    message("packaging.aptInstall skipped: ${p} is installed on this machine (${state}), and the test would remove it")
    return()
  endif()
endforeach()

set(apt_get ${CMAKE_COMMAND} -E env DEBIAN_FRONTEND=noninteractive apt-get -y -q --no-install-recommends
    -o DPkg::Lock::Timeout=600)
set(faults)
# check(WHAT EXPECTED_OUTPUT COMMAND...): a fault unless the command succeeds
# and, where EXPECTED_OUTPUT is not "-", prints exactly that.
function(check what expected)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR (NOT expected STREQUAL "-" AND NOT out STREQUAL expected))
    set(faults "${faults}\n${what} (${status}): ${out}${err}" PARENT_SCOPE)
  endif()
endfunction()

# package → a command of it that must run once it is installed, and what it prints.
set(run_quorvel "m11:6.6 r236.8\n" /usr/bin/qvcode encode 50 10)
set(run_quorvel-map "-" /usr/bin/qvcode sweep --lat-from 1 --lat-to 1 --lon-from 1 --lon-to 1
    --report ${WORK}/apt-report.txt --map ${WORK}/apt-map.png)
set(run_qvpruef "QVpruef (Quorvel) ${VERSION}\n" /usr/bin/QVpruef --version)
set(run_python3-quorvel "m11:6.6 r236.8\n" /usr/bin/python3 -c "import quorvel\nprint(quorvel.encode(50, 10).code)")
file(WRITE ${WORK}/apt-point.geojson [=[{"type":"FeatureCollection","features":[{"type":"Feature","properties":{"id":1},"geometry":{"type":"Point","coordinates":[10,50]}}]}]=])
file(REMOVE ${WORK}/apt-coded.geojson)
set(run_quorvel-gis "-" /usr/bin/qvcode encode --layer ${WORK}/apt-point.geojson --output-layer ${WORK}/apt-coded.geojson)

foreach(p IN LISTS packages)
  set(names ${p})
  if(p STREQUAL "quorvel-map" OR p STREQUAL "quorvel-gis")
    set(names quorvel ${p})
  endif()
  set(files)
  foreach(n IN LISTS names)
    list(APPEND files ${deb_${n}})
  endforeach()
  message(STATUS "apt-get install ${names}")
  check("apt-get install ${names}" - ${apt_get} install ${files})
  set(paths)
  foreach(n IN LISTS names)
    package_state(${n} state)
    if(NOT state STREQUAL "ii ")
      string(APPEND faults "\n${n} is not installed after apt-get install: '${state}'")
    endif()
    execute_process(COMMAND dpkg-query -L ${n} OUTPUT_VARIABLE listed ERROR_QUIET)
    string(REGEX MATCHALL "/[^\n]+" listed "${listed}")
    list(REMOVE_ITEM listed /.)
    list(APPEND paths ${listed})
  endforeach()
  foreach(path IN LISTS paths)
    if(NOT EXISTS ${path})
      string(APPEND faults "\n${p}: ${path} is listed but not installed")
    endif()
  endforeach()
  if(DEFINED run_${p})
    check("${p}: ${run_${p}}" ${run_${p}})
  endif()

  check("apt-get purge ${names}" - ${apt_get} purge ${names})
  foreach(n IN LISTS names)
    package_state(${n} state)
    if(state AND NOT state MATCHES "^.n")
      string(APPEND faults "\n${n} is still known to dpkg after apt-get purge: '${state}'")
    endif()
  endforeach()
  # Left behind: a file of the package, or a folder that no other package
  # holds.
  foreach(path IN LISTS paths)
    if(EXISTS ${path} OR IS_SYMLINK ${path})
      execute_process(COMMAND dpkg-query -S ${path} RESULT_VARIABLE unowned OUTPUT_QUIET ERROR_QUIET)
      if(unowned OR NOT IS_DIRECTORY ${path})
        string(APPEND faults "\n${p}: ${path} is left after apt-get purge")
      endif()
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "installing and purging the packages:${faults}")
endif()
