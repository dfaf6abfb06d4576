#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

// The console report, then two tables gathered from it: frame preparation
// per scene and size, and the GL frame next to its floor.
class BenchTables : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override;

    // Prints both tables to stdout; glRenderer names the GL that drew.
    void print(const std::string &glRenderer) const;

private:
    struct Times {
        double min, median;
    };

    // ms per frame by benchmark and kind of frame
    std::map<std::string, std::map<std::string, Times>> times;

    const Times *find(const std::string &benchmark, const char *kind) const;
};
