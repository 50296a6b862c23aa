#pragma once
// What the benchmarks share: their limits (the plain file work that a measured operation cannot
// do without) and how a figure names its limit.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kiro::bench {

// A measured figure carries the ratio it must stay within; its limit is the benchmark of the
// same name followed by "/limit". scripts/bench pairs the two.
inline void SetTargetRatio(benchmark::State& state, double ratio) {
    state.counters["target_ratio"] = ratio;
}

// The whole file; empty when it cannot be read (a month not stored yet).
std::string ReadWholeFile(const std::string& path);

// One plain pass over the bytes: their sum as 16-bit little-endian values.
uint64_t SumOfWords(const std::string& bytes);

// Reads each file and makes one plain pass over its bytes.
uint64_t ReadAndPass(const std::vector<std::string>& paths);

// Makes a file's content, or a folder's names, last through a power cut.
void FlushFile(const std::string& path);
void FlushFolder(const std::string& path);

// A month file rewritten as a careful program does: read, written to a temporary beside it,
// flushed, renamed over it, and the folder flushed.
void RewriteFlushed(const std::string& path, size_t size);

}  // namespace kiro::bench
