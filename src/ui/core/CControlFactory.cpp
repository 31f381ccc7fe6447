#include "ui/core/CControlFactory.h"

#include "ui/core/CButtonUI.h"
#include "ui/core/CCheckBoxUI.h"
#include "ui/core/CContainerUI.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CHorizontalLayoutUI.h"
#include "ui/core/CLabelUI.h"
#include "ui/core/COptionUI.h"
#include "ui/core/CProgressUI.h"
#include "ui/core/CScrollBarUI.h"
#include "ui/core/CTabLayoutUI.h"
#include "ui/core/CTextUI.h"
#include "ui/core/CTileLayoutUI.h"
#include "ui/core/CVerticalLayoutUI.h"
#include "ui/core/UIString.h"
#include "ui/core/controls/RegisterRichControls.h"

namespace dw::ui {

namespace {

template <typename T>
CControlUI* Make()
{
    return new T;
}

}  // namespace

CControlFactory::CControlFactory()
{
    // The richer controls (Edit, Combo, List, Slider, ...) register themselves from their own
    // part of the library.
    m_creators = {
        {L"control", Make<CControlUI>},
        {L"container", Make<CContainerUI>},
        {L"horizontallayout", Make<CHorizontalLayoutUI>},
        {L"verticallayout", Make<CVerticalLayoutUI>},
        {L"tablayout", Make<CTabLayoutUI>},
        {L"tilelayout", Make<CTileLayoutUI>},
        {L"label", Make<CLabelUI>},
        {L"text", Make<CTextUI>},
        {L"button", Make<CButtonUI>},
        {L"option", Make<COptionUI>},
        {L"checkbox", Make<CCheckBoxUI>},
        {L"progress", Make<CProgressUI>},
        {L"scrollbar", Make<CScrollBarUI>},
    };
    RegisterRichControls(*this);
}

CControlFactory& CControlFactory::GetInstance()
{
    static CControlFactory factory;
    return factory;
}

void CControlFactory::RegistControl(const std::wstring& className, CreateClass creator)
{
    if (className.empty() || !creator)
        return;
    std::lock_guard lock(m_mutex);
    m_creators[ToLowerAscii(className)] = std::move(creator);
}

const CControlFactory::CreateClass* CControlFactory::Find(std::wstring_view className) const
{
    const std::wstring key = ToLowerAscii(className);
    if (auto it = m_creators.find(key); it != m_creators.end())
        return &it->second;
    // "CircleProgress" <-> "CCircleProgressUI".
    if (key.size() > 3 && key.front() == L'c' && key.ends_with(L"ui")) {
        if (auto it = m_creators.find(key.substr(1, key.size() - 3)); it != m_creators.end())
            return &it->second;
    } else {
        if (auto it = m_creators.find(L"c" + key + L"ui"); it != m_creators.end())
            return &it->second;
    }
    return nullptr;
}

CControlUI* CControlFactory::CreateControl(std::wstring_view className) const
{
    CreateClass creator;
    {
        std::lock_guard lock(m_mutex);
        const CreateClass* found = Find(className);
        if (found == nullptr)
            return nullptr;
        creator = *found;
    }
    return creator();
}

bool CControlFactory::IsRegistered(std::wstring_view className) const
{
    std::lock_guard lock(m_mutex);
    return Find(className) != nullptr;
}

}  // namespace dw::ui
