# Installs one manual page, run at install time (install(CODE) in
# packaging/CMakeLists.txt): the page names the documentation as the source
# tree holds it, "(docs/PAGE.md)", and the installed page names it where this
# install puts it, under its own prefix, so the same rule serves
# `cmake --install --prefix ~/.local` and the Debian packages under /usr.
# Compressed with gzip -9n, as Debian's policy wants manual pages.
#
# Set before including: QV_MAN_PAGE (the page as built), QV_MAN_DIR (its folder
# under the prefix, share/man/man1), QV_DOC_DIR (the docs' folder under the
# prefix, share/doc/quorvel), QV_SCRATCH (a folder of the build tree).

get_filename_component(name ${QV_MAN_PAGE} NAME)
# roff takes a plain '-' as a hyphen, which man may break a path at.
string(REPLACE "-" "\\-" docs "${CMAKE_INSTALL_PREFIX}/${QV_DOC_DIR}/")
file(READ ${QV_MAN_PAGE} page)
string(REPLACE "(docs/" "(${docs}" page "${page}")
# One folder per destination: two installs from one build tree at once (the
# packaging tests) must not write each other's page.
string(MD5 key "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(work ${QV_SCRATCH}/${key})
file(WRITE ${work}/${name} "${page}")
execute_process(COMMAND gzip -9nf ${work}/${name} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "gzip could not compress ${work}/${name}")
endif()
file(INSTALL DESTINATION ${CMAKE_INSTALL_PREFIX}/${QV_MAN_DIR} TYPE FILE FILES ${work}/${name}.gz
     PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
