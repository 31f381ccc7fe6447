#include "transport/CHidConnection.h"

#include <algorithm>

#include "platform/hid/HidBackendSelection.h"
#include "platform/hid/HidCollectionConnection.h"
#include "platform/hid/HidIdentity.h"
#include "platform/hid/HidInterfaceList.h"
#include "transport/HidPathParsers.h"

namespace dw {

using hid::HidReportType;

namespace {

// Identity strings are ASCII by construction, and a node name is a byte string. Each byte is
// widened to one wide character and narrowed back the same way, so a path survives the round
// trip unchanged whatever its bytes.
std::wstring Widen(std::string_view text)
{
    std::wstring wide;
    wide.reserve(text.size());
    for (char c : text)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
}

bool Narrow(std::wstring_view wide, std::string& out)
{
    out.clear();
    out.reserve(wide.size());
    for (wchar_t c : wide) {
        if (c < 0 || c > 0xFF)
            return false;  // not a path this layer handed out
        out.push_back(static_cast<char>(static_cast<unsigned char>(c)));
    }
    return true;
}

size_t TypeIndex(HidReportType type) { return static_cast<size_t>(type); }

}  // namespace

struct CHidConnection::OpenInterface {
    std::unique_ptr<hid::HidCollectionConnection> connection;
};

CHidConnection::CHidConnection(hid::IHidBackend* backend) : backend_(backend) {}

CHidConnection::~CHidConnection()
{
    Close();
    FreeHidPaths();
}

hid::IHidBackend& CHidConnection::Backend() const
{
    return backend_ != nullptr ? *backend_ : hid::ActiveHidBackend();
}

std::shared_ptr<CHidConnection::OpenInterface> CHidConnection::Current() const
{
    std::lock_guard lock(mutex_);
    return open_;
}

// --- Enumeration -----------------------------------------------------------------------------

bool CHidConnection::EnumerateHidPaths()
{
    FreeHidPaths();
    const hid::HidInterfaceList list = hid::HidInterfaceList::Enumerate(Backend());
    paths_.resize(kInitialPathCapacity);
    uint32_t index = 0;
    for (const hid::HidInterfaceEntry& entry : list.entries()) {
        if (index == paths_.size())
            paths_.resize(paths_.size() * 2);  // filled slots kept, new ones empty
        paths_[index++] = Widen(entry.identity);
    }
    pathCount_ = index;
    pathCursor_ = 0;
    return true;
}

std::optional<std::wstring> CHidConnection::NextHidPath()
{
    if (paths_.empty() || pathCursor_ >= pathCount_)
        return std::nullopt;
    return paths_[pathCursor_++];
}

void CHidConnection::FreeHidPaths()
{
    paths_.clear();
    paths_.shrink_to_fit();
    pathCount_ = 0;
    pathCursor_ = 0;
}

// --- Open and close --------------------------------------------------------------------------

bool CHidConnection::OpenPath(std::wstring_view path, bool read, bool write, bool overlapped, bool exclusive)
{
    {
        std::lock_guard lock(mutex_);
        devicePath_ = path;
        openRead_ = read;
        openWrite_ = write;
        overlapped_ = overlapped;
        exclusive_ = exclusive;
    }
    return Reopen();
}

bool CHidConnection::Reopen()
{
    std::lock_guard lock(mutex_);
    CloseLocked();

    std::string identity;
    if (devicePath_.empty() || !Narrow(devicePath_, identity))
        return false;

    // Only the node the path names is described again, not every node present.
    std::string nodeName;
    uint16_t collectionNumber = 0;
    if (!hid::ParseHidIdentity(identity, nodeName, collectionNumber))
        return false;
    hid::IHidBackend& backend = Backend();
    std::vector<hid::HidNodeInfo> nodes = backend.ListNodes();
    std::erase_if(nodes, [&](const hid::HidNodeInfo& info) { return info.node != nodeName; });
    const hid::HidInterfaceList list = hid::HidInterfaceList::FromNodes(nodes);
    const hid::HidInterfaceEntry* entry = list.Find(identity);
    if (entry == nullptr)
        return false;
    // A node name can be reused by another device after an unplug; the ids in the path must
    // still be those of the device behind it.
    const uint16_t pathVendor = VendorIdOfPath(devicePath_);
    const uint16_t pathProduct = ProductIdOfPath(devicePath_);
    if ((pathVendor != 0 && pathVendor != entry->vendorId) || (pathProduct != 0 && pathProduct != entry->productId))
        return false;

    hid::OpenMode mode;
    mode.read = openRead_;
    mode.write = openWrite_;
    mode.overlapped = overlapped_;
    mode.exclusive = exclusive_;
    std::unique_ptr<hid::HidCollectionConnection> connection = hid::HidCollectionConnection::Open(backend, *entry, mode);
    if (!connection)
        return false;

    const hid::HidCollection& collection = entry->collection;
    caps_.usage = collection.usage;
    caps_.usagePage = collection.usagePage;
    caps_.inputReportByteLength = collection.inputReportByteLength;
    caps_.outputReportByteLength = collection.outputReportByteLength;
    caps_.featureReportByteLength = collection.featureReportByteLength;
    caps_.numberInputButtonCaps = static_cast<uint16_t>(collection.ButtonCapCount(HidReportType::Input));
    caps_.numberInputValueCaps = static_cast<uint16_t>(collection.ValueCapCount(HidReportType::Input));
    caps_.numberOutputButtonCaps = static_cast<uint16_t>(collection.ButtonCapCount(HidReportType::Output));
    caps_.numberOutputValueCaps = static_cast<uint16_t>(collection.ValueCapCount(HidReportType::Output));
    caps_.numberFeatureButtonCaps = static_cast<uint16_t>(collection.ButtonCapCount(HidReportType::Feature));
    caps_.numberFeatureValueCaps = static_cast<uint16_t>(collection.ValueCapCount(HidReportType::Feature));
    attributes_.vendorId = entry->vendorId;
    attributes_.productId = entry->productId;
    attributes_.versionNumber = entry->version;

    for (HidReportType type : {HidReportType::Input, HidReportType::Output, HidReportType::Feature})
        BuildReportTypeData(collection, type, reportData_[TypeIndex(type)]);

    interfaceNumber_ = InterfaceNumberOfPath(devicePath_);
    collectionNumber_ = CollectionNumberOfPath(devicePath_);

    auto open = std::make_shared<OpenInterface>();
    open->connection = std::move(connection);
    open_ = std::move(open);
    return true;
}

void CHidConnection::BuildReportTypeData(const hid::HidCollection& collection, HidReportType type, ReportTypeData& out)
{
    out = ReportTypeData{};
    out.buffer.assign(collection.ReportByteLength(type), 0);
    for (const hid::HidButtonCap& cap : collection.buttonCaps) {
        if (cap.reportType == type)
            out.buttonCaps.push_back(cap);
    }
    for (const hid::HidValueCap& cap : collection.valueCaps) {
        if (cap.reportType == type)
            out.valueCaps.push_back(cap);
    }

    // Button items first, one per capability, then one value item per usage of each value
    // capability. The descriptor is untrusted: past kMaxReportItems items, building stops.
    for (const hid::HidButtonCap& cap : out.buttonCaps) {
        if (out.items.size() >= kMaxReportItems)
            return;
        HidReportItem item;
        item.isButtonData = true;
        item.usagePage = cap.usagePage;
        item.reportId = cap.reportId;
        item.usageMin = cap.usageMin;
        item.usageMax = cap.isRange ? cap.usageMax : cap.usageMin;
        item.maxUsageCount = static_cast<uint32_t>(
            std::min(hid::HidMaxUsageListLength(collection, type, cap.usagePage), kMaxUsagesPerItem));
        item.usages.assign(item.maxUsageCount, 0);
        out.items.push_back(std::move(item));
    }
    for (const hid::HidValueCap& cap : out.valueCaps) {
        const uint32_t last = cap.isRange ? cap.usageMax : cap.usageMin;
        for (uint32_t usage = cap.usageMin; usage <= last; ++usage) {
            if (out.items.size() >= kMaxReportItems)
                return;
            HidReportItem item;
            item.usagePage = cap.usagePage;
            item.reportId = cap.reportId;
            item.usage = static_cast<uint16_t>(usage);
            out.items.push_back(std::move(item));
        }
    }
}

void CHidConnection::Close()
{
    std::lock_guard lock(mutex_);
    CloseLocked();
}

void CHidConnection::CloseLocked()
{
    if (open_) {
        // Breaks a read or write waiting on this interface at once. A call still holding the
        // interface keeps it alive until it returns; nothing waits on it afterwards.
        open_->connection->Abort();
        open_.reset();
    }
    caps_ = HidCapabilities{};
    attributes_ = HidAttributes{};
    for (ReportTypeData& data : reportData_)
        data = ReportTypeData{};
    interfaceNumber_ = 0;
    collectionNumber_ = 0;
}

bool CHidConnection::IsOpen() const
{
    std::lock_guard lock(mutex_);
    return open_ != nullptr;
}

// --- Report I/O ------------------------------------------------------------------------------

bool CHidConnection::ReadReport(std::span<uint8_t> buffer, size_t& transferred, int timeoutMs)
{
    transferred = 0;
    const std::shared_ptr<OpenInterface> open = Current();
    if (!open)
        return false;
    size_t got = 0;
    const hid::IoResult result = open->connection->Read(buffer, timeoutMs, got);
    if (result != hid::IoResult::Ok)
        return false;
    transferred = got;
    return true;
}

bool CHidConnection::WriteReport(std::span<const uint8_t> report, size_t& transferred, int timeoutMs)
{
    transferred = 0;
    const std::shared_ptr<OpenInterface> open = Current();
    if (!open)
        return false;
    size_t sent = 0;
    const hid::IoResult result = open->connection->Write(report, timeoutMs, sent);
    if (result != hid::IoResult::Ok)
        return false;
    transferred = sent;
    return true;
}

hid::HidStatus CHidConnection::UnpackInputReport(std::span<const uint8_t> report)
{
    std::lock_guard lock(mutex_);
    std::vector<HidReportItem>& items = reportData_[TypeIndex(HidReportType::Input)].items;
    for (HidReportItem& item : items)
        item.isDataSet = false;
    if (!open_ || report.empty())
        return hid::HidStatus::InvalidReportLength;

    const hid::HidCollection& collection = open_->connection->collection();
    const uint8_t reportId = report[0];
    std::vector<uint16_t> pressed;
    for (HidReportItem& item : items) {
        if (item.reportId != reportId)
            continue;
        if (item.isButtonData) {
            pressed.assign(item.maxUsageCount, 0);
            size_t count = 0;
            item.status = hid::GetHidUsages(collection, HidReportType::Input, item.usagePage, report, pressed, count);
            // Keep the usages inside this item's range, in order; zeros end a shorter list.
            std::fill(item.usages.begin(), item.usages.end(), uint16_t{0});
            size_t kept = 0;
            for (size_t i = 0; i < count && kept < item.usages.size(); ++i) {
                if (pressed[i] >= item.usageMin && pressed[i] <= item.usageMax)
                    item.usages[kept++] = pressed[i];
            }
            item.isDataSet = true;
            continue;
        }
        uint32_t value = 0;
        item.status = hid::GetHidUsageValue(collection, HidReportType::Input, item.usagePage, item.usage, report, value);
        if (item.status != hid::HidStatus::Success)
            return item.status;
        item.value = value;
        int32_t scaled = 0;
        if (hid::GetHidScaledUsageValue(collection, HidReportType::Input, item.usagePage, item.usage, report, scaled) ==
            hid::HidStatus::Success)
            item.scaledValue = scaled;
        item.isDataSet = true;
    }
    return hid::HidStatus::Success;
}

// --- What the open interface declares --------------------------------------------------------

HidCapabilities CHidConnection::Capabilities() const
{
    std::lock_guard lock(mutex_);
    return caps_;
}

HidAttributes CHidConnection::Attributes() const
{
    std::lock_guard lock(mutex_);
    return attributes_;
}

uint16_t CHidConnection::InterfaceNumber() const
{
    std::lock_guard lock(mutex_);
    return interfaceNumber_;
}

uint16_t CHidConnection::CollectionNumber() const
{
    std::lock_guard lock(mutex_);
    return collectionNumber_;
}

std::wstring CHidConnection::DevicePath() const
{
    std::lock_guard lock(mutex_);
    return devicePath_;
}

std::vector<uint8_t> CHidConnection::InputReportBuffer() const
{
    std::lock_guard lock(mutex_);
    return reportData_[TypeIndex(HidReportType::Input)].buffer;
}

std::vector<uint8_t> CHidConnection::OutputReportBuffer() const
{
    std::lock_guard lock(mutex_);
    return reportData_[TypeIndex(HidReportType::Output)].buffer;
}

std::vector<uint8_t> CHidConnection::FeatureReportBuffer() const
{
    std::lock_guard lock(mutex_);
    return reportData_[TypeIndex(HidReportType::Feature)].buffer;
}

std::vector<HidReportItem> CHidConnection::InputItems() const
{
    std::lock_guard lock(mutex_);
    return reportData_[TypeIndex(HidReportType::Input)].items;
}

std::vector<HidReportItem> CHidConnection::OutputItems() const
{
    std::lock_guard lock(mutex_);
    return reportData_[TypeIndex(HidReportType::Output)].items;
}

std::vector<HidReportItem> CHidConnection::FeatureItems() const
{
    std::lock_guard lock(mutex_);
    return reportData_[TypeIndex(HidReportType::Feature)].items;
}

std::vector<hid::HidButtonCap> CHidConnection::ButtonCaps(HidReportType type) const
{
    std::lock_guard lock(mutex_);
    return reportData_[TypeIndex(type)].buttonCaps;
}

std::vector<hid::HidValueCap> CHidConnection::ValueCaps(HidReportType type) const
{
    std::lock_guard lock(mutex_);
    return reportData_[TypeIndex(type)].valueCaps;
}

uint16_t CHidConnection::FirstInputUsage() const
{
    std::lock_guard lock(mutex_);
    for (const HidReportItem& item : reportData_[TypeIndex(HidReportType::Input)].items) {
        if (!item.isDataSet)
            continue;
        // A button item carries the code as its first pressed usage; a value item as its value.
        return item.isButtonData ? (item.usages.empty() ? uint16_t{0} : item.usages[0])
                                 : static_cast<uint16_t>(item.value);
    }
    return 0;
}

}  // namespace dw
