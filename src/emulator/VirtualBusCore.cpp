#include "emulator/VirtualBusCore.h"

#include <algorithm>

namespace dw::emu {

namespace {

constexpr const char* kNodePrefix = "/dev/hidraw-emu";

// The command byte a faulty reply carries instead of the request's. Never 0xAA, which would
// read as "not linked" rather than as a wrong echo.
uint8_t WrongEchoOf(uint8_t command)
{
    const uint8_t wrong = command ^ 0x80;
    return wrong == frame::kNotLinkedEcho ? static_cast<uint8_t>(0x2A) : wrong;
}

const OutputReportShape* FindOutputShape(const InterfaceLayout& layout, uint8_t reportId, size_t byteLength)
{
    for (const OutputReportShape& shape : layout.outputReports) {
        if (shape.reportId == reportId && shape.byteLength == byteLength)
            return &shape;
    }
    return nullptr;
}

}  // namespace

int VirtualBusCore::LowestFreeNumber() const
{
    // As hidraw hands out minor numbers: the lowest one no present node holds.
    for (int number = 0;; ++number) {
        const bool used = std::any_of(nodes.begin(), nodes.end(), [&](const auto& n) { return n->number == number; });
        if (!used)
            return number;
    }
}

bool VirtualBusCore::Plug(DeviceState& device, Link link)
{
    const ModelDescription& model = DescribeModel(device.model);
    if (link == Link::Receiver && !model.hasReceiver)
        return false;
    auto& linkNodes = link == Link::Cable ? device.cableNodes : device.receiverNodes;
    if (!linkNodes.empty())
        return true;
    const UsbIdentity& identity = link == Link::Cable ? model.cable : model.receiver;
    const auto layouts = link == Link::Cable ? model.cableInterfaces : model.receiverInterfaces;
    for (const InterfaceLayout& layout : layouts) {
        auto node = std::make_shared<BusNode>();
        node->number = LowestFreeNumber();
        node->info.node = kNodePrefix + std::to_string(node->number);
        node->info.vendorId = identity.vendorId;
        node->info.productId = identity.productId;
        node->info.version = identity.version;
        node->info.interfaceNumber = layout.interfaceNumber;
        node->info.reportDescriptor.assign(layout.descriptor.begin(), layout.descriptor.end());
        node->layout = &layout;
        node->device = &device;
        node->link = link;
        linkNodes.push_back(node);
        nodes.push_back(node);
        ++changeCount;
    }
    std::sort(nodes.begin(), nodes.end(), [](const auto& a, const auto& b) { return a->number < b->number; });
    return true;
}

bool VirtualBusCore::Unplug(DeviceState& device, Link link)
{
    auto& linkNodes = link == Link::Cable ? device.cableNodes : device.receiverNodes;
    if (linkNodes.empty())
        return false;
    const Clock::time_point now = Clock::now();
    for (const auto& node : linkNodes) {
        node->present = false;
        // Reports already delivered stay readable, as hidraw keeps them; replies still held
        // back by a late-reply fault never leave the device.
        for (const auto& reader : node->readers) {
            std::erase_if(reader->reports, [&](const HandleQueue::Pending& p) { return p.due > now; });
            reader->wake.notify_all();
        }
        std::erase(nodes, node);
        ++changeCount;
    }
    linkNodes.clear();
    return true;
}

bool VirtualBusCore::ReceiverLinked(const DeviceState& device)
{
    return device.powered && device.cableNodes.empty();
}

BusNode* VirtualBusCore::FindNode(DeviceState& device, Link link, int interfaceNumber)
{
    for (const auto& node : link == Link::Cable ? device.cableNodes : device.receiverNodes) {
        if (node->layout->interfaceNumber == interfaceNumber)
            return node.get();
    }
    return nullptr;
}

BusNode* VirtualBusCore::NotificationNode(DeviceState& device)
{
    auto withNotify = [](const std::vector<std::shared_ptr<BusNode>>& list) -> BusNode* {
        for (const auto& node : list) {
            if (node->layout->notifyReportId != 0)
                return node.get();
        }
        return nullptr;
    };
    if (!device.cableNodes.empty())
        return withNotify(device.cableNodes);
    if (ReceiverLinked(device))
        return withNotify(device.receiverNodes);
    return nullptr;
}

void VirtualBusCore::HandleOutput(BusNode& node, std::span<const uint8_t> report)
{
    const InterfaceLayout& layout = *node.layout;
    // A node without report ids takes its reports with a leading 0 that never reaches the
    // device, as hidraw does.
    std::span<const uint8_t> wire = report;
    if (!layout.usesReportIds && !report.empty() && report[0] == 0)
        wire = report.subspan(1);
    trace.Record({TraceDirection::HostToDevice, node.info.node, {wire.begin(), wire.end()}});

    const uint8_t reportId = layout.usesReportIds ? report[0] : 0;
    const size_t byteLength = layout.usesReportIds ? report.size() : wire.size() + 1;
    if (FindOutputShape(layout, reportId, byteLength) == nullptr)
        return;   // not a report this interface declares: the device ignores it
    if (node.device->firmware == nullptr)
        return;
    if (layout.commandReportId != 0 && reportId == layout.commandReportId) {
        Report frameBytes;
        std::copy(report.begin(), report.end(), frameBytes.begin());
        HandleCommandFrame(node, frameBytes);
    } else if (layout.ledReportId != 0 && reportId == layout.ledReportId) {
        node.device->firmware->HandleOutputReport(report);
    }
}

void VirtualBusCore::HandleCommandFrame(BusNode& node, const Report& frameBytes)
{
    DeviceState& device = *node.device;
    const uint8_t command = FrameCommand(frameBytes);
    const std::optional<FaultSpec> fault = device.faults.Take(command);
    int delayMs = 0;
    std::optional<Report> reply;
    if (fault) {
        switch (fault->kind) {
        case FaultKind::NoReply:
            return;
        case FaultKind::UnplugDuringTransfer:
            Unplug(device, node.link);
            return;
        case FaultKind::StatusRejected:
            reply = BuildStatusReply(frameBytes, frame::kStatusRejected);
            break;
        case FaultKind::StatusRefused:
            reply = BuildStatusReply(frameBytes, frame::kStatusRefused);
            break;
        case FaultKind::LateReply:
            delayMs = std::max(0, fault->delayMs);
            break;
        case FaultKind::WrongEcho:
            break;
        }
    }
    if (!reply) {
        if (node.link == Link::Receiver && !ReceiverLinked(device))
            reply = DeviceFirmware::NotLinkedReply();
        else
            reply = device.firmware->HandleCommand(frameBytes, node.link);
    }
    if (!reply)
        return;
    if (fault && fault->kind == FaultKind::WrongEcho) {
        (*reply)[frame::kCommand] = WrongEchoOf(command);
        SealFrame(*reply);
    }
    Deliver(node, {reply->begin(), reply->end()}, delayMs);
}

void VirtualBusCore::Deliver(BusNode& node, std::vector<uint8_t> wire, int delayMs)
{
    if (!node.present)
        return;
    trace.Record({TraceDirection::DeviceToHost, node.info.node, wire});
    const Clock::time_point now = Clock::now();
    for (const auto& reader : node.readers) {
        if (reader->reports.size() >= HandleQueue::kCapacity)
            continue;   // the reader lags: the newest report is lost, as with hidraw
        Clock::time_point due = now + std::chrono::milliseconds(delayMs);
        // Reports leave the device's endpoint in order: nothing overtakes a held-back reply.
        if (!reader->reports.empty())
            due = std::max(due, reader->reports.back().due);
        reader->reports.push_back({due, wire});
        reader->wake.notify_all();
    }
}

}  // namespace dw::emu
