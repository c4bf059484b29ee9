# SPDX-License-Identifier: GPL-3.0-or-later
# Packs the folders in STAGE into ZIP, every file named in the order of their names, with the
# time SOURCE_DATE_EPOCH gives, so that the same files give the same bytes.
#   cmake -DSTAGE=stage -DZIP=page.zip -P zip.cmake
file(GLOB_RECURSE members RELATIVE ${STAGE} ${STAGE}/*)
list(SORT members)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip -- ${members}
  WORKING_DIRECTORY ${STAGE} COMMAND_ERROR_IS_FATAL ANY)
