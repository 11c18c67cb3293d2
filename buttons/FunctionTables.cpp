// Turns a dialog's list position into the parameter bytes the layer arrays keep.
#include "buttons/FunctionTables.h"

#include <span>

namespace quarten {

namespace {

std::uint16_t UsageAt(std::span<const NamedUsage> table, int choice) {
    if (choice < 0 || static_cast<std::size_t>(choice) >= table.size()) return 0;
    return table[static_cast<std::size_t>(choice)].usage;
}

}  // namespace

ButtonParameters WindowsFunctionParameters(int choice) {
    const std::uint16_t usage = UsageAt(kWindowsFunctions, choice);
    ButtonParameters p;
    p.windowsChoice = static_cast<std::uint8_t>(choice);
    p.windowsUsageLow = static_cast<std::uint8_t>(usage & 0xFF);
    p.windowsUsageHigh = static_cast<std::uint8_t>(usage >> 8);
    return p;
}

ButtonParameters MultimediaParameters(int choice) {
    ButtonParameters p;
    p.multimediaChoice = static_cast<std::uint8_t>(choice);
    p.multimediaUsage = static_cast<std::uint8_t>(UsageAt(kMultimediaFunctions, choice));
    return p;
}

ButtonParameters FireKeyParameters(int choice, std::uint8_t speed, std::uint8_t times) {
    ButtonParameters p;
    p.fireChoice = static_cast<std::uint8_t>(choice);
    p.fireUsage = static_cast<std::uint8_t>(UsageAt(kFireKeys, choice));
    p.fireSpeed = speed;
    p.fireTimes = times;
    return p;
}

}  // namespace quarten
