# Benchmarks of the editor.

# Gutter and indent guides.
zorv_add_benchmark(bench_gutter bench_gutter.cpp)

# The whole editor: keystroke and paste.
zorv_add_benchmark(bench_editor bench_editor.cpp)
