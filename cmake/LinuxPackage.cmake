# The Linux program's installation (cmake --install, scripts/install-linux) and its Debian
# package: `cpack` in the build folder writes quiklex_<version>_amd64.deb.
include(GNUInstallDirs)

set(QLX_LINUX_RES ${CMAKE_SOURCE_DIR}/src/res/linux)
set(QLX_LINUX_OUT ${CMAKE_BINARY_DIR}/linux)
set(QLX_APP_ID dk.lemmary.Quiklex)

# The Debian changelog's newest entry names the version being packaged.
file(STRINGS ${QLX_LINUX_RES}/changelog QLX_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT QLX_CHANGELOG_TOP MATCHES "^quiklex \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "src/res/linux/changelog has no entry for ${PROJECT_VERSION} at its top")
endif()

configure_file(${QLX_LINUX_RES}/${QLX_APP_ID}.metainfo.xml ${QLX_LINUX_OUT}/${QLX_APP_ID}.metainfo.xml
               @ONLY)
configure_file(${QLX_LINUX_RES}/quiklex.1 ${QLX_LINUX_OUT}/quiklex.1 @ONLY)
# Debian wants manual pages and changelogs compressed at the highest level, without a time
# stamp (so that the same sources give the same package).
foreach(doc quiklex.1 changelog)
  if(doc STREQUAL "changelog")
    set(source ${QLX_LINUX_RES}/changelog)
  else()
    set(source ${QLX_LINUX_OUT}/${doc})
  endif()
  add_custom_command(OUTPUT ${QLX_LINUX_OUT}/${doc}.gz
                     COMMAND gzip -9nc ${source} > ${QLX_LINUX_OUT}/${doc}.gz
                     DEPENDS ${source} VERBATIM)
endforeach()
add_custom_target(quiklex_linux_docs ALL DEPENDS ${QLX_LINUX_OUT}/quiklex.1.gz
                                                 ${QLX_LINUX_OUT}/changelog.gz)

# Installed folders are 0755 whatever the builder's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS quiklex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${QLX_LINUX_RES}/${QLX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QLX_LINUX_OUT}/${QLX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${QLX_LINUX_RES}/hicolor/${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${QLX_APP_ID}.png)
endforeach()
install(FILES ${QLX_LINUX_RES}/${QLX_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${QLX_LINUX_OUT}/quiklex.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${QLX_LINUX_RES}/copyright ${QLX_LINUX_OUT}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quiklex)
# The bus starts the program from where it is installed: the prefix is known only when
# installing (the package's /usr, a user's ~/.local).
install(CODE "
  set(QLX_SERVICE_EXEC \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quiklex\")
  set(service \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/dbus-1/services/${QLX_APP_ID}.service\")
  message(STATUS \"Installing: \${service}\")
  configure_file(\"${QLX_LINUX_RES}/${QLX_APP_ID}.service.in\" \"\${service}\" @ONLY)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${service}\")")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quiklex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(QLX_PACKAGE_MAINTAINER "Quiklex <quiklex@lemmary.dk>" CACHE STRING
    "The Debian package's maintainer (name <address>)")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QLX_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.lemmary.dk/#anvendelse/quiklex/")
# The desktop's web-address opener, and a session bus that starts the program for a lookup.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, dbus-user-session | dbus-x11")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "look words up in the Danish dictionary")
# CPack puts the summary first and indents these lines as the control file wants them.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quiklex is a small panel that floats above the other windows and looks words
up in Lemmary's Danish dictionary: copy or select a word and press the
shortcut, drag text onto the panel, or click its button, and the dictionary's
page opens in the web browser. Other programs can send text to look up over
D-Bus; a call starts the program when it is not running.

The program's texts are Danish.")
include(CPack)
