#include <benchmark/benchmark.h>
#include <malloc.h>

int main(int argc, char** argv) {
    // Keep freed memory in the process, so every iteration after the first
    // reuses pages instead of faulting fresh ones in: the figures then show
    // the work itself, not the virtual machine's page-fault cost.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
