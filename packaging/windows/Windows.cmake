# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build (cross-built with MinGW-w64, see scripts/setup-windows.sh). The programs and the
# modules are built into one folder, bin/, with the toolkit's DLLs and plugins copied beside them:
# the build folder then holds the program as it is installed, and modules are found where an
# installed program finds them, beside the program. packaging/windows/make-installer.sh turns that
# into the installer.
set(gnomora_windows ${CMAKE_CURRENT_LIST_DIR})

# A window program: no console window opens beside it. The icon and the version come from a
# resource script.
set(GNOMORA_WINDOWS_ICON ${gnomora_windows}/gnomora.ico)
set(GNOMORA_WINDOWS_MANIFEST ${CMAKE_BINARY_DIR}/packaging/gnomora.manifest)
configure_file(${gnomora_windows}/gnomora.manifest.in ${GNOMORA_WINDOWS_MANIFEST} @ONLY)
configure_file(${gnomora_windows}/gnomora.rc.in ${CMAKE_BINARY_DIR}/packaging/gnomora.rc @ONLY)
set_target_properties(gnomora PROPERTIES WIN32_EXECUTABLE ON)
target_sources(gnomora PRIVATE ${CMAKE_BINARY_DIR}/packaging/gnomora.rc)

# The modules are gnomora-<name>.dll beside the program; each exports only the two functions through
# which the toolkit reads its plugin data and makes its root object, and carries the version as
# the program does.
set(gnomora_module_description_print "printing")
set(gnomora_module_description_jpeg "JPEG pictures")
foreach(module print jpeg)
  set_target_properties(gnomora_${module}_module PROPERTIES
    PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  set(GNOMORA_MODULE ${module})
  set(GNOMORA_MODULE_DESCRIPTION ${gnomora_module_description_${module}})
  configure_file(${gnomora_windows}/gnomora-module.rc.in ${CMAKE_BINARY_DIR}/packaging/gnomora-${module}.rc @ONLY)
  target_sources(gnomora_${module}_module PRIVATE ${gnomora_windows}/gnomora-${module}.def
                                                  ${CMAKE_BINARY_DIR}/packaging/gnomora-${module}.rc)
endforeach()

# The toolkit's DLLs, its plugins and the compiler's runtime beside the program and the modules
# (also the headless platforms the tests use), and data\, which fills the user's working folder,
# with the manifest of its files' hashes.
set(gnomora_deploy ${QT_MINGW_PREFIX}/bin/deploy-qt-mingw.sh)
set(gnomora_plugins "platforms/qwindows.dll platforms/qminimal.dll platforms/qoffscreen.dll \
styles/qwindowsvistastyle.dll imageformats/qgif.dll imageformats/qico.dll")
file(GLOB_RECURSE gnomora_data CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/bin/deployed.stamp
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data ${CMAKE_BINARY_DIR}/bin/data
  COMMAND ${CMAKE_COMMAND} -DDATA=${CMAKE_SOURCE_DIR}/data -DOUTPUT=${CMAKE_BINARY_DIR}/bin/data/.gnomora-files.sha256
          -P ${CMAKE_SOURCE_DIR}/packaging/shipped-manifest.cmake
  COMMAND sh -c "QT_DEPLOY_PLUGINS=\"$3\" \"$1\" \"$2\" && QT_DEPLOY_PLUGINS= \"$1\" \"$4\" && touch \"$5\""
          sh ${gnomora_deploy} $<TARGET_FILE:gnomora> ${gnomora_plugins} $<TARGET_FILE:gnomora_print_module>
          ${CMAKE_BINARY_DIR}/bin/deployed.stamp
  DEPENDS gnomora gnomora_print_module gnomora_jpeg_module ${gnomora_data}
          ${CMAKE_SOURCE_DIR}/packaging/shipped-manifest.cmake VERBATIM)
add_custom_target(gnomora_windows_runtime ALL DEPENDS ${CMAKE_BINARY_DIR}/bin/deployed.stamp)


# The toolkit's own texts (message-box buttons, the print preview) in the class's language, from
# Debian's Qt translations, which serve Windows as well; qt.conf tells the toolkit where they are.
foreach(language pl de uk en)
  file(COPY /usr/share/qt6/translations/qtbase_${language}.qm DESTINATION ${CMAKE_BINARY_DIR}/bin/translations)
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/bin/qt.conf "[Paths]\r\nPrefix = .\r\nTranslations = translations\r\n")
