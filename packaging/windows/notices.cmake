# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the notices of the third-party code the program carries, from its link's map, so that
# nothing the linker left out is listed: for each member taken from the static Qt's archives, Qt
# and the bundled code that member was compiled from (the index the Qt build left beside it);
# for each archive or object taken from the MinGW-w64 toolchain, the copyright file of the
# Debian package that installed it.
#   cmake -DMAP=x.map -DQT=qt-prefix -DPROGRAM=name -DVERSION=v -DOUT=notices.txt -P notices.cmake
cmake_minimum_required(VERSION 3.25)
set(attributions ${QT}/attributions)
file(REAL_PATH ${QT} QT)

# "archive member" for each archive member the linker took; "object path" for each object file.
execute_process(COMMAND sed -n -e "s|^\\(/[^ (]*\\.a\\)(\\([^)]*\\)).*|\\1 \\2|p"
                               -e "s|^LOAD \\(/.*\\.o\\)$|\\1|p" ${MAP}
  OUTPUT_VARIABLE taken COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\n" ";" taken "${taken}")
list(FILTER taken EXCLUDE REGEX "^$")
list(REMOVE_DUPLICATES taken)

file(STRINGS ${attributions}/objects.txt index)
foreach(line IN LISTS index)
  string(REPLACE " " ";" words "${line}")
  list(POP_FRONT words archive member)
  set(owes_${archive}_${member} ${words})
endforeach()

set(ids "")
set(toolchain_files "")
foreach(entry IN LISTS taken)
  string(REPLACE " " ";" entry "${entry}")
  list(GET entry 0 file)
  cmake_path(NORMAL_PATH file)  # dpkg knows the toolchain's files by these names
  file(REAL_PATH ${file} real)
  if(real MATCHES "^${QT}/")
    list(GET entry 1 member)
    get_filename_component(archive ${file} NAME)
    list(APPEND ids qt ${owes_${archive}_${member}})
  else()
    list(APPEND toolchain_files ${file})
  endif()
endforeach()
list(REMOVE_DUPLICATES toolchain_files)
list(FIND ids qt qt_taken)
list(REMOVE_ITEM ids qt)
list(REMOVE_DUPLICATES ids)
list(SORT ids)
if(qt_taken GREATER -1)
  list(PREPEND ids qt)  # Qt first, then what it bundles
endif()

# The toolchain's files by the Debian package they came from; one copyright text each.
set(packages "")
foreach(file IN LISTS toolchain_files)
  execute_process(COMMAND dpkg-query -S ${file} OUTPUT_VARIABLE owner COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX REPLACE ":.*" "" package "${owner}")
  get_filename_component(name ${file} NAME)
  list(APPEND files_${package} ${name})
  list(APPEND packages ${package})
endforeach()
list(REMOVE_DUPLICATES packages)
list(SORT packages)

set(contents "")
set(texts "")
set(rule "\n\n================================================================================\n")
foreach(id IN LISTS ids)
  file(READ ${attributions}/${id}.txt text)
  string(REGEX MATCH "^[^\n]*" title "${text}")
  string(APPEND contents "  ${title}\n")
  string(APPEND texts "${rule}${text}")
endforeach()
set(copyrights_seen "")
foreach(package IN LISTS packages)
  execute_process(COMMAND dpkg-query -W -f=\${Version} ${package}
    OUTPUT_VARIABLE version COMMAND_ERROR_IS_FATAL ANY)
  list(SORT files_${package})
  list(REMOVE_DUPLICATES files_${package})
  list(JOIN files_${package} ", " names)
  set(title "Debian package ${package} ${version}: ${names}")
  string(APPEND contents "  ${title}\n")
  file(REAL_PATH /usr/share/doc/${package}/copyright copyright)
  file(SHA256 ${copyright} sum)
  if(sum IN_LIST copyrights_seen)
    string(APPEND texts "${rule}${title}\nThe same copyright file as the package above with it.\n")
  else()
    list(APPEND copyrights_seen ${sum})
    file(READ ${copyright} text)
    string(APPEND texts "${rule}${title}\n\n${text}")
  endif()
endforeach()

file(WRITE ${OUT} "${PROGRAM} ${VERSION}: the third-party code in ${PROGRAM}.exe
${PROGRAM}.exe 所含第三方代码的版权声明与许可

${PROGRAM}.exe carries, linked into it, the code listed here and nothing else of others':
what the linker took from the static Qt it was built with and from the MinGW-w64 toolchain of
Debian. Each part's copyright and licence follow, with the licence's full text.
${PROGRAM}.exe 静态链接了下列第三方代码，各部分的版权声明和许可证全文见下。

${contents}${texts}")
