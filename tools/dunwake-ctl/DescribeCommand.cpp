#include <cstdio>
#include <fstream>
#include <iterator>

#include "CtlCommands.h"
#include "HexText.h"
#include "platform/hid/HidReportDescriptor.h"

namespace dw::ctl {

namespace {

// No real descriptor comes near this; a bigger file is not one.
constexpr size_t kMaxDescriptorFileBytes = 1 << 20;

using hid::HidReportType;

const char* TypeName(HidReportType type)
{
    switch (type) {
    case HidReportType::Input:
        return "input";
    case HidReportType::Output:
        return "output";
    case HidReportType::Feature:
        return "feature";
    }
    return "?";
}

std::string Hex(uint32_t value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*x", digits, value);
    return text;
}

std::string UsageText(uint16_t min, uint16_t max, bool isRange)
{
    return isRange && max != min ? Hex(min, 4) + ".." + Hex(max, 4) : Hex(min, 4);
}

bool LooksLikeText(const std::vector<uint8_t>& bytes)
{
    for (uint8_t b : bytes) {
        if (!(b == '\n' || b == '\r' || b == '\t' || (b >= 0x20 && b < 0x7F)))
            return false;
    }
    return true;
}

void PrintCollection(std::ostream& out, size_t number, const hid::HidCollection& c)
{
    out << "collection " << number << " usage_page=" << Hex(c.usagePage, 4) << " usage=" << Hex(c.usage, 4)
        << " input=" << c.inputReportByteLength << " output=" << c.outputReportByteLength
        << " feature=" << c.featureReportByteLength << '\n';
    out << "  report_ids=";
    if (!c.usesReportIds) {
        out << "none";
    } else {
        for (size_t i = 0; i < c.reportIds.size(); ++i)
            out << (i ? "," : "") << static_cast<int>(c.reportIds[i]);
    }
    out << '\n';
    for (const hid::HidButtonCap& cap : c.buttonCaps) {
        out << "  button " << TypeName(cap.reportType) << " report_id=" << static_cast<int>(cap.reportId)
            << " usage_page=" << Hex(cap.usagePage, 4) << " usage=" << UsageText(cap.usageMin, cap.usageMax, cap.isRange)
            << (cap.isArray ? " array" : " variable") << " count=" << cap.reportCount << " bit=" << cap.bitPosition
            << '\n';
    }
    for (const hid::HidValueCap& cap : c.valueCaps) {
        out << "  value " << TypeName(cap.reportType) << " report_id=" << static_cast<int>(cap.reportId)
            << " usage_page=" << Hex(cap.usagePage, 4) << " usage=" << UsageText(cap.usageMin, cap.usageMax, cap.isRange)
            << " bits=" << cap.bitSize << " count=" << cap.reportCount << " logical=" << cap.logicalMin << ".."
            << cap.logicalMax << " physical=" << cap.physicalMin << ".." << cap.physicalMax << " bit=" << cap.bitPosition
            << '\n';
    }
}

}  // namespace

int RunDescribe(const std::string& file, std::ostream& out, std::ostream& err)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        err << "The file " << file << " could not be opened.\n";
        return kExitDeviceError;
    }
    std::vector<uint8_t> bytes;
    char chunk[4096];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.insert(bytes.end(), chunk, chunk + in.gcount());
        if (bytes.size() > kMaxDescriptorFileBytes) {
            err << "The file " << file << " is too large to be a report descriptor.\n";
            return kExitDeviceError;
        }
    }

    std::vector<uint8_t> descriptor = bytes;
    if (LooksLikeText(bytes)) {
        const std::string text(bytes.begin(), bytes.end());
        std::optional<std::vector<uint8_t>> parsed = ParseHexBytes(text, kMaxDescriptorFileBytes);
        if (!parsed) {
            err << "The file " << file << " is text but not hexadecimal bytes.\n";
            return kExitDeviceError;
        }
        descriptor = std::move(*parsed);
    }

    hid::HidReportDescriptor parsed;
    const hid::HidDescriptorError error = hid::ParseHidReportDescriptor(descriptor, parsed);
    if (error != hid::HidDescriptorError::None) {
        err << "The report descriptor was refused: " << hid::HidDescriptorErrorName(error) << ".\n";
        return kExitDeviceError;
    }
    for (size_t i = 0; i < parsed.collections.size(); ++i)
        PrintCollection(out, i + 1, parsed.collections[i]);
    return kExitSuccess;
}

}  // namespace dw::ctl
