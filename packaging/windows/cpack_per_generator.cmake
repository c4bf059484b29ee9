# SPDX-License-Identifier: GPL-3.0-or-later
# Read by CPack for each generator. Members' times are the newest release's, not the clock's or
# the files', so two builds of one source give the same archives; a zip writes them as local
# times, so in UTC, whatever the packer's zone. The installer's name says what it is beside the zip.
set(ENV{SOURCE_DATE_EPOCH} "${CPACK_HENGTIEBAO_SOURCE_DATE_EPOCH}")
set(ENV{TZ} UTC0)
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
