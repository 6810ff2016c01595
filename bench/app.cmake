# Counter cost per keystroke in a 1 MB post.
kirel_benchmark(bench_counter bench_counter.cpp)
