// Shared pieces of the fault tests: an edited image, a check that the mouse holds an image,
// and transports that wrap the simulated mouse to spoil or slow its answers.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <thread>

#include "buttons/KeyMatrix.h"
#include "device/HidTransport.h"
#include "settings/FactorySettings.h"
#include "device/DeviceLink.h"
#include "sim/SimulatedMouse.h"
#include "tests/support/RecordingPacer.h"
#include "tests/support/SimRig.h"

namespace quarten::test {

// The factory image with something changed in every part Apply sends.
inline ImageBytes EditedImage() {
    ImageBytes image = FactoryImage();
    image[layout::kReportInterval] = 4;
    image[layout::kDpiLevel + 1] = 2;
    image[layout::kDpiColour] = 0x12;
    image[layout::kLightMode] = 2;
    for (std::size_t i = 0; i < layout::kMacroAreaSize; ++i) {
        image[layout::kMacroArea + i] = static_cast<std::uint8_t>(i * 5 + 9);
    }
    image[layout::ModeByte(1, layout::mode::kKind, 3)] ^= 1;
    return image;
}

// The parts of the mouse's state that come from the image alone (not from what it reported).
inline bool MouseHolds(const sim::MouseState& state, const ImageBytes& image) {
    if (state.reportInterval != image[layout::kReportInterval]) return false;
    if (!std::equal(state.colourBlock.begin(), state.colourBlock.begin() + 12,
                    image.begin() + layout::kDpiColour)) {
        return false;
    }
    const KeyMatrices matrices = BuildKeyMatrices(image);
    for (std::size_t t = 0; t < matrices.size(); ++t) {
        if (state.keyMatrices[t] != matrices[t]) return false;
    }
    for (std::size_t s = 0; s < state.macroSlots.size(); ++s) {
        if (!std::equal(state.macroSlots[s].begin(), state.macroSlots[s].end(),
                        image.begin() + layout::MacroSlotOffset(s + 1))) {
            return false;
        }
    }
    return true;
}

// Passes everything to the simulated mouse; a hook may rewrite what comes back from each
// get-feature and read-report, or delay the call.
class WrappedMouse : public HidTransport {
public:
    using AnswerHook = std::function<void(std::span<std::uint8_t> answer, bool& ok)>;
    using CallHook = std::function<void()>;

    explicit WrappedMouse(sim::SimulatedMouse& mouse) : mouse_(mouse) {}
    AnswerHook onAnswer;
    CallHook beforeCall;

    std::vector<HidCollectionInfo> Enumerate(std::uint16_t v, std::uint16_t p) override {
        return mouse_.Enumerate(v, p);
    }
    std::unique_ptr<HidConnection> Open(const std::string& path, OpenError& error) override {
        auto inner = mouse_.Open(path, error);
        if (!inner) return nullptr;
        return std::make_unique<Connection>(*this, std::move(inner));
    }
    std::unique_ptr<HidEventReader> OpenEventReader(const std::string& path,
                                                    OpenError& error) override {
        return mouse_.OpenEventReader(path, error);
    }

private:
    class Connection : public HidConnection {
    public:
        Connection(WrappedMouse& owner, std::unique_ptr<HidConnection> inner)
            : owner_(owner), inner_(std::move(inner)) {}
        bool SetFeature(std::span<const std::uint8_t> r) override {
            Before();
            return inner_->SetFeature(r);
        }
        bool WriteReport(std::span<const std::uint8_t> r) override {
            Before();
            return inner_->WriteReport(r);
        }
        bool GetFeature(std::span<std::uint8_t> r) override {
            Before();
            return After(r, inner_->GetFeature(r));
        }
        bool ReadReport(std::span<std::uint8_t> r) override {
            Before();
            return After(r, inner_->ReadReport(r));
        }

    private:
        void Before() {
            if (owner_.beforeCall) owner_.beforeCall();
        }
        bool After(std::span<std::uint8_t> r, bool ok) {
            if (owner_.onAnswer) owner_.onAnswer(r, ok);
            return ok;
        }
        WrappedMouse& owner_;
        std::unique_ptr<HidConnection> inner_;
    };

    sim::SimulatedMouse& mouse_;
};

// The simulated mouse on a fake clock, seen by the link through a WrappedMouse.
struct HostileRig {
    explicit HostileRig(sim::SimConfig config = {})
        : mouse(Clocked(std::move(config), clock)),
          wrapped(mouse),
          pacer(&clock),
          link(wrapped, pacer, DefaultKey()) {}
    bool Connect() { return link.FindDevice() && (link.Handshake(), link.Ready()); }

    FakeClock clock;
    sim::SimulatedMouse mouse;
    WrappedMouse wrapped;
    RecordingPacer pacer;
    DeviceLink link;
};

}  // namespace quarten::test
