# KilnOp, the options program.
file(GLOB OPTIONS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/options/*.cpp)
list(REMOVE_ITEM OPTIONS_SOURCES ${CMAKE_SOURCE_DIR}/options/kilnop_main.cpp)
add_library(kiln_options STATIC ${OPTIONS_SOURCES})
target_link_libraries(kiln_options PUBLIC kiln_window_search kiln_settings comctl32 comdlg32)
target_include_directories(kiln_options PUBLIC ${CMAKE_SOURCE_DIR})

add_executable(KilnOp options/kilnop_main.cpp)
target_link_libraries(KilnOp PRIVATE kiln_options)
