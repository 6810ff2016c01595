# preview benchmarks
# Building the page, and the first and later showings of the preview tab (needs X:
# run through bench/bench_preview.sh).
kirel_benchmark(bench_preview bench_preview.cpp)
target_compile_definitions(bench_preview PRIVATE KIREL_APPDIR="${KIREL_APPDIR}")
if(TARGET kirelweb)
    add_dependencies(bench_preview kirelweb)
endif()
# A bare Qt Widgets window: the start-up the editor is measured against.
add_executable(bench_preview_plainwindow EXCLUDE_FROM_ALL bench_preview_plainwindow.cpp)
target_link_libraries(bench_preview_plainwindow PRIVATE Qt6::Widgets)
kirel_warnings(bench_preview_plainwindow)
add_dependencies(benchmarks bench_preview_plainwindow)
