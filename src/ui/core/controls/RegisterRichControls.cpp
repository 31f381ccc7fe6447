#include "ui/core/controls/RegisterRichControls.h"

#include "ui/core/CControlFactory.h"
#include "ui/core/controls/CColorPaletteUI.h"
#include "ui/core/controls/CComboUI.h"
#include "ui/core/controls/CEditUI.h"
#include "ui/core/controls/CListContainerElementUI.h"
#include "ui/core/controls/CListHeaderItemUI.h"
#include "ui/core/controls/CListHeaderUI.h"
#include "ui/core/controls/CListLabelElementUI.h"
#include "ui/core/controls/CListUI.h"
#include "ui/core/controls/CRichEditUI.h"
#include "ui/core/controls/CSliderUI.h"

namespace dw::ui {

void RegisterRichControls(CControlFactory& factory)
{
    factory.RegistControl(L"Edit", [] { return new CEditUI; });
    factory.RegistControl(L"RichEdit", [] { return new CRichEditUI; });
    factory.RegistControl(L"Combo", [] { return new CComboUI; });
    factory.RegistControl(L"List", [] { return new CListUI; });
    factory.RegistControl(L"ListHeader", [] { return new CListHeaderUI; });
    factory.RegistControl(L"ListHeaderItem", [] { return new CListHeaderItemUI; });
    factory.RegistControl(L"ListLabelElement", [] { return new CListLabelElementUI; });
    factory.RegistControl(L"ListContainerElement", [] { return new CListContainerElementUI; });
    factory.RegistControl(L"Slider", [] { return new CSliderUI; });
    factory.RegistControl(L"ColorPalette", [] { return new CColorPaletteUI; });
}

}  // namespace dw::ui
