# Form text: reads and writes the layout text embedded for each window.
# Portable code, no window calls.
add_library(zentaro_streaming STATIC ${CMAKE_SOURCE_DIR}/ui/streaming/FormText.cpp)
target_link_libraries(zentaro_streaming PUBLIC zentaro_rtl)
zentaro_warnings(zentaro_streaming)
