#include "CtlCommands.h"
#include "HexText.h"
#include "transport/CDeviceTransport.h"
#include "transport/DeviceKinds.h"
#include "transport/DiscoveryPass.h"
#include "transport/TransportResult.h"

namespace dw::ctl {

namespace {

// The command slot that serves `slot`: the slot itself for a command interface, else the first
// command slot of the same device (same ids and kind).
size_t CommandSlotOf(size_t slot)
{
    const SupportedInterfaceRow& row = kSupportedInterfaces[slot];
    if (row.role == role::kCommand)
        return slot;
    for (size_t i = 0; i < kSupportedInterfaces.size(); ++i) {
        const SupportedInterfaceRow& other = kSupportedInterfaces[i];
        if (other.role == role::kCommand && other.vendorId == row.vendorId && other.productId == row.productId &&
            other.kind == row.kind)
            return i;
    }
    return slot;
}

}  // namespace

int RunTransact(hid::IHidBackend& backend, int slotArgument, std::string_view hexBytes, std::ostream& out,
                std::ostream& err)
{
    const std::optional<std::vector<uint8_t>> request = ParseHexBytes(hexBytes, kReportSize);
    if (!request || request->empty()) {
        err << "The request must be 1 to 64 hexadecimal bytes, as \"04 00 00 03 22\" or \"0400000322\".\n";
        return kExitUsage;
    }
    Report frame{};
    std::copy(request->begin(), request->end(), frame.begin());
    if (frame[frame::kReportId] == frame::kCommandReportId && frame[frame::kChecksumLow] == 0 &&
        frame[frame::kChecksumHigh] == 0)
        SealFrame(frame);

    CHidConnection probe(&backend);
    CDeviceSlotList slots;
    if (!RunDiscoveryPass(probe, slots, {})) {
        err << "The HID interfaces could not be listed.\n";
        return kExitDeviceError;
    }
    const size_t slot = CommandSlotOf(static_cast<size_t>(slotArgument));
    const DeviceInterfaceEntry entry = slots.Slot(slot);
    if (entry.connected == 0) {
        err << "No device is present on slot " << slot << ".\n";
        return kExitDeviceError;
    }

    CDeviceTransport transport(&backend);
    const bool receiver = IsReceiverKind(entry.kind);
    {
        std::lock_guard io(transport.IoLock());
        CHidConnection& connection = receiver ? transport.ReceiverConnection() : transport.WiredConnection();
        if (!connection.OpenPath(entry.path, true, true, true, false)) {
            err << "The command interface of slot " << slot << " could not be opened.\n";
            return kExitDeviceError;
        }
        transport.SetOpened(true);
        transport.SetLinkMode(receiver ? link::kReceiver : link::kWired);
    }

    Report reply{};
    size_t transferred = 0;
    int code = 0;
    {
        std::lock_guard command(transport.CommandLock());
        code = transport.Transact(frame, reply, transferred);
    }
    transport.SetOpened(false);
    transport.WiredConnection().Close();
    transport.ReceiverConnection().Close();

    out << "result=" << code << '\n';
    if (transferred > 0)
        out << "reply=" << FormatHexBytes(std::span<const uint8_t>(reply).first(std::min(transferred, reply.size())))
            << '\n';
    if (!result::Succeeded(code)) {
        err << "The transaction failed with result code " << code << ".\n";
        return kExitDeviceError;
    }
    return kExitSuccess;
}

}  // namespace dw::ctl
