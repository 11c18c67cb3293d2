// The mouse unplugged right after every single operation of the handshake, the connection
// read-back and Apply, or from that operation on answering garbage or answering later than
// the host waits, then plugged back in sane: no crash, no extra waiting, config.bin either as it was or the whole new image, and
// the next arrival accepts the mouse again.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <numeric>
#include <optional>
#include <random>
#include <sstream>

#include "platform/PosixFileStore.h"
#include "settings/ApplySequence.h"
#include "settings/SettingsFile.h"
#include "tests/fault/FaultRig.h"
#include "tests/support/SimRig.h"
#include "tests/support/TempDir.h"

namespace quarten {
namespace {

enum class Fault { Unplug, Garbage, Slow };
constexpr Fault kFaults[] = {Fault::Unplug, Fault::Garbage, Fault::Slow};

// A slow mouse needs this long after a set before it has the answer: longer than any wait
// the host paces.
constexpr std::int64_t kSlowAnswerMicros = 400'000;
enum class Phase { Handshake, ReadBack, Apply };
constexpr Phase kPhases[] = {Phase::Handshake, Phase::ReadBack, Phase::Apply};

const char* Name(Phase phase) {
    switch (phase) {
        case Phase::Handshake:
            return "handshake";
        case Phase::ReadBack:
            return "read-back";
        case Phase::Apply:
            return "apply";
    }
    return "?";
}

struct Trial {
    bool accepted = false;                    // the handshake's verdict
    bool applied = false;                     // the link was still ready when Apply was pressed
    bool faultedInPhase = false;              // the fault had struck by the end of the phase
    std::string configBin;                    // config.bin after the phase
    int waitedMs = 0;                         // everything the host paced, all phases
    std::size_t strayFiles = 0;               // files in the data folder other than config.bin
    bool reaccepted = false;                  // after the replug
    bool holdsNewImage = false;               // after re-applying on the replugged mouse
    std::array<std::size_t, 3> operations{};  // per phase, in a run without a fault
};

class FaultMatrix : public ::testing::Test {
protected:
    // The app's sequence with the fault armed at the start of `faulty`, striking after
    // `after` operations: connect, read back, the user edits and presses Apply (only while
    // the link is ready), save. Then the mouse comes back sane and is applied to again.
    Trial Run(Fault fault, Phase faulty, std::optional<int> after) {
        Trial trial;
        dir_.WriteFile("config.bin", oldFile_);
        test::HostileRig rig;
        DeviceSettings settings;
        EXPECT_EQ(LoadSettingsFile(store_, configBin_, settings).status,
                  SettingsFileResult::Status::Loaded);
        std::size_t logged = 0;
        std::optional<std::size_t> spoiledFrom;  // the first operation whose answer is spoiled
        std::mt19937 random(17);
        rig.wrapped.onAnswer = [&](std::span<std::uint8_t> answer, bool& ok) {
            // The call that gave this answer is the last one logged.
            const auto log = rig.mouse.Log();
            if (!spoiledFrom || log.size() <= *spoiledFrom) return;
            if (fault == Fault::Garbage) {
                for (std::uint8_t& b : answer) b = static_cast<std::uint8_t>(random());
            }
            if (fault == Fault::Slow) {
                std::int64_t lastSet = 0;
                for (const auto& entry : log) {
                    if (entry.kind == sim::SimLogEntry::Kind::Set) lastSet = entry.atMicros;
                }
                if (rig.clock.NowMicros() - lastSet < kSlowAnswerMicros) {
                    std::fill(answer.begin(), answer.end(), std::uint8_t{0});
                    ok = false;
                }
            }
        };
        auto start = [&](Phase phase) {
            if (phase != faulty || !after) return;
            if (fault == Fault::Unplug) rig.mouse.FailAfter(*after);
            if (fault != Fault::Unplug) spoiledFrom = rig.mouse.Log().size() + *after;
        };
        auto end = [&](Phase phase) {
            trial.operations[static_cast<int>(phase)] = rig.mouse.Log().size() - logged;
            logged = rig.mouse.Log().size();
            if (phase != faulty) return;
            trial.faultedInPhase = fault == Fault::Unplug ? !rig.mouse.Plugged()
                                                          : spoiledFrom && logged > *spoiledFrom;
        };

        start(Phase::Handshake);
        trial.accepted = rig.Connect();
        end(Phase::Handshake);
        if (trial.accepted) {
            start(Phase::ReadBack);
            ConnectionReadBack(rig.link.Channel(), settings);
            end(Phase::ReadBack);
            settings.image = newImage_;
            start(Phase::Apply);
            if (rig.link.Ready()) {
                SendSettings(rig.link.Channel(), settings);
                EXPECT_EQ(SaveSettingsFile(store_, configBin_, settings).status,
                          SettingsFileResult::Status::Saved);
                trial.applied = true;
            }
            end(Phase::Apply);
        }
        trial.configBin = dir_.ReadFile("config.bin");
        for (const auto& entry : std::filesystem::directory_iterator(dir_.Path())) {
            trial.strayFiles += entry.path().filename() != "config.bin";
        }

        // The removal reaches the app, the mouse is plugged in again, sane, and arrives.
        rig.link.HandleRemoval();
        spoiledFrom.reset();
        rig.mouse.Plug();
        trial.reaccepted = rig.link.HandleArrival() == DeviceLink::Change::Accepted;
        if (trial.reaccepted) {
            ConnectionReadBack(rig.link.Channel(), settings);
            settings.image = newImage_;
            SendSettings(rig.link.Channel(), settings);
            trial.holdsNewImage = test::MouseHolds(rig.mouse.State(), newImage_);
        }
        const auto& waits = rig.pacer.Waits();
        trial.waitedMs = std::accumulate(waits.begin(), waits.end(), 0);
        return trial;
    }

