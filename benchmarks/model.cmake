# Benchmarks of the model: the stores writing real files in a temporary data folder.
zorv_add_benchmark(bench_model bench_model.cpp)
