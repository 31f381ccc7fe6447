#include "platform/hid/HidrawBackend.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <limits>
#include <mutex>
#include <string_view>

#include "platform/hid/HidrawNode.h"
#include "platform/hid/HidrawNodeInfo.h"
#include "platform/hid/Udev.h"

namespace dw::hid {

namespace {

// The kernel never hands out a longer descriptor (HID_MAX_DESCRIPTOR_SIZE).
constexpr size_t kMaxDescriptorBytes = 4096;
constexpr const char* kSysHidrawFolder = "/sys/class/hidraw";
constexpr const char* kReportDescriptorFile = "/report_descriptor";
constexpr std::string_view kHidrawPrefix = "hidraw";
constexpr std::string_view kHidrawNodePrefix = "/dev/hidraw";

// Number of a "hidrawN" name, for ordering; names without one sort last.
unsigned long NodeNumber(std::string_view sysname) {
    unsigned long n = std::numeric_limits<unsigned long>::max();
    if (sysname.substr(0, kHidrawPrefix.size()) == kHidrawPrefix) {
        const std::string_view digits = sysname.substr(kHidrawPrefix.size());
        std::from_chars(digits.data(), digits.data() + digits.size(), n);
    }
    return n;
}

std::vector<uint8_t> ReadFileBounded(const std::string& path, size_t limit) {
    std::vector<uint8_t> bytes;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return bytes;
    }
    bytes.resize(limit);
    size_t got = 0;
    while (got < limit) {
        const ssize_t n = read(fd, bytes.data() + got, limit - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        got += static_cast<size_t>(n);
    }
    close(fd);
    bytes.resize(got);
    return bytes;
}

// Asks the node itself, for systems where sysfs does not show the descriptor.
std::vector<uint8_t> ReadDescriptorByIoctl(const std::string& devnode) {
    std::vector<uint8_t> bytes;
    const int fd = open(devnode.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return bytes;
    }
    int size = 0;
    hidraw_report_descriptor rd{};
    if (ioctl(fd, HIDIOCGRDESCSIZE, &size) == 0 && size > 0 && static_cast<size_t>(size) <= sizeof rd.value) {
        rd.size = static_cast<uint32_t>(size);
        if (ioctl(fd, HIDIOCGRDESC, &rd) == 0) {
            bytes.assign(rd.value, rd.value + rd.size);
        }
    }
    close(fd);
    return bytes;
}

HidNodeInfo MakeNodeInfo(const UdevHidrawDevice& d) {
    HidNodeInfo info = DescribeHidrawDevice(d);
    if (!d.hidSyspath.empty()) {
        info.reportDescriptor = ReadFileBounded(d.hidSyspath + kReportDescriptorFile, kMaxDescriptorBytes);
    }
    if (info.reportDescriptor.empty()) {
        info.reportDescriptor = ReadDescriptorByIoctl(info.node);
    }
    return info;
}

// The hidraw names present, joined: a change shows a plug or unplug even where no udev
// daemon sends events (containers).
std::string HidrawFingerprint() {
    std::vector<std::string> names;
    if (DIR* dir = opendir(kSysHidrawFolder)) {
        while (const dirent* e = readdir(dir)) {
            const std::string_view name(e->d_name);
            if (name.substr(0, kHidrawPrefix.size()) == kHidrawPrefix) {
                names.emplace_back(name);
            }
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const std::string& n : names) {
        joined += n;
        joined += ' ';
    }
    return joined;
}

}  // namespace

struct HidrawBackend::State {
    std::mutex mutex;   // libudev objects are not thread-safe
    Udev udev;
    bool monitoring = false;
    std::string fingerprint;
    uint64_t changes = 0;
};

HidrawBackend::HidrawBackend() : state_(std::make_unique<State>()) {
    state_->monitoring = state_->udev.StartMonitor();
    state_->fingerprint = HidrawFingerprint();
}

HidrawBackend::~HidrawBackend() = default;

std::vector<HidNodeInfo> HidrawBackend::ListNodes() {
    std::vector<UdevHidrawDevice> devices;
    {
        std::lock_guard lock(state_->mutex);
        devices = state_->udev.ListHidraw();
    }
    std::sort(devices.begin(), devices.end(), [](const UdevHidrawDevice& a, const UdevHidrawDevice& b) {
        const unsigned long na = NodeNumber(a.sysname);
        const unsigned long nb = NodeNumber(b.sysname);
        return na != nb ? na < nb : a.sysname < b.sysname;
    });
    std::vector<HidNodeInfo> nodes;
    nodes.reserve(devices.size());
    for (const UdevHidrawDevice& d : devices) {
        nodes.push_back(MakeNodeInfo(d));
    }
    return nodes;
}

std::unique_ptr<IHidNode> HidrawBackend::Open(const std::string& node, const OpenMode& mode) {
    // Only hidraw nodes are opened: a node name can come from an identity string stored by an
    // earlier run, and must not open whatever file it happens to name.
    const std::string_view name(node);
    const std::string_view prefix = kHidrawNodePrefix;
    if (name.substr(0, prefix.size()) != prefix || name.find('/', prefix.size()) != std::string_view::npos) {
        return nullptr;
    }
    return HidrawNode::Open(node, mode);
}

uint64_t HidrawBackend::ChangeCount() {
    std::lock_guard lock(state_->mutex);
    if (state_->monitoring) {
        state_->changes += state_->udev.DrainMonitor();
    }
    std::string fingerprint = HidrawFingerprint();
    if (fingerprint != state_->fingerprint) {
        state_->fingerprint = std::move(fingerprint);
        ++state_->changes;
    }
    return state_->changes;
}

}  // namespace dw::hid
