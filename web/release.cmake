# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a release of the page into DIST from the core as linked (CORE/hengtiebao.js and .wasm)
# and the page as written (PAGE):
# - the core's two files under names carrying their content's digest, the script naming its
#   WebAssembly so: a script and a core of two releases never meet, in a phone's HTTP cache or in
#   a server's, and a server may keep them for good;
# - the page, its links naming them;
# - the service worker, keeping them and the other FILES in a cache named by the digest of all,
#   so that a release with any file changed replaces the whole cache and an unchanged one keeps it;
#   it knows each file's SHA-256, and keeps no file whose bytes are not this release's.
# Earlier releases' core files in DIST are removed. The page and the script may already name an
# earlier release's core: the build's step, run again on a release, renames it.
# 16 hex digits: 64 bits, enough that two builds never share a name by chance.
#   cmake -DCORE=core -DPAGE=index.html -DDIST=dist -DFILES=index.html,app.js -DSOURCE=sw.js \
#         -P release.cmake
set(named "hengtiebao(-[0-9a-f]+)?")

function(digest_of text out)
  string(SHA256 digest "${text}")
  string(SUBSTRING ${digest} 0 16 digest)
  set(${out} ${digest} PARENT_SCOPE)
endfunction()

# TEXT with every name of the core's FILE (hengtiebao.js, hengtiebao-<digest>.js) as NAME; a text
# that names it nowhere is a build gone wrong.
function(rename_core text suffix name out)
  string(REGEX REPLACE "${named}\\${suffix}" ${name} renamed "${text}")
  if(renamed STREQUAL text AND NOT text MATCHES "${name}")
    message(FATAL_ERROR "nothing names the core's ${suffix} file")
  endif()
  set(${out} "${renamed}" PARENT_SCOPE)
endfunction()

file(SHA256 ${CORE}/hengtiebao.wasm wasm_digest)
string(SUBSTRING ${wasm_digest} 0 16 wasm_digest)
set(wasm_name hengtiebao-${wasm_digest}.wasm)
file(READ ${CORE}/hengtiebao.js script)
rename_core("${script}" .wasm ${wasm_name} script)
digest_of("${script}" script_digest)
set(script_name hengtiebao-${script_digest}.js)

file(GLOB earlier ${DIST}/hengtiebao*.js ${DIST}/hengtiebao*.wasm)
list(FILTER earlier EXCLUDE REGEX "/(${wasm_name}|${script_name})$")
if(earlier)
  file(REMOVE ${earlier})
endif()
file(COPY_FILE ${CORE}/hengtiebao.wasm ${DIST}/${wasm_name} ONLY_IF_DIFFERENT)
file(WRITE ${DIST}/${script_name} "${script}")

file(READ ${PAGE} page)
rename_core("${page}" .js ${script_name} page)
rename_core("${page}" .wasm ${wasm_name} page)
file(WRITE ${DIST}/index.html "${page}")

string(REPLACE "," ";" files "${FILES}")
list(FILTER files EXCLUDE REGEX "^${named}\\.(js|wasm)$")
list(APPEND files ${script_name} ${wasm_name})
set(digests "")
set(entries "")
foreach(file IN LISTS files)
  file(SHA256 ${DIST}/${file} digest)
  string(APPEND digests "${file} ${digest}\n")
  list(APPEND entries "\"${file}\": \"${digest}\"")
endforeach()
digest_of("${digests}" DIGEST)
list(JOIN entries ", " FILES)
configure_file(${SOURCE} ${DIST}/sw.js @ONLY)
