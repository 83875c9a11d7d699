# SPDX-License-Identifier: GPL-3.0-or-later
# Installing and packaging (docs/packaging.md): where `make install` and the Debian package put
# the program, its two libraries and its desktop files, and CPack's Debian generator for
# `make package`. Included before the targets, whose install rules use DUDODE_PRIVATE_LIBDIR
# and dudode_install_program.

# The two shared libraries serve this program alone, so they live in a private folder under the
# multiarch library folder (/usr/lib/x86_64-linux-gnu/dudode), not on the linker's path.
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(DUDODE_PRIVATE_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/dudode)
else()
  set(DUDODE_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/dudode)
endif()

# Installs one of the package's programs, which finds the libraries through a RUNPATH relative to
# itself, so an unpacked or relocated tree works as well as an installed one.
function(dudode_install_program target)
  file(RELATIVE_PATH to_libraries /${CMAKE_INSTALL_BINDIR} /${DUDODE_PRIVATE_LIBDIR})
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${to_libraries}")
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

if(WIN32)
  return()  # the Windows build installs no desktop files and makes no Debian package
endif()

# Files made from the sources at build time, in the normal build so CI builds nothing twice:
# the icon in the two bitmap sizes desktops look for first, and the compressed man pages and
# changelog (gzip -n: no name or time stamp inside, so the same sources give the same bytes).
find_program(DUDODE_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(DUDODE_GZIP gzip REQUIRED)
set(packaging_source ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_output ${PROJECT_BINARY_DIR}/packaging)
set(packaging_files)

set(icon_source ${PROJECT_SOURCE_DIR}/src/res/icons/dudode.svg)
foreach(size 48 256)
  set(icon_folder ${packaging_output}/icons/${size}x${size})
  add_custom_command(OUTPUT ${icon_folder}/dudode.png
    COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_folder}
    COMMAND ${DUDODE_RSVG_CONVERT} --width ${size} --height ${size}
            --output ${icon_folder}/dudode.png ${icon_source}
    DEPENDS ${icon_source} VERBATIM)
  list(APPEND packaging_files ${icon_folder}/dudode.png)
  install(FILES ${icon_folder}/dudode.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# dudode_gzip(SOURCE OUTPUT): OUTPUT (a path ending in .gz) is SOURCE compressed.
function(dudode_gzip source output)
  string(REGEX REPLACE "\\.gz$" "" plain ${output})
  get_filename_component(folder ${output} DIRECTORY)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
    COMMAND ${DUDODE_GZIP} -9nf ${plain}
    DEPENDS ${source} VERBATIM)
endfunction()

# Each program's man page in English and Japanese.
foreach(program dudode dudode-import)
  dudode_gzip(${packaging_source}/man/${program}.1 ${packaging_output}/man/man1/${program}.1.gz)
  dudode_gzip(${packaging_source}/man/${program}.ja.1
              ${packaging_output}/man/ja/man1/${program}.1.gz)
  list(APPEND packaging_files ${packaging_output}/man/man1/${program}.1.gz
       ${packaging_output}/man/ja/man1/${program}.1.gz)
  install(FILES ${packaging_output}/man/man1/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${packaging_output}/man/ja/man1/${program}.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1)
endforeach()
dudode_gzip(${packaging_source}/changelog ${packaging_output}/changelog.gz)
list(APPEND packaging_files ${packaging_output}/changelog.gz)
add_custom_target(dudode_packaging_files ALL DEPENDS ${packaging_files})
install(FILES ${packaging_source}/org.example.dudode.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The package's name, not the project's, names its documentation folder.
install(FILES ${packaging_source}/copyright ${packaging_output}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/dudode)

# The Debian package: dudode_<version>_<arch>.deb, with the dependencies dpkg-shlibdeps finds
# in the binaries plus the ones that nothing links: the fonts the window asks for by name, the
# image plugin that draws the SVG icons, and Qt's Japanese texts for its own dialogs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dudode)
set(CPACK_PACKAGE_VENDOR "DUDODE developers")
set(CPACK_PACKAGE_CONTACT "DUDODE developers <dudode@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "phone book for the ZEF-P1 caller-ID adapter")
set(CPACK_PACKAGE_DESCRIPTION
    "DUDODE keeps a phone book of up to 10,000 entries with names, kana readings,
addresses, FAX numbers, companies and e-mail addresses, shows it in a list
narrowed by a kana index, and keeps the list of the ZEF-P1 caller-ID adapter,
which sits on a serial port, in step with it. Its texts are Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-ipafont-mincho, fonts-ipafont-gothic, libqt6svg6, qt6-translations-l10n, mecab-ipadic-utf8")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
