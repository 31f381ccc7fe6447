#include "ui/core/COptionUI.h"

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIImageAttribute.h"
#include "ui/core/UIString.h"

namespace dw::ui {

COptionUI::~COptionUI()
{
    if (m_manager != nullptr && !m_group.empty())
        m_manager->RemoveOptionGroup(m_group, this);
}

std::wstring COptionUI::GetClass() const { return L"OptionUI"; }

void* COptionUI::GetInterface(std::wstring_view name)
{
    if (name == L"Option")
        return this;
    return CButtonUI::GetInterface(name);
}

void COptionUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init)
{
    if (m_manager != nullptr && m_manager != manager && !m_group.empty())
        m_manager->RemoveOptionGroup(m_group, this);
    CButtonUI::SetManager(manager, parent, init);
    if (manager != nullptr && !m_group.empty()) {
        manager->AddOptionGroup(m_group, this);
        // Selected in the layout before the group was known: the group keeps one selection.
        if (m_selected) {
            if (const auto* group = manager->GetOptionGroup(m_group)) {
                for (CControlUI* other : *group) {
                    auto* option = static_cast<COptionUI*>(other->GetInterface(L"Option"));
                    if (option != nullptr && option != this && option->IsSelected())
                        option->Selected(false, false);
                }
            }
        }
    }
}

void COptionUI::SetGroup(const std::wstring& group)
{
    if (m_group == group)
        return;
    if (m_manager != nullptr && !m_group.empty())
        m_manager->RemoveOptionGroup(m_group, this);
    m_group = group;
    if (m_manager != nullptr && !m_group.empty())
        m_manager->AddOptionGroup(m_group, this);
}

void COptionUI::Selected(bool selected, bool triggerEvent)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    if (selected)
        m_buttonState |= UISTATE_SELECTED;
    else
        m_buttonState &= ~UISTATE_SELECTED;
    // Unselect the rest of the group first, so that the group is consistent when this
    // option's notification arrives.
    if (selected && m_manager != nullptr && !m_group.empty()) {
        if (const auto* group = m_manager->GetOptionGroup(m_group)) {
            const std::vector<CControlUI*> members = *group;  // handlers may change the group
            for (CControlUI* other : members) {
                auto* option = static_cast<COptionUI*>(other->GetInterface(L"Option"));
                if (option != nullptr && option != this)
                    option->Selected(false, triggerEvent);
            }
        }
    }
    Invalidate();
    if (triggerEvent)
        SendNotify(notify::kSelectChanged, selected ? 1 : 0);
}

bool COptionUI::Activate()
{
    if (!CButtonUI::Activate())
        return false;
    if (!m_group.empty())
        Selected(true);
    else
        Selected(!m_selected);
    return true;
}

void COptionUI::SetEnabled(bool enabled)
{
    CButtonUI::SetEnabled(enabled);
    if (m_selected)
        m_buttonState |= UISTATE_SELECTED;
}

const std::wstring& COptionUI::StateImage() const
{
    if (m_selected && IsEnabled()) {
        if ((m_buttonState & UISTATE_HOT) != 0 && !m_selectedHotImage.empty())
            return m_selectedHotImage;
        if (!m_selectedImage.empty())
            return m_selectedImage;
    }
    return CButtonUI::StateImage();
}

UIColor COptionUI::StateBkColor() const
{
    if (m_selected && IsEnabled() && m_selectedBkColor != 0)
        return m_selectedBkColor;
    return CButtonUI::StateBkColor();
}

UIColor COptionUI::StateTextColor() const
{
    if (m_selected && IsEnabled() && m_selectedTextColor != 0)
        return m_selectedTextColor;
    return CButtonUI::StateTextColor();
}

void COptionUI::PaintStatusImage(IRenderContext& context)
{
    if (!m_selected || m_selectedForeImage.empty()) {
        CButtonUI::PaintStatusImage(context);
        return;
    }
    const std::wstring& image = StateImage();
    if (!image.empty())
        DrawImage(context, image);
    DrawImage(context, m_selectedForeImage);
}

#define DW_OPTION_SETTER(Name, member, Type) \
    void COptionUI::Name(Type value)         \
    {                                        \
        if (member == value)                 \
            return;                          \
        member = value;                      \
        Invalidate();                        \
    }

DW_OPTION_SETTER(SetSelectedImage, m_selectedImage, const std::wstring&)
DW_OPTION_SETTER(SetSelectedHotImage, m_selectedHotImage, const std::wstring&)
DW_OPTION_SETTER(SetSelectedForeImage, m_selectedForeImage, const std::wstring&)
DW_OPTION_SETTER(SetSelectedTextColor, m_selectedTextColor, UIColor)
DW_OPTION_SETTER(SetSelectedBkColor, m_selectedBkColor, UIColor)

#undef DW_OPTION_SETTER

AttributeResult COptionUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    using R = AttributeResult;
    const std::wstring key = ToLowerAscii(name);
    if (key == L"group") {
        SetGroup(std::wstring(value));
        return R::Ok;
    }
    if (key == L"selected") {
        const auto v = ParseBool(value);
        if (!v)
            return R::Malformed;
        Selected(*v, false);
        return R::Ok;
    }
    if (key == L"selectedimage" || key == L"selectedhotimage" || key == L"selectedforeimage") {
        if (!ParseImageAttribute(value))
            return R::Malformed;
        const std::wstring image(value);
        if (key == L"selectedimage")
            SetSelectedImage(image);
        else if (key == L"selectedhotimage")
            SetSelectedHotImage(image);
        else
            SetSelectedForeImage(image);
        return R::Ok;
    }
    if (key == L"selectedtextcolor" || key == L"selectedbkcolor") {
        const auto color = ParseColor(value);
        if (!color)
            return R::Malformed;
        key == L"selectedtextcolor" ? SetSelectedTextColor(*color) : SetSelectedBkColor(*color);
        return R::Ok;
    }
    return CButtonUI::SetAttribute(name, value);
}

}  // namespace dw::ui
