# app benchmarks
