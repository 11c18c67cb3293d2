// A HID transport whose collections and every answer come from the fuzz input: the input
// is read front to back, and once it is used up the mouse behaves as unplugged.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "device/DeviceLink.h"
#include "device/HidTransport.h"
#include "device/Pacer.h"

namespace quarten::fuzz {

class InputStream {
public:
    InputStream(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    std::uint8_t Byte() { return Empty() ? 0 : data_[at_++]; }
    // Fills the buffer from the input, zero-padded; false when nothing was left.
    bool Fill(std::span<std::uint8_t> out) {
        if (Empty()) {
            std::fill(out.begin(), out.end(), std::uint8_t{0});
            return false;
        }
        const std::size_t n = std::min(out.size(), size_ - at_);
        std::copy_n(data_ + at_, n, out.begin());
        std::fill(out.begin() + static_cast<std::ptrdiff_t>(n), out.end(), std::uint8_t{0});
        at_ += n;
        return true;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

class FuzzConnection : public HidConnection {
public:
    explicit FuzzConnection(InputStream& in) : in_(in) {}
    bool SetFeature(std::span<const std::uint8_t>) override { return !in_.Empty(); }
    bool GetFeature(std::span<std::uint8_t> report) override { return in_.Fill(report); }
    bool WriteReport(std::span<const std::uint8_t>) override { return !in_.Empty(); }
    bool ReadReport(std::span<std::uint8_t> report) override { return in_.Fill(report); }

private:
    InputStream& in_;
};

class GoneReader : public HidEventReader {
public:
    Result Read(std::span<std::uint8_t>) override { return {Status::Gone, 0}; }
    void Interrupt() override {}
};

// Input layout: a count of collections (0..4), five bytes per collection (role, flags,
// feature, input and output length), then the answers.
class FuzzTransport : public HidTransport {
public:
    explicit FuzzTransport(InputStream& in) : in_(in) {
        const int count = in.Byte() % 5;
        for (int i = 0; i < count; ++i) {
            const std::uint8_t role = in.Byte();
            const std::uint8_t flags = in.Byte();
            HidCollectionInfo c;
            c.path = "fuzz/" + std::to_string(i);
            c.vendorId = (flags & 1) ? 0x1234 : kVendorId;
            c.productId = kProductId;
            switch (role % 4) {
                case 0:
                    c.usagePage = kCommandUsagePage;
                    c.usage = kCommandUsage;
                    break;
                case 1:
                    c.usagePage = kEventUsagePage;
                    c.usage = kEventUsage;
                    break;
                case 2:
                    c.usagePage = 0xFF00;
                    c.usage = 0x0001;
                    break;
                default:
                    c.usagePage = 0x0001;
                    c.usage = 0x0002;
                    break;
            }
            if (flags & 2) c.problem = "report descriptor malformed";
            c.featureLength = in.Byte();
            c.inputLength = in.Byte();
            c.outputLength = in.Byte();
            openErrors_.push_back(static_cast<OpenError>((flags >> 2) % 5));
            collections_.push_back(c);
        }
    }

    std::vector<HidCollectionInfo> Enumerate(std::uint16_t, std::uint16_t) override {
        return in_.Empty() ? std::vector<HidCollectionInfo>{} : collections_;
    }
    std::unique_ptr<HidConnection> Open(const std::string& path, OpenError& error) override {
        error = ErrorOf(path);
        if (error != OpenError::None) return nullptr;
        return std::make_unique<FuzzConnection>(in_);
    }
    std::unique_ptr<HidEventReader> OpenEventReader(const std::string& path,
                                                    OpenError& error) override {
        error = ErrorOf(path);
        if (error != OpenError::None) return nullptr;
        return std::make_unique<GoneReader>();
    }

private:
    OpenError ErrorOf(const std::string& path) const {
        for (std::size_t i = 0; i < collections_.size(); ++i) {
            if (collections_[i].path == path) return openErrors_[i];
        }
        return OpenError::NotFound;
    }

    InputStream& in_;
    std::vector<HidCollectionInfo> collections_;
    std::vector<OpenError> openErrors_;
};

class NullPacer : public Pacer {
public:
    void Wait(int) override {}
};

}  // namespace quarten::fuzz
