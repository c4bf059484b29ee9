# SPDX-License-Identifier: GPL-3.0-or-later
# Read by CPack for each generator: the installer's name says what it is beside the zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
