# SPDX-License-Identifier: GPL-3.0-or-later
# Run once a static Qt is built: what each of its objects owes to the third-party code Qt bundles.
# Qt's own attributions scanner reads every qt_attribution.json of the source; the compiler's
# dependency records (ninja -t deps) say which files each object was compiled from, the archives'
# build rules which archive holds it. Leaves in OUT:
#   objects.txt   "archive member id..." for each object built from attributed code
#   <id>.txt      the notice of that code: name, version, copyright, licence and its text
#   qt.txt        the notice of Qt itself
#   cmake -DSOURCE=qt-source -DBUILD=qt-build -DOUT=dir -P qt_attributions.cmake
cmake_minimum_required(VERSION 3.25)
file(REAL_PATH ${SOURCE} SOURCE)  # as the compiler's records name it
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND /usr/lib/qt6/libexec/qtattributionsscanner --silent --output-format json
                        -o ${OUT}/scanned.json ${SOURCE}/src COMMAND_ERROR_IS_FATAL ANY)
file(READ ${OUT}/scanned.json scanned)
string(JSON count LENGTH "${scanned}")
math(EXPR last "${count} - 1")

# "id path" for each file or directory an attribution covers: its Files, or all of its Path.
set(covers "")
foreach(i RANGE ${last})
  foreach(key Id Name Version Homepage Copyright License LicenseId LicenseFile Path Files)
    string(JSON ${key} ERROR_VARIABLE absent GET "${scanned}" ${i} ${key})
    if(absent)
      set(${key} "")
    endif()
  endforeach()
  string(JSON parts GET "${scanned}" ${i} QtParts)
  if(NOT parts MATCHES "\"libs\"")
    continue()  # code of Qt's tools, tests or examples: never in a program
  endif()
  string(REGEX REPLACE "[ ,]+" ";" Files "${Files}")
  if(Files)
    foreach(file IN LISTS Files)
      string(APPEND covers "${Id} ${Path}/${file}\n")
    endforeach()
  else()
    string(APPEND covers "${Id} ${Path}\n")
  endif()
  set(text "${Name}")
  foreach(field Version Homepage)
    if(${field})
      string(APPEND text ", ${field} ${${field}}")
    endif()
  endforeach()
  string(APPEND text "\n${Copyright}\nLicence: ${License}")
  if(LicenseId)
    string(APPEND text " (${LicenseId})")
  endif()
  string(APPEND text "\n")
  if(LicenseFile)
    file(READ ${LicenseFile} licence)
    string(APPEND text "\n${licence}")
  endif()
  file(WRITE ${OUT}/${Id}.txt "${text}")
endforeach()
file(WRITE ${OUT}/covers.txt "${covers}")

# Qt itself, under the LGPL 3 of its choices (the GPL 3 is the program's own LICENSE).
file(STRINGS ${SOURCE}/.cmake.conf version REGEX "^set\\(QT_REPO_MODULE_VERSION ")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" version "${version}")
file(READ ${SOURCE}/LICENSES/LGPL-3.0-only.txt licence)
file(WRITE ${OUT}/qt.txt "Qt ${version} (qtbase), Homepage https://www.qt.io/
Copyright (C) The Qt Company Ltd. and other contributors.
Licence: GNU Lesser General Public License v3.0 only (LGPL-3.0-only), or the GPL 2 or 3

${licence}")

execute_process(COMMAND ninja -C ${BUILD} -t deps OUTPUT_FILE ${OUT}/deps.txt COMMAND_ERROR_IS_FATAL ANY)
# Ids an object owes: a dependency is the covered path or lies under it.
execute_process(COMMAND awk "
    FILENAME == ARGV[1] { id[++n] = $1; path[n] = $2; next }
    FILENAME == ARGV[2] && /^[^ ]/ { object = $1; sub(/:$/, \"\", object); next }
    FILENAME == ARGV[2] {
        for (i = 1; i <= n; ++i)
            if (index($1, path[i]) == 1 &&
                (length($1) == length(path[i]) || substr($1, length(path[i]) + 1, 1) == \"/\") &&
                !((object, id[i]) in seen)) {
                seen[object, id[i]] = 1
                owes[object] = owes[object] \" \" id[i]
            }
        next
    }
    /^build [^:]*\\.a: [A-Z_]*STATIC_LIBRARY_LINKER/ {
        archive = $2; sub(/:$/, \"\", archive); sub(/.*\\//, \"\", archive)
        for (i = 4; i <= NF && $i != \"|\" && $i != \"||\"; ++i)
            if ($i in owes) { member = $i; sub(/.*\\//, \"\", member); print archive, member owes[$i] }
    }" ${OUT}/covers.txt ${OUT}/deps.txt ${BUILD}/build.ninja
  OUTPUT_FILE ${OUT}/objects.txt COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${OUT}/scanned.json ${OUT}/covers.txt ${OUT}/deps.txt)
