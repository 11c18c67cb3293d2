#include "platform/HidapiTransport.h"

#include <fcntl.h>
#include <hidapi.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "device/Diagnostics.h"

namespace quarten {
namespace {

// How long a block read waits for the mouse's next chunk before it counts as missing.
constexpr int kReadReportTimeoutMs = 500;

std::string Narrow(const wchar_t* text) {
    std::string out;
    for (; text && *text; ++text) out.push_back(*text < 0x80 ? static_cast<char>(*text) : '?');
    return out;
}

class HidapiConnection : public HidConnection {
public:
    HidapiConnection(hid_device* device, bool usesReportIds)
        : device_(device), usesReportIds_(usesReportIds) {}
    ~HidapiConnection() override { hid_close(device_); }

    bool SetFeature(std::span<const std::uint8_t> report) override {
        return hid_send_feature_report(device_, report.data(), report.size()) >= 0;
    }
    bool GetFeature(std::span<std::uint8_t> report) override {
        return hid_get_feature_report(device_, report.data(), report.size()) >= 0;
    }
    bool WriteReport(std::span<const std::uint8_t> report) override {
        return hid_write(device_, report.data(), report.size()) >= 0;
    }
    // hidapi hands input reports of a device without report IDs over without the ID byte;
    // put the data where the frame layout expects it.
    bool ReadReport(std::span<std::uint8_t> report) override {
        if (report.size() < 2) return false;
        const std::size_t offset = usesReportIds_ ? 0 : 1;
        const int n = hid_read_timeout(device_, report.data() + offset, report.size() - offset,
                                       kReadReportTimeoutMs);
        if (!usesReportIds_) report[0] = 0;
        return n > 0;
    }

private:
    hid_device* device_;
    bool usesReportIds_;
};

// Blocks in poll(2) on the hidraw node and an eventfd: no wake-ups while the mouse is idle.
class HidrawEventReader : public HidEventReader {
public:
    HidrawEventReader(int fd, int wakeFd, bool usesReportIds)
        : fd_(fd), wakeFd_(wakeFd), usesReportIds_(usesReportIds) {}
    ~HidrawEventReader() override {
        ::close(fd_);
        ::close(wakeFd_);
    }

    Result Read(std::span<std::uint8_t> report) override {
        const std::size_t offset = usesReportIds_ ? 0 : 1;
        if (report.size() <= offset) return {Status::Gone, 0};
        for (;;) {
            pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR) continue;
                return {Status::Gone, 0};
            }
            if (fds[1].revents & POLLIN) {
                std::uint64_t count = 0;
                [[maybe_unused]] ssize_t ignored = ::read(wakeFd_, &count, sizeof count);
                return {Status::Interrupted, 0};
            }
            if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) return {Status::Gone, 0};
            if (!(fds[0].revents & POLLIN)) continue;
            const ssize_t n = ::read(fd_, report.data() + offset, report.size() - offset);
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            if (n <= 0) return {Status::Gone, 0};
            if (offset) report[0] = 0;
            return {Status::Report, static_cast<std::size_t>(n) + offset};
        }
    }

    void Interrupt() override {
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t ignored = ::write(wakeFd_, &one, sizeof one);
    }

private:
    int fd_;
    int wakeFd_;
    bool usesReportIds_;
};

}  // namespace

OpenError OpenErrorFromErrno(int error) {
    switch (error) {
        case EACCES:
        case EPERM: return OpenError::PermissionDenied;
        case EBUSY: return OpenError::Busy;
        case ENOENT:
        case ENODEV:
        case ENXIO: return OpenError::NotFound;
        default: return OpenError::Other;
    }
}

HidapiTransport::HidapiTransport() { initialised_ = hid_init() == 0; }

HidapiTransport::~HidapiTransport() {
    if (initialised_) hid_exit();
}

std::optional<ParsedDescriptor> HidapiTransport::Descriptor(const std::string& path,
                                                            std::string* problem) {
    const std::string node = std::filesystem::path(path).filename();
    const auto sysfs = std::filesystem::path("/sys/class/hidraw") / node / "device" /
                       "report_descriptor";
    std::ifstream in(sysfs, std::ios::binary);
    if (!in) {
        *problem = "report descriptor unreadable (" + sysfs.string() + ")";
        return std::nullopt;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    std::string reason;
    auto parsed = ParseReportDescriptor(bytes, &reason);
    if (!parsed) *problem = "report descriptor malformed: " + reason;
    return parsed;
}

std::vector<HidCollectionInfo> HidapiTransport::Enumerate(std::uint16_t vendorId,
                                                          std::uint16_t productId) {
    std::vector<HidCollectionInfo> out;
    if (!initialised_) return out;
    hid_device_info* list = hid_enumerate(vendorId, productId);
    for (hid_device_info* d = list; d; d = d->next) {
        HidCollectionInfo info;
        info.path = d->path ? d->path : "";
        info.vendorId = d->vendor_id;
        info.productId = d->product_id;
        info.version = d->release_number;
        info.usagePage = d->usage_page;
        info.usage = d->usage;
        std::string problem;
        if (auto parsed = Descriptor(info.path, &problem)) {
            problem = "no collection with this usage in the report descriptor";
            for (const CollectionReportLengths& c : parsed->collections) {
                if (c.usagePage == info.usagePage && c.usage == info.usage) {
                    info.featureLength = c.featureLength;
                    info.inputLength = c.inputLength;
                    info.outputLength = c.outputLength;
                    problem.clear();
                    break;
                }
            }
        }
        info.problem = problem;
        Diagnose("enumerated %s %04x:%04x usage %04x/%04x (%ls)", info.path.c_str(),
                 info.vendorId, info.productId, info.usagePage, info.usage,
                 d->product_string ? d->product_string : L"");
        out.push_back(std::move(info));
    }
    hid_free_enumeration(list);
    return out;
}

std::unique_ptr<HidConnection> HidapiTransport::Open(const std::string& path, OpenError& error) {
    // hidapi reports a failed open without its cause; ask the node directly first so that
    // a missing permission can be told apart from a busy or vanished mouse.
    const int probe = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (probe < 0) {
        error = OpenErrorFromErrno(errno);
        return nullptr;
    }
    ::close(probe);
    std::string problem;
    const auto parsed = Descriptor(path, &problem);
    hid_device* device = hid_open_path(path.c_str());
    if (!device) {
        Diagnose("hid_open_path %s: %s", path.c_str(), Narrow(hid_error(nullptr)).c_str());
        error = OpenError::Other;
        return nullptr;
    }
    error = OpenError::None;
    return std::make_unique<HidapiConnection>(device, parsed && parsed->usesReportIds);
}

std::unique_ptr<HidEventReader> HidapiTransport::OpenEventReader(const std::string& path,
                                                                 OpenError& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = OpenErrorFromErrno(errno);
        return nullptr;
    }
    const int wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0) {
        error = OpenErrorFromErrno(errno);
        ::close(fd);
        return nullptr;
    }
    std::string problem;
    const auto parsed = Descriptor(path, &problem);
    error = OpenError::None;
    return std::make_unique<HidrawEventReader>(fd, wakeFd, parsed && parsed->usesReportIds);
}

}  // namespace quarten
