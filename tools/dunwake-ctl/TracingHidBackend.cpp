#include "TracingHidBackend.h"

#include <algorithm>

#include "HexText.h"

namespace dw::ctl {

class TracingHidNode : public hid::IHidNode {
public:
    TracingHidNode(std::unique_ptr<hid::IHidNode> inner, TracingHidBackend& owner)
        : inner_(std::move(inner)), owner_(owner)
    {
    }

    hid::IoResult Write(std::span<const uint8_t> report, int timeoutMs, size_t& transferred) override
    {
        const hid::IoResult result = inner_->Write(report, timeoutMs, transferred);
        if (result == hid::IoResult::Ok)
            owner_.Emit(TracingHidBackend::FormatLine("> ", report.first(std::min(transferred, report.size()))));
        return result;
    }

    hid::IoResult Read(std::span<uint8_t> buffer, int timeoutMs, size_t& transferred) override
    {
        const hid::IoResult result = inner_->Read(buffer, timeoutMs, transferred);
        if (result == hid::IoResult::Ok)
            owner_.Emit(TracingHidBackend::FormatLine("< ", buffer.first(std::min(transferred, buffer.size()))));
        return result;
    }

    void Abort() override { inner_->Abort(); }

private:
    std::unique_ptr<hid::IHidNode> inner_;
    TracingHidBackend& owner_;
};

TracingHidBackend::TracingHidBackend(hid::IHidBackend& inner, LineCallback callback)
    : inner_(inner), callback_(std::move(callback))
{
}

std::unique_ptr<hid::IHidNode> TracingHidBackend::Open(const std::string& node, const hid::OpenMode& mode)
{
    std::unique_ptr<hid::IHidNode> inner = inner_.Open(node, mode);
    if (!inner)
        return nullptr;
    return std::make_unique<TracingHidNode>(std::move(inner), *this);
}

std::string TracingHidBackend::FormatLine(const char* prefix, std::span<const uint8_t> report)
{
    return prefix + FormatHexBytes(report);
}

void TracingHidBackend::Emit(const std::string& line)
{
    std::lock_guard lock(mutex_);
    if (callback_)
        callback_(line);
}

}  // namespace dw::ctl
