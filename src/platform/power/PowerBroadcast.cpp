#include "platform/power/IPowerEvents.h"

#include "ui/core/UIMessages.h"

namespace dw::platform {

ui::WPARAM PowerBroadcastForSleep(bool starting)
{
    return starting ? ui::PBT_APMSUSPEND : ui::PBT_APMRESUMEAUTOMATIC;
}

}  // namespace dw::platform
