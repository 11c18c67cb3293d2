// Command line of quartenctl.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "device/HidTransport.h"
#include "sim/SimConfig.h"

namespace quarten::cli {

enum ExitCode : int { kOk = 0, kNoMouse = 1, kUsage = 2, kFileError = 3, kWriteFailed = 4 };

struct CtlOptions {
    bool simulate = false;
    int simSensor = -1;  // -1: the simulated mouse's own default
    sim::SimVariant simVariant = sim::SimVariant::Scrambled;
    std::optional<std::filesystem::path> simEvents;
    OpenError simOpenError = OpenError::None;  // None: the simulated node opens
    std::optional<std::filesystem::path> dataDir;
    bool trace = false;
    bool json = false;
    bool help = false;
    bool version = false;
    std::string command;
    std::vector<std::string> arguments;
};

// Parses argv; on a usage error returns nothing and puts the reason into `error`.
std::optional<CtlOptions> ParseCtlOptions(const std::vector<std::string>& args,
                                          std::string& error);

extern const char kUsageText[];

}  // namespace quarten::cli
