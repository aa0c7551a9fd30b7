# zentaro_jpeg: the JPEG writer (portable, no window code) over libjpeg-turbo.
add_library(zentaro_jpeg STATIC ${CMAKE_SOURCE_DIR}/ui/graphics/JpegEncoder.cpp)
target_link_libraries(zentaro_jpeg PUBLIC zentaro_rtl zentaro::jpeg)
zentaro_warnings(zentaro_jpeg)
