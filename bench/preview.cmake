# preview benchmarks
