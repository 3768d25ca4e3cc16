#pragma once

// Console output as usual, plus the median of each benchmark kept by name, so
// that a benchmark can be set against its floor measured in the same run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians_[run.run_name.function_name + argsOf(run)] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // The targets are reported, never enforced: a shared machine is too noisy
    // for a timing to fail a build.
    void compare(const std::string& measured, const std::string& floor, double target) const {
        const auto m = medians_.find(measured);
        const auto f = medians_.find(floor);
        if (m == medians_.end() || f == medians_.end()) return;  // filtered out
        const double ratio = m->second / f->second;
        std::printf("%s / %s = %.2f (target at most %.2f)%s\n", measured.c_str(), floor.c_str(),
                    ratio, target, ratio <= target ? "" : "  MISSED");
    }

    void below(const std::string& measured, double limit, const char* unit) const {
        const auto m = medians_.find(measured);
        if (m == medians_.end()) return;
        std::printf("%s median %.1f %s (target under %.0f %s)%s\n", measured.c_str(), m->second,
                    unit, limit, unit, m->second < limit ? "" : "  MISSED");
    }

private:
    static std::string argsOf(const Run& run) {
        return run.run_name.args.empty() ? std::string() : "/" + run.run_name.args;
    }

    std::map<std::string, double> medians_;
};

// Repetitions give the medians; interleaving them spreads the machine's noise
// over the benchmark and its floor alike. Flags given on the command line win.
inline std::vector<char*> withDefaultFlags(int argc, char** argv) {
    static char repetitions[] = "--benchmark_repetitions=10";
    static char aggregates[] = "--benchmark_report_aggregates_only=true";
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    std::vector<char*> args{argv[0], repetitions, aggregates, interleave};
    args.insert(args.end(), argv + 1, argv + argc);
    args.push_back(nullptr);
    return args;
}
