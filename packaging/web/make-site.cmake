# Puts together a site: the page, the program, the service worker that keeps the site for use
# without a network, the web app manifest, the icons, and the licence and notices.
# cmake -DSOURCE=packaging/web -DROOT=<sources> -DPROGRAM=<built program without extension>
#       -DSITE=<folder> -DVERSION=<version> -P make-site.cmake
get_filename_component(name ${PROGRAM} NAME)
file(REMOVE_RECURSE ${SITE})
file(MAKE_DIRECTORY ${SITE})

file(COPY ${PROGRAM}.js ${PROGRAM}.wasm DESTINATION ${SITE})
file(SIZE ${PROGRAM}.js js_bytes)
file(SIZE ${PROGRAM}.wasm wasm_bytes)
math(EXPR BYTE "${js_bytes} + ${wasm_bytes}")
set(PROGRAMMA ${name})

file(COPY ${SOURCE}/avvio.js ${SOURCE}/pagina.js ${SOURCE}/pagina.css ${SOURCE}/manifest.json ${SOURCE}/icon-192.png ${SOURCE}/icon-512.png
     ${SOURCE}/NOTICE.txt DESTINATION ${SITE})
file(COPY_FILE ${ROOT}/packaging/capacita.ico ${SITE}/favicon.ico)
file(COPY_FILE ${ROOT}/LICENSE ${SITE}/LICENSE.txt)
foreach(licence LGPL-3 GPL-3)
  file(COPY_FILE /usr/share/common-licenses/${licence} ${SITE}/${licence}.txt)
endforeach()
file(COPY_FILE /usr/share/doc/fonts-dejavu-core/copyright ${SITE}/DejaVu-LICENSE.txt)
file(COPY_FILE /usr/share/doc/fonts-liberation2/copyright ${SITE}/Liberation-LICENSE.txt)
configure_file(${SOURCE}/index.html ${SITE}/index.html @ONLY)

# The service worker keeps every file of the site; its cache is named after the version and what
# the program's files hold, so that a new build replaces the kept files.
file(GLOB files RELATIVE ${SITE} ${SITE}/*)
set(FILE "\"./\"")
foreach(f ${files})
  string(APPEND FILE ", \"${f}\"")
endforeach()
string(APPEND FILE ", \"sw.js\"")
file(SHA256 ${PROGRAM}.wasm wasm_hash)
file(SHA256 ${SITE}/index.html page_hash)
string(SHA256 hash "${wasm_hash}${page_hash}")
string(SUBSTRING ${hash} 0 12 hash)
set(VERSIONE ${VERSION}-${hash})
configure_file(${SOURCE}/sw.js ${SITE}/sw.js @ONLY)
