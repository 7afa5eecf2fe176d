# Kiln's compile controller: every controller/*.cpp except the entry function
# forms a library that the tests link against; the program adds WinMain.
file(GLOB CONTROLLER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/controller/*.cpp)
list(REMOVE_ITEM CONTROLLER_SOURCES ${CMAKE_SOURCE_DIR}/controller/kiln_main.cpp)
add_library(kiln_controller STATIC ${CONTROLLER_SOURCES})
target_link_libraries(kiln_controller PUBLIC kiln_settings)
target_include_directories(kiln_controller PUBLIC ${CMAKE_SOURCE_DIR})

add_executable(Kiln controller/kiln_main.cpp)
target_link_libraries(Kiln PRIVATE kiln_controller)
