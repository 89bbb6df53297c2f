# install.cmake: what `cmake --install` puts where (GNU install directories, any prefix),
# and the Debian package that `make package` builds from it with CPack.
#
#   bin/zavro                                        the program
#   share/zavroview/data/...                         the sample district, basemap, field list
#   share/applications/org.example.zavroview.desktop the desktop entry
#   share/metainfo/org.example.zavroview.metainfo.xml
#   share/icons/hicolor/SIZExSIZE/apps/zavroview.png the icons (tools/make_panel_bitmaps)
#   share/man/man1/zavro.1                           the manual page (.gz for Debian)
#   share/doc/zavroview/{copyright,changelog.Debian.gz}   with ZAVRO_DEBIAN_DOCS only
#
# The program finds its data as ../share/zavroview/data from its own folder
# (shell/user_data.h), so the prefix is free.
include(GNUInstallDirs)

option(ZAVRO_DEBIAN_DOCS "Install the Debian copyright and changelog and a compressed manual page" OFF)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(ZAVRO_SHARE ${CMAKE_INSTALL_DATADIR}/zavroview)

install(TARGETS zavro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/district.csv DESTINATION ${ZAVRO_SHARE}/data)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/beats DESTINATION ${ZAVRO_SHARE}/data
        FILES_MATCHING PATTERN "*.csv")
install(FILES ${CMAKE_SOURCE_DIR}/data/maps/basemap.bmp DESTINATION ${ZAVRO_SHARE}/data/maps)
install(FILES ${CMAKE_SOURCE_DIR}/data/ui/fields.ui DESTINATION ${ZAVRO_SHARE}/data/ui)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/org.example.zavroview.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/org.example.zavroview.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/icons/zavroview_${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME zavroview.png)
endforeach()

if(ZAVRO_DEBIAN_DOCS)
  # Debian wants these compressed with no time stamp in them, so the package is the same
  # from one build to the next
  set(debian_docs ${CMAKE_BINARY_DIR}/debian_docs)
  file(MAKE_DIRECTORY ${debian_docs})
  foreach(pair "packaging/debian/changelog:changelog.Debian.gz" "packaging/zavro.1:zavro.1.gz")
    string(REPLACE ":" ";" pair ${pair})
    list(GET pair 0 source)
    list(GET pair 1 target)
    add_custom_command(OUTPUT ${debian_docs}/${target}
                       COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/${source} > ${debian_docs}/${target}
                       DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
    list(APPEND debian_doc_files ${debian_docs}/${target})
  endforeach()
  add_custom_target(debian_docs ALL DEPENDS ${debian_doc_files})
  install(FILES ${debian_docs}/zavro.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/debian/copyright ${debian_docs}/changelog.Debian.gz
          DESTINATION ${CMAKE_INSTALL_DOCDIR})
else()
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/zavro.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# The Debian package: `make package` (a release build with no tests, in build-package/).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zavroview)
set(CPACK_PACKAGE_VERSION 1.0b)
set(CPACK_PACKAGE_VENDOR "ZAVROView team")
set(CPACK_PACKAGE_CONTACT "ZAVROView team <team@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer of a district's crime statistics on its map")
# lines of at most 80 characters, as Debian's control files want them
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "ZAVROView shows the monthly crime counts of a city district's police beats\n"
       "as columns standing on a map of the district, seen from above at an angle.\n"
       "Choose the crime types to count, play the months forward or step through\n"
       "them, pick a beat to read its report, export the values, save a snapshot of\n"
       "the view or print it.\n"
       "\n"
       "A sample district comes with the program. On its first start the program\n"
       "copies it into the user's data folder, ~/.local/share/zavroview, where the\n"
       "user's own districts can go beside it.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://example.org/zavroview)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # from the binary, by dpkg-shlibdeps
# Mesa's drivers: the libraries above load them at run time, so the binary cannot name them
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
