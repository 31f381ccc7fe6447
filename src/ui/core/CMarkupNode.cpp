#include "ui/core/CMarkupNode.h"

namespace dw::ui {

bool CMarkupNode::HasAttribute(std::wstring_view name) const
{
    for (const auto& [key, value] : m_attributes) {
        if (key == name)
            return true;
    }
    return false;
}

std::wstring CMarkupNode::GetAttributeValue(std::wstring_view name) const
{
    for (const auto& [key, value] : m_attributes) {
        if (key == name)
            return value;
    }
    return {};
}

CMarkupNode* CMarkupNode::AddChild()
{
    m_children.push_back(std::make_unique<CMarkupNode>());
    return m_children.back().get();
}

}  // namespace dw::ui
