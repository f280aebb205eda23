# Benchmarks of the editor.

# Gutter and indent guides.
zorv_add_benchmark(bench_gutter bench_gutter.cpp)
