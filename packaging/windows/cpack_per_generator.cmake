# SPDX-License-Identifier: GPL-3.0-or-later
# Read by CPack for each generator: the release's time for the archives' members; the installer's
# name says what it is beside the zip.
include(${CMAKE_CURRENT_LIST_DIR}/../cpack_time.cmake)
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
