# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the manifest of the shipped data files, the version the program compares each working
# folder's copies with on the first start after an upgrade: one "<sha256>  <path>" line per file,
# as sha256sum writes it (so `sha256sum -c` checks an installation against it).
# Usage: cmake -DDATA=<data folder> -DOUTPUT=<manifest file> -P shipped-manifest.cmake
file(GLOB_RECURSE files RELATIVE "${DATA}" "${DATA}/*")
list(SORT files)
get_filename_component(manifest_name "${OUTPUT}" NAME)
set(text "")
foreach(file IN LISTS files)
  if(NOT file STREQUAL manifest_name)
    file(SHA256 "${DATA}/${file}" hash)
    string(APPEND text "${hash}  ${file}\n")
  endif()
endforeach()
# Written whole or not at all: a build stopped half-way leaves no short list behind.
file(WRITE "${OUTPUT}.part" "${text}")
file(RENAME "${OUTPUT}.part" "${OUTPUT}")
