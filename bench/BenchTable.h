// The rows every benchmark program prints for bench/run's one table, and a reporter that
// keeps Google Benchmark's per-repetition results so a row can show their spread.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quarten::bench {

struct Spread {
    double min = 0;
    double median = 0;
    double max = 0;
};

inline Spread SpreadOf(std::vector<double> samples) {
    if (samples.empty()) return {};
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    return {samples.front(), median, samples.back()};
}

// What a row's figure is held against. The median is judged, except for figures that are a
// worst case by nature, where the largest sample is.
struct Goal {
    enum class Kind { None, MedianAtMost, MaxAtMost };
    Kind kind = Kind::None;
    double limit = 0;
    std::string text;  // as shown, e.g. "<= 1.03"

    static Goal None(std::string text = "-") { return {Kind::None, 0, std::move(text)}; }
    static Goal MedianAtMost(double limit, std::string text) {
        return {Kind::MedianAtMost, limit, std::move(text)};
    }
    static Goal MaxAtMost(double limit, std::string text) {
        return {Kind::MaxAtMost, limit, std::move(text)};
    }
};

inline std::string Verdict(const Spread& s, const Goal& goal) {
    switch (goal.kind) {
        case Goal::Kind::MedianAtMost:
            return s.median <= goal.limit ? "met" : "MISSED";
        case Goal::Kind::MaxAtMost:
            return s.max <= goal.limit ? "met" : "MISSED";
        case Goal::Kind::None:
            break;
    }
    return "";
}

// One table row, tab-separated, tagged so bench/run can pick the rows out of the output:
// ROW figure min median max unit goal verdict samples.
inline void PrintRow(const std::string& figure, const std::vector<double>& samples,
                     const std::string& unit, const Goal& goal, int precision = 1) {
    const Spread s = SpreadOf(samples);
    std::printf("ROW\t%s\t%.*f\t%.*f\t%.*f\t%s\t%s\t%s\t%zu\n", figure.c_str(), precision, s.min,
                precision, s.median, precision, s.max, unit.c_str(), goal.text.c_str(),
                Verdict(s, goal).c_str(), samples.size());
}

// A row whose value is a word (yes/no), with its verdict.
inline void PrintWordRow(const std::string& figure, const std::string& value,
                         const std::string& goal, bool met) {
    std::printf("ROW\t%s\t%s\t%s\t%s\t\t%s\t%s\t1\n", figure.c_str(), value.c_str(), value.c_str(),
                value.c_str(), goal.c_str(), met ? "met" : "MISSED");
}

// A line bench/run prints under the table.
inline void PrintNote(const std::string& text) { std::printf("NOTE\t%s\n", text.c_str()); }

// Sends Google Benchmark's usual console output to stderr (bench/run keeps it in a log) and
// remembers each repetition's run by benchmark name.
class RepetitionCollector : public benchmark::ConsoleReporter {
public:
    RepetitionCollector() : ConsoleReporter(OO_None) { SetOutputStream(&std::cerr); }

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                runs_[run.run_name.function_name].push_back(run);
            }
        }
    }

    const std::vector<Run>& RunsOf(const std::string& name) const {
        static const std::vector<Run> none;
        const auto it = runs_.find(name);
        return it == runs_.end() ? none : it->second;
    }

    // Per repetition: CPU or real time per iteration in microseconds, or a counter.
    std::vector<double> CpuMicros(const std::string& name) const {
        return Collect(name, [](const Run& r) { return r.GetAdjustedCPUTime() * ToMicros(r); });
    }
    std::vector<double> RealMicros(const std::string& name) const {
        return Collect(name, [](const Run& r) { return r.GetAdjustedRealTime() * ToMicros(r); });
    }
    std::vector<double> Counter(const std::string& name, const std::string& counter) const {
        return Collect(name, [&](const Run& r) {
            const auto it = r.counters.find(counter);
            return it == r.counters.end() ? 0.0 : static_cast<double>(it->second);
        });
    }

private:
    static double ToMicros(const Run& run) {
        switch (run.time_unit) {
            case benchmark::kNanosecond:
                return 1e-3;
            case benchmark::kMicrosecond:
                return 1;
            case benchmark::kMillisecond:
                return 1e3;
            case benchmark::kSecond:
                return 1e6;
        }
        return 1;
    }
    template <typename Value>
    std::vector<double> Collect(const std::string& name, Value value) const {
        std::vector<double> out;
        for (const Run& run : RunsOf(name)) out.push_back(value(run));
        return out;
    }

    std::map<std::string, std::vector<Run>> runs_;
};

}  // namespace quarten::bench
