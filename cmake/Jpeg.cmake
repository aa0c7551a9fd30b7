# zentaro::jpeg: libjpeg-turbo, built for this target by scripts/deps/libjpeg-turbo
# (run from scripts/setup) into .cache/deps/<triple>. Named by path, not
# searched for: the toolchain restricts library searches to the mingw root.
if(NOT ZENTARO_TRIPLE)
  message(FATAL_ERROR "ZENTARO_TRIPLE is not set: configure with cmake/mingw-x86_64.cmake or cmake/mingw-i686.cmake as the toolchain file")
endif()
set(ZENTARO_JPEG_DIR ${CMAKE_SOURCE_DIR}/.cache/deps/${ZENTARO_TRIPLE})
if(NOT EXISTS ${ZENTARO_JPEG_DIR}/lib/libjpeg.a OR NOT EXISTS ${ZENTARO_JPEG_DIR}/include/jpeglib.h)
  message(FATAL_ERROR "libjpeg-turbo for ${ZENTARO_TRIPLE} is missing from ${ZENTARO_JPEG_DIR}: run scripts/setup (or scripts/deps/libjpeg-turbo)")
endif()
add_library(zentaro::jpeg STATIC IMPORTED GLOBAL)
set_target_properties(zentaro::jpeg PROPERTIES
  IMPORTED_LOCATION ${ZENTARO_JPEG_DIR}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${ZENTARO_JPEG_DIR}/include)
