#include "shell/CMainPage.h"

#include "ui/core/UIMessages.h"

namespace dw {

CMainPage::CMainPage()
{
    OnNotify(ui::notify::kClick, [](ui::TNotifyUI&) {});
    OnNotify(ui::notify::kSelectChanged, [](ui::TNotifyUI&) {});
    OnNotify(ui::notify::kItemClick, [](ui::TNotifyUI&) {});
}

}  // namespace dw