    test::TempDir dir_;
    PosixFileStore store_;
    const std::filesystem::path configBin_ = dir_ / "config.bin";
    const ImageBytes newImage_ = test::EditedImage();
    const std::string oldFile_ = SettingsFileBytes(0, FactoryImage());
    const std::string newFile_ = SettingsFileBytes(1, newImage_);
};

TEST_F(FaultMatrix, EveryOperationIndexOfEveryPhase) {
    const Trial clean = Run(Fault::Unplug, Phase::Apply, std::nullopt);
    ASSERT_TRUE(clean.accepted && clean.applied && clean.reaccepted && clean.holdsNewImage);
    ASSERT_EQ(clean.configBin, newFile_);
    // A clean run paces the sequence twice (the run and the re-apply after the replug).
    const int cleanWaits = clean.waitedMs;

    std::ostringstream matrix;
    for (const Fault fault : kFaults) {
        const char* faultName = fault == Fault::Unplug    ? "unplugged"
                                : fault == Fault::Garbage ? "garbage"
                                                          : "slow answers";
        for (const Phase phase : kPhases) {
            const std::size_t operations = clean.operations[static_cast<int>(phase)];
            ASSERT_GT(operations, 0u);
            matrix << faultName << " in " << Name(phase) << " (" << operations << " operations):";
            std::string previous;
            for (int n = 0; n <= static_cast<int>(operations); ++n) {
                SCOPED_TRACE(std::string(Name(phase)) + ", " + faultName + " after operation " +
                             std::to_string(n));
                const Trial t = Run(fault, phase, n);
                // Striking after the phase's last operation must still land inside it (an
                // unplug), or spoil no answer of it.
                EXPECT_EQ(t.faultedInPhase, fault == Fault::Unplug || n < static_cast<int>(operations));
                EXPECT_EQ(t.configBin, t.applied ? newFile_ : oldFile_);
                EXPECT_EQ(t.strayFiles, 0u);
                EXPECT_LE(t.waitedMs, cleanWaits);
                EXPECT_TRUE(t.reaccepted);
                EXPECT_TRUE(t.holdsNewImage);
                if (phase != Phase::Handshake) {
                    EXPECT_TRUE(t.applied);
                }

                const std::string outcome =
                    std::string(t.accepted ? "accepted" : "refused") +
                    (t.applied ? ", config.bin new" : ", config.bin old") +
                    (t.reaccepted ? ", replug accepted" : ", replug refused");
                if (outcome != previous) {
                    matrix << "\n  from n=" << n << ": " << outcome;
                    previous = outcome;
                }
            }
            matrix << '\n';
        }
    }
    std::cout << matrix.str();
}

}  // namespace
}  // namespace quarten
