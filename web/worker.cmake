# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the service worker from its template: the files it keeps, and a cache name from their
# digest, so that a build with any file changed replaces the whole cache and an unchanged one
# keeps it. 16 hex digits: 64 bits, enough that two builds never share a name by chance.
#   cmake -DDIST=dist -DFILES=index.html,app.js -DSOURCE=sw.js -P worker.cmake
string(REPLACE "," ";" files "${FILES}")
set(digests "")
set(quoted "")
foreach(file IN LISTS files)
  file(SHA256 ${DIST}/${file} digest)
  string(APPEND digests "${file} ${digest}\n")
  list(APPEND quoted "\"${file}\"")
endforeach()
string(SHA256 digest "${digests}")
string(SUBSTRING ${digest} 0 16 DIGEST)
list(JOIN quoted ", " FILES)
configure_file(${SOURCE} ${DIST}/sw.js @ONLY)
