#include "transport/FrameLog.h"

namespace dw {

std::array<std::wstring, kReportSize / kFrameLogRowBytes> FrameLogRows(const Report& report)
{
    static constexpr wchar_t kHex[] = L"0123456789abcdef";
    std::array<std::wstring, kReportSize / kFrameLogRowBytes> rows;
    for (size_t row = 0; row < rows.size(); ++row) {
        std::wstring& text = rows[row];
        text.reserve(kFrameLogRowBytes * 3 + kFrameLogRowBytes / kFrameLogGroupBytes);
        for (size_t i = 0; i < kFrameLogRowBytes; ++i) {
            if (i > 0)
                text += (i % kFrameLogGroupBytes == 0) ? L"  " : L" ";
            const uint8_t byte = report[row * kFrameLogRowBytes + i];
            text += kHex[byte >> 4];
            text += kHex[byte & 0x0F];
        }
    }
    return rows;
}

}  // namespace dw
