# execute.exe, the console runner shipped beside Kiln.exe.
add_executable(execute
    runner/execute_main.cpp
    runner/command_lookup.cpp
    runner/program_start.cpp
    runner/end_report.cpp
    runner/console_wait.cpp
    runner/console_state.cpp
    runner/process_access.cpp
    runner/sample_cases.cpp
    runner/case_run.cpp
    runner/sample_judging.cpp
    runner/metadata_cases.cpp
    runner/process_figures.cpp
    runner/case_watch.cpp
    runner/console_code_page.cpp)
target_link_libraries(execute PRIVATE kiln_common kiln_exact_names psapi)
target_include_directories(execute PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(execute PRIVATE $<$<CONFIG:Release>:-s>)
