# The Debian packages (six, and quorvel-gis where GDAL was found) that CPack builds from the install components of
# packaging/CMakeLists.txt, one package a component: their names, sections,
# descriptions and the dependencies that dpkg-shlibdeps cannot see.  The
# shared libraries each package's programs link (Qt, GMT, the C++ runtime)
# it finds by itself.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING IGNORE)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR Quorvel)
set(CPACK_PACKAGE_CONTACT "${QV_PACKAGE_CONTACT}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# A component's DEPENDS becomes "package (= version)".
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

# qv_debian_package(COMPONENT NAME SECTION SUMMARY DESCRIPTION): the
# package of one component.
function(qv_debian_package component name section summary description)
  string(TOUPPER ${component} c)
  set(CPACK_DEBIAN_${c}_PACKAGE_NAME ${name} PARENT_SCOPE)
  set(CPACK_DEBIAN_${c}_PACKAGE_SECTION ${section} PARENT_SCOPE)
  set(CPACK_DEBIAN_${c}_DESCRIPTION "${summary}\n${description}" PARENT_SCOPE)
endfunction()

qv_debian_package(tool quorvel science "position codes seen from one point: the converter qvcode"
  "qvcode converts positions to Quorvel codes and back, one at a time or as a
filter of files, and runs the round-trip sweep of a latitude/longitude grid
on every core or in shards.  A Quorvel code gives a point's great-circle
distance from 48°8′13″ N, 11°34′31″ E, the clock hour of its bearing and
its offset from that hour's ray.  The map of a sweep is in quorvel-map.")
set(CPACK_DEBIAN_TOOL_PACKAGE_SUGGESTS "quorvel-map, quorvel-gis, quorvel-doc")

qv_debian_package(map quorvel-map science "map module of qvcode: where a sweep's round trip fails"
  "qvcode sweep --map draws the points of a sweep whose round trip fails on a
map centred on the reference point, with coastlines from GSHHG through GMT.")
set(CPACK_COMPONENT_MAP_DEPENDS tool)
# GMT needs its own data to start; without the coastlines the map has its
# graticule alone.
set(CPACK_DEBIAN_MAP_PACKAGE_RECOMMENDS "gmt-common, gmt-gshhg-low")

qv_debian_package(gis quorvel-gis science "GIS module of qvcode: codes of the points of GDAL layers"
  "qvcode encode --layer and decode --layer read the points of any vector format
GDAL opens (GeoPackage, Shapefile, GeoJSON, FlatGeobuf, CSV), take them to
WGS 84 degrees, and write every feature with its fields and geometry and the
code's fields added.")
set(CPACK_COMPONENT_GIS_DEPENDS tool)

qv_debian_package(qvpruef qvpruef science "round-trip test window of the Quorvel position code"
  "QVpruef sweeps a latitude/longitude grid through the Quorvel code and back in
a Qt window, judges each round trip against a tolerance and writes the cases
that miss, or all of them, to a report file.")
# The window maps its design face to Liberation Sans and needs Qt's platform
# plugins to open on a display: loaded at run time, unseen by dpkg-shlibdeps.
set(CPACK_DEBIAN_QVPRUEF_PACKAGE_DEPENDS "fonts-liberation2, qt6-qpa-plugins")
set(CPACK_DEBIAN_QVPRUEF_PACKAGE_SUGGESTS "quorvel-doc")

qv_debian_package(python python3-quorvel python "Quorvel position codes for Python 3"
  "The module quorvel converts one position to its Quorvel code and back, or
whole numpy arrays of them, with the conversion of qvcode.")
# Built for one python3's ABI; encode_array returns numpy arrays.
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "${QV_PYTHON_DEPENDS}")

qv_debian_package(dev libquorvel-dev libdevel "Quorvel position code conversion for C++ programs"
  "The static library of the Quorvel conversion, its public headers under
quorvel/ and the CMake package Quorvel: find_package(Quorvel) and link
Quorvel::conversion.  C++20.")

qv_debian_package(doc quorvel-doc doc "documentation of the Quorvel position codes"
  "The pages of qvcode, the test window, the sweep and its report, the
conversion in C++ and Python and how it computes, with their pictures, in
Markdown under /usr/share/doc/quorvel, where the manual pages point.")
set(CPACK_DEBIAN_DOC_PACKAGE_ARCHITECTURE all)

include(CPack)
