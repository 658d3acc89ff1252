#pragma once

#include <map>
#include <string>

#include <benchmark/benchmark.h>

// Console output as usual, and the best time per item of every benchmark kept by name (the
// least disturbed of its repetitions), so that main can print ratios of benchmarks measured
// in the same run.
class ratio_reporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> nanoseconds_per_item;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            double items = run.counters.count("items") ? static_cast<double>(run.counters.at("items")) : 1.0;
            double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            double per_item = seconds * 1e9 / items;
            auto [entry, added] = nanoseconds_per_item.emplace(run.run_name.function_name, per_item);
            if (!added && per_item < entry->second) entry->second = per_item;
        }
    }

    double time_of(const std::string& name) const
    {
        auto found = nanoseconds_per_item.find(name);
        return found == nanoseconds_per_item.end() ? 0.0 : found->second;
    }
};
