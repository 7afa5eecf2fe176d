# execute.exe, the console runner shipped beside Kiln.exe.
file(GLOB RUNNER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/runner/*.cpp)
add_executable(execute ${RUNNER_SOURCES})
target_link_libraries(execute PRIVATE kiln_common)
target_include_directories(execute PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(execute PRIVATE $<$<CONFIG:Release>:-s>)
