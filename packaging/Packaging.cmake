# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts beside bin/gnomora, and the Debian package built from it:
#   bin/gnomora-launcher                         fills the user's working folder, starts the program there
#   lib/gnomora/modules/libgnomora-{print,jpeg}.so   print support and JPEG decoding, loaded on first use
#                                                (installed by src/print and src/platform/jpeg)
#   share/gnomora/                               language files, sample configuration and pictures (data/),
#                                                and .gnomora-files.sha256, their manifest
#   share/applications/gnomora.desktop           the desktop menu entry (English and Polish)
#   share/icons/hicolor/<size>/apps/gnomora.*    the icon, 16 to 256 pixels and scalable
#   share/metainfo/org.gnomora.gnomora.metainfo.xml   what software centres show (AppStream)
#   share/man/man1/gnomora{,-launcher}.1.gz      the manual pages
#   share/doc/gnomora/{copyright,changelog.gz}   licences of the program and its pictures; the changelog
# Package:  cmake -S . -B build-pkg -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
#           cmake --build build-pkg && (cd build-pkg && cpack -G DEB)
# tests/packaging/check_package.py builds the package and checks it with lintian.
set(gnomora_packaging ${CMAKE_CURRENT_LIST_DIR})

install(PROGRAMS ${gnomora_packaging}/gnomora-launcher DESTINATION bin)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION share/gnomora)
# The shipped files' hashes beside them: the launcher's program brings each working folder's
# untouched copies up to a new release by them.
set(gnomora_manifest ${CMAKE_BINARY_DIR}/packaging/.gnomora-files.sha256)
file(GLOB_RECURSE gnomora_data_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*)
add_custom_command(OUTPUT ${gnomora_manifest}
                   COMMAND ${CMAKE_COMMAND} -DDATA=${CMAKE_SOURCE_DIR}/data -DOUTPUT=${gnomora_manifest}
                           -P ${gnomora_packaging}/shipped-manifest.cmake
                   DEPENDS ${gnomora_data_files} ${gnomora_packaging}/shipped-manifest.cmake VERBATIM)
install(FILES ${gnomora_manifest} DESTINATION share/gnomora)
install(FILES ${gnomora_packaging}/gnomora.desktop DESTINATION share/applications)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${gnomora_packaging}/icons/gnomora-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME gnomora.png)
endforeach()
install(FILES ${gnomora_packaging}/icons/gnomora.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${gnomora_packaging}/org.gnomora.gnomora.metainfo.xml DESTINATION share/metainfo)
install(FILES ${gnomora_packaging}/copyright DESTINATION share/doc/gnomora)

# Manual pages and the changelog are installed compressed, without a time stamp, as Debian's
# policy asks. The version comes from the project, so that `gnomora --version` and the pages agree.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(gnomora_compressed ${CMAKE_BINARY_DIR}/packaging)
configure_file(${gnomora_packaging}/changelog ${gnomora_compressed}/changelog COPYONLY)
set(gnomora_compressed_files)
foreach(page gnomora gnomora-launcher)
  configure_file(${gnomora_packaging}/man/${page}.1.in ${gnomora_compressed}/${page}.1 @ONLY)
endforeach()
foreach(file gnomora.1 gnomora-launcher.1 changelog)
  add_custom_command(OUTPUT ${gnomora_compressed}/${file}.gz
                     COMMAND ${GZIP_EXECUTABLE} -9 -n -k -f ${gnomora_compressed}/${file}
                     DEPENDS ${gnomora_compressed}/${file} VERBATIM)
  list(APPEND gnomora_compressed_files ${gnomora_compressed}/${file}.gz)
endforeach()
add_custom_target(gnomora_packaging_files ALL DEPENDS ${gnomora_compressed_files} ${gnomora_manifest})
install(FILES ${gnomora_compressed}/gnomora.1.gz ${gnomora_compressed}/gnomora-launcher.1.gz
        DESTINATION share/man/man1)
install(FILES ${gnomora_compressed}/changelog.gz DESTINATION share/doc/gnomora)

set(CPACK_PACKAGE_NAME gnomora)
set(CPACK_PACKAGE_VENDOR "Gnomora")
set(CPACK_PACKAGE_CONTACT "Gnomora developers <developers@gnomora.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "measuring the Earth's circumference with a shadow stick at two schools")
# Debian shows the long description as its lines are given, so each stays under 80 columns.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "At two schools, on the same day, pupils plant a vertical stick and measure"
  "it and its shadow. Gnomora works out the sun's elevation and the latitude of"
  "each place, the sun's elevation at true noon and, from the distance between"
  "the schools, the Earth's circumference. It draws the shadow scene and a"
  "cross-section of the Earth and prints a result sheet with the pupils' names."
  "Texts in Polish, English, German and Ukrainian; a teacher can add a language.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://gnomora.org/")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# Library packages (Qt 6, libjpeg62-turbo, libc) come from dpkg-shlibdeps on the program and its modules;
# the X11 platform plugin ships with libqt6gui6 and CUPS printing with libqt6printsupport6.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit's own texts (message-box buttons, the print preview) in the class's language.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
# The windows name Tahoma and Verdana; fontconfig puts DejaVu Sans in their place.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups, printer-driver-cups-pdf")
include(CPack)
