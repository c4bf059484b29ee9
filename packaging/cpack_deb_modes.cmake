# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack once it has packed. It gives the .deb's three members the modes of its temporary
# files, that is of the packer's umask; every member is made 0644, as dpkg-deb makes them, by
# rewriting the mode field (bytes 40 to 47 of each 60-byte ar member header) in place.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  file(SIZE ${package} end)
  set(offset 8)  # after the "!<arch>\n" magic
  while(offset LESS end)
    file(READ ${package} header OFFSET ${offset} LIMIT 60)
    string(SUBSTRING "${header}" 48 10 size)
    string(STRIP "${size}" size)
    math(EXPR mode_field "${offset} + 40")
    execute_process(COMMAND printf "100644  "
                    COMMAND dd of=${package} bs=1 seek=${mode_field} conv=notrunc status=none
                    COMMAND_ERROR_IS_FATAL ANY)
    math(EXPR offset "${offset} + 60 + ${size} + ${size} % 2")
  endwhile()
endforeach()
