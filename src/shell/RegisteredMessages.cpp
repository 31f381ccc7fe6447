#include "shell/RegisteredMessages.h"

#include <string>

#include "ui/core/CMessageLoop.h"

namespace dw {

namespace {

ui::UINT Register(std::wstring_view name)
{
    return ui::CMessageLoop::RegisterWindowMessage(std::wstring(name));
}

template <size_t N>
int IndexOf(const std::array<ui::UINT, N>& ids, ui::UINT msg)
{
    if (msg == 0)
        return -1;
    for (size_t i = 0; i < N; ++i)
        if (ids[i] == msg)
            return static_cast<int>(i);
    return -1;
}

}  // namespace

CRegisteredMessages CRegisteredMessages::Register()
{
    CRegisteredMessages ids;
    ids.productTitle = dw::Register(msgname::kProductTitle);
    ids.settingsForward = dw::Register(msgname::kSettingsForward);
    ids.lightHandOverOut = dw::Register(msgname::kLightHandOverOut);
    ids.lightHandOverIn = dw::Register(msgname::kLightHandOverIn);
    ids.audioCapture = dw::Register(msgname::kAudioCapture);
    ids.audioChild = dw::Register(msgname::kAudioChild);
    for (size_t i = 0; i < msgname::kHookMessageCount; ++i)
        ids.hook[i] = dw::Register(msgname::kHookMessages[i]);
    for (size_t i = 0; i < msgname::kMouseHookMessageCount; ++i)
        ids.mouseHook[i] = dw::Register(msgname::kMouseHookMessages[i]);
    for (size_t i = 0; i < msgname::kGameMessageCount; ++i)
        ids.game[i] = dw::Register(msgname::kGameMessages[i]);
    return ids;
}

int CRegisteredMessages::HookIndex(ui::UINT msg) const
{
    const int key = IndexOf(hook, msg);
    if (key >= 0)
        return key;
    const int mouse = IndexOf(mouseHook, msg);
    return mouse >= 0 ? static_cast<int>(msgname::kHookMessageCount) + mouse : -1;
}

int CRegisteredMessages::GameIndex(ui::UINT msg) const
{
    return IndexOf(game, msg);
}

}  // namespace dw
