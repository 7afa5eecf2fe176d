# Kiln's compile controller: every controller/*.cpp except the entry function
# forms a library that the tests link against; the program adds WinMain.
file(GLOB CONTROLLER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/controller/*.cpp)
list(REMOVE_ITEM CONTROLLER_SOURCES ${CMAKE_SOURCE_DIR}/controller/kiln_main.cpp)
# The window search (with the path helpers it compares with) is KilnOp's too.
set(WINDOW_SEARCH_SOURCES ${CMAKE_SOURCE_DIR}/controller/locate_window.cpp
                          ${CMAKE_SOURCE_DIR}/controller/path_operations.cpp)
list(REMOVE_ITEM CONTROLLER_SOURCES ${WINDOW_SEARCH_SOURCES})
add_library(kiln_window_search STATIC ${WINDOW_SEARCH_SOURCES})
target_link_libraries(kiln_window_search PUBLIC kiln_settings)
target_include_directories(kiln_window_search PUBLIC ${CMAKE_SOURCE_DIR})
add_library(kiln_controller STATIC ${CONTROLLER_SOURCES})
target_link_libraries(kiln_controller PUBLIC kiln_window_search kiln_settings)
target_include_directories(kiln_controller PUBLIC ${CMAKE_SOURCE_DIR})

add_executable(Kiln controller/kiln_main.cpp)
target_link_libraries(Kiln PRIVATE kiln_controller comctl32)
