# Kiln's compile controller. A library that the tests link against, and the
# program that adds WinMain. A new file joins one of these lists on purpose.

# The window search and the path helpers it compares with, KilnOp's too.
add_library(kiln_window_search STATIC
    controller/locate_window.cpp
    controller/path_operations.cpp)
target_link_libraries(kiln_window_search PUBLIC kiln_settings)
target_include_directories(kiln_window_search PUBLIC ${CMAKE_SOURCE_DIR})

add_library(kiln_controller STATIC
    controller/main_window.cpp
    controller/compile_request.cpp
    controller/error_line_jump.cpp
    controller/error_navigation.cpp
    controller/window_keys.cpp
    controller/status_bar.cpp
    controller/output_pane.cpp
    controller/window_placement.cpp
    controller/compile_job.cpp
    controller/build_preparation.cpp
    controller/source_charset.cpp
    controller/built_outputs.cpp
    controller/followed_headers.cpp
    controller/run_offer.cpp
    controller/child_process.cpp
    controller/output_conversion.cpp
    controller/pane_text.cpp
    controller/shell_open.cpp
    controller/program_launch.cpp
    controller/bare_name_search.cpp
    controller/program_path.cpp
    controller/kiln_boxes.cpp)
target_link_libraries(kiln_controller PUBLIC kiln_window_search kiln_settings kiln_exact_names)
target_include_directories(kiln_controller PUBLIC ${CMAKE_SOURCE_DIR})

add_executable(Kiln controller/kiln_main.cpp)
target_link_libraries(Kiln PRIVATE kiln_controller comctl32)
