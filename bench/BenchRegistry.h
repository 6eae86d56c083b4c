// The benchmarks' named workloads. Each is prepared once (documents generated, servers
// started) and then run as often as the benchmark or the instruction count asks.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace qlx::bench {

// One run of a workload; returns a value derived from everything it read, so that nothing
// can be optimised away.
using Run = std::function<size_t()>;

struct Workload {
    std::string name; // "group/side", e.g. "xml/pugixml"; the first side is the program's
    size_t bytes;     // input size, for the throughput figure
    std::function<Run()> prepare;
};

std::vector<Workload>& workloads();

struct AddWorkload {
    AddWorkload(std::string name, size_t bytes, std::function<Run()> prepare) {
        workloads().push_back({std::move(name), bytes, std::move(prepare)});
    }
};

} // namespace qlx::bench
