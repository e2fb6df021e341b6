# The installed program on Linux, and its Debian package:
#   bin/veldaris                       the launcher: the user's working folder, then the program
#   bin/veldaris-import                the importer, for a newer download of the open data
#   bin/veldaris-ort                   the search on the command line and the GEDCOM report
#   bin/veldaris-stammbaum             the window to check a family tree's places
#   libexec/veldaris/veldaris          the program
#   libexec/veldaris/wandlix-34        the converter, found beside the program
#   share/veldaris/orte-7sp.ort        the gazetteer, copied for each user on the first start
#   share/veldaris/orte-7sp.koordinaten  the coordinates of its places, copied beside it
#   share/veldaris/orte-7sp.monarchie    the places of the old monarchy abroad, for veldaris-ort
#   share/veldaris/orte-7sp.ortsteile    the former suburbs and parts of cities, for veldaris-ort
#   share/veldaris/orte-7sp.welt         the names of places elsewhere in the world, likewise
#   share/veldaris/orte-7sp.karte        the map of a tree's places: today's borders and 1910's
#   share/applications, share/metainfo, share/icons/hicolor, share/man/man1, share/doc/veldaris
include(GNUInstallDirs)
set(VELDARIS_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/veldaris)

set(VELDARIS_APP_ID invalid.veldaris.Veldaris)
set(LIBEXEC ${CMAKE_INSTALL_LIBEXECDIR})
set(DATADIR ${CMAKE_INSTALL_DATADIR})
configure_file(${PROJECT_SOURCE_DIR}/packaging/linux/veldaris.in ${CMAKE_BINARY_DIR}/packaging/veldaris @ONLY)

install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/veldaris DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS veldaris-import veldaris-ort veldaris-stammbaum RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS veldaris wandlix-34 RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/veldaris)
install(FILES ${VELDARIS_DATA_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/veldaris)
set(VELDARIS_TREE_APP_ID invalid.veldaris.Stammbaum)
foreach(app ${VELDARIS_APP_ID} ${VELDARIS_TREE_APP_ID})
  install(FILES packaging/linux/${app}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES packaging/linux/${app}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endforeach()
foreach(size 48 64 128 256)
  install(FILES resources/icons/${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${VELDARIS_APP_ID}.png)
  install(FILES resources/icons/stammbaum-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${VELDARIS_TREE_APP_ID}.png)
endforeach()
install(FILES resources/icon.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${VELDARIS_APP_ID}.svg)
install(FILES resources/stammbaum.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${VELDARIS_TREE_APP_ID}.svg)

# Manual pages (with the project's version) and the changelog go compressed, as Debian has
# them.
set(compressed ${CMAKE_BINARY_DIR}/packaging/compressed)
file(MAKE_DIRECTORY ${compressed})
foreach(page veldaris.1 veldaris-import.1 veldaris-ort.1 veldaris-stammbaum.1)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/linux/${page}.in ${CMAKE_BINARY_DIR}/packaging/${page} @ONLY)
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/packaging/linux/changelog ${CMAKE_BINARY_DIR}/packaging/changelog COPYONLY)
foreach(page veldaris.1 veldaris-import.1 veldaris-ort.1 veldaris-stammbaum.1 changelog)
  add_custom_command(OUTPUT ${compressed}/${page}.gz
    COMMAND gzip -9n -c ${CMAKE_BINARY_DIR}/packaging/${page} > ${compressed}/${page}.gz
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/${page})
  list(APPEND compressed_files ${compressed}/${page}.gz)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed_files})
install(FILES ${compressed}/veldaris.1.gz ${compressed}/veldaris-import.1.gz ${compressed}/veldaris-ort.1.gz
        ${compressed}/veldaris-stammbaum.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/linux/copyright LICENSE DESTINATION ${VELDARIS_DOCDIR})
install(FILES ${compressed}/changelog.gz DESTINATION ${VELDARIS_DOCDIR})
install(FILES packaging/linux/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME veldaris)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veldaris)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Arbeitsgruppe Veldaris <korrekturen@veldaris.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Austrian place names for genealogical research")
# CPack puts the summary in front of these lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Veldaris looks up the places of Austria by the beginning or an inner
part of their name, in one federal state or in all, and lists each with
its municipality, district and state. A click puts the place string on
the clipboard, umlauts written out, ready to paste into genealogy
software. The gazetteer of 18,957 places, made from open data of
GeoNames and Statistik Austria (CC BY 4.0), comes with it. The command
veldaris-ort searches on the command line, tolerant of old spellings,
and reports on the places of a GEDCOM family tree, in today's Austria
and among the places of the old monarchy abroad; the window Veldaris
Stammbaum does the same for people who never open a terminal: pick among
candidates, save a corrected copy.")
# Besides the libraries dpkg-shlibdeps finds: Qt's translations, which give the file dialogs
# and standard buttons the user's language.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://veldaris.invalid/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
