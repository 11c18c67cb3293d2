// A command connection that records what the host sends and answers from a script.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "device/HidTransport.h"

namespace quarten::test {

class ScriptedConnection : public HidConnection {
public:
    struct Sent {
        enum class Kind { SetFeature, GetFeature, WriteReport, ReadReport } kind;
        std::vector<std::uint8_t> report;  // as passed (for gets/reads: the length only)
    };

    bool SetFeature(std::span<const std::uint8_t> report) override {
        log.push_back({Sent::Kind::SetFeature, {report.begin(), report.end()}});
        return !failWrites;
    }
    bool GetFeature(std::span<std::uint8_t> report) override {
        log.push_back({Sent::Kind::GetFeature, std::vector<std::uint8_t>(report.size())});
        return Answer(features, report);
    }
    bool WriteReport(std::span<const std::uint8_t> report) override {
        log.push_back({Sent::Kind::WriteReport, {report.begin(), report.end()}});
        return !failWrites;
    }
    bool ReadReport(std::span<std::uint8_t> report) override {
        log.push_back({Sent::Kind::ReadReport, std::vector<std::uint8_t>(report.size())});
        return Answer(inputs, report);
    }

    std::size_t Count(Sent::Kind kind) const {
        std::size_t n = 0;
        for (const Sent& s : log) n += s.kind == kind;
        return n;
    }

    std::deque<std::vector<std::uint8_t>> features;  // whole reports, report ID first
    std::deque<std::vector<std::uint8_t>> inputs;
    std::vector<Sent> log;
    bool failWrites = false;

private:
    static bool Answer(std::deque<std::vector<std::uint8_t>>& queue, std::span<std::uint8_t> out) {
        if (queue.empty()) return false;
        const auto& next = queue.front();
        for (std::size_t i = 0; i < out.size() && i < next.size(); ++i) out[i] = next[i];
        queue.pop_front();
        return true;
    }
};

}  // namespace quarten::test
