# KilnOp, the options program: a library that the tests link against, and
# the program that adds WinMain. A new file joins the list on purpose.
add_library(kiln_options STATIC
    options/option_sheet.cpp
    options/compiler_page.cpp
    options/editor_page.cpp
    options/window_page.cpp
    options/message_dialog.cpp
    options/window_enabling.cpp
    options/program_browse.cpp
    options/kiln_window.cpp
    options/control_text.cpp
    options/text_byte_limit.cpp
    options/centre_window.cpp
    options/save_failure.cpp
    options/cut_value_notice.cpp
    options/kilnop_boxes.cpp)
target_link_libraries(kiln_options PUBLIC kiln_window_search kiln_settings kiln_exact_names comctl32 comdlg32)
target_include_directories(kiln_options PUBLIC ${CMAKE_SOURCE_DIR})

add_executable(KilnOp options/kilnop_main.cpp)
target_link_libraries(KilnOp PRIVATE kiln_options)
