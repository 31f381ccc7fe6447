#include "ui/core/CResourceManager.h"

#include "ui/core/CControlUI.h"
#include "ui/core/CMarkup.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/UIDebug.h"
#include "ui/core/UIString.h"

namespace dw::ui {

namespace {

std::wstring Resolve(const std::wstring& file) { return JoinPath(CPaintManagerUI::GetResourcePath(), file); }

// Collects id -> path pairs from every element that has both, at any depth.
void CollectResources(const CMarkupNode& node, std::map<std::wstring, std::wstring>& out)
{
    std::wstring id = node.GetAttributeValue(L"id");
    std::wstring path = node.HasAttribute(L"path") ? node.GetAttributeValue(L"path") : node.GetAttributeValue(L"file");
    if (!id.empty() && !path.empty())
        out[id] = NormalizePath(path);
    for (const auto& child : node.GetChildren())
        CollectResources(*child, out);
}

}  // namespace

CResourceManager& CResourceManager::GetInstance()
{
    static CResourceManager instance;
    return instance;
}

bool CResourceManager::LoadResource(const std::wstring& indexFile)
{
    CMarkup markup;
    const std::wstring path = Resolve(indexFile.empty() ? std::wstring(L"res.xml") : indexFile);
    if (!markup.LoadFromFile(path)) {
        UIDebugOutput(L"resource index " + path + L":" + std::to_wstring(markup.GetErrorLine()) + L": " +
                      markup.GetLastError());
        return false;
    }
    std::map<std::wstring, std::wstring> resources;
    CollectResources(*markup.GetRoot(), resources);
    m_resources = std::move(resources);
    return true;
}

std::wstring CResourceManager::GetXmlPath(const std::wstring& id) const
{
    const auto it = m_resources.find(id);
    return it == m_resources.end() ? std::wstring{} : it->second;
}

void CResourceManager::ResetResourceMap() { m_resources.clear(); }

bool CResourceManager::LoadLanguage(const std::wstring& file)
{
    CMarkup markup;
    const std::wstring path = Resolve(file);
    if (!markup.LoadFromFile(path)) {
        UIDebugOutput(L"language file " + path + L":" + std::to_wstring(markup.GetErrorLine()) + L": " +
                      markup.GetLastError());
        return false;
    }
    std::map<std::wstring, std::wstring> texts;
    for (const auto& child : markup.GetRoot()->GetChildren()) {
        const std::wstring key = child->HasAttribute(L"key") ? child->GetAttributeValue(L"key") : child->GetAttributeValue(L"id");
        if (key.empty())
            continue;
        texts[key] = child->HasAttribute(L"value") ? child->GetAttributeValue(L"value")
                     : child->HasAttribute(L"text") ? child->GetAttributeValue(L"text")
                                                     : child->GetText();
    }
    m_texts = std::move(texts);
    const std::wstring name = markup.GetRoot()->GetAttributeValue(L"name");
    if (!name.empty() && m_language.empty())
        m_language = name;
    return true;
}

std::wstring CResourceManager::GetText(const std::wstring& key, const std::wstring& controlClass) const
{
    if (m_query != nullptr) {
        std::wstring answer = m_query->QueryControlText(key, controlClass);
        if (!answer.empty())
            return answer;
    }
    const auto it = m_texts.find(key);
    return it == m_texts.end() ? key : it->second;
}

bool CResourceManager::HasText(const std::wstring& key) const { return m_texts.count(key) > 0; }

void CResourceManager::ReloadText()
{
    for (CPaintManagerUI* manager : CPaintManagerUI::GetPaintManagers()) {
        if (CControlUI* root = manager->GetRoot())
            root->ReloadText();
        manager->NeedUpdate();
    }
}

void CResourceManager::Release()
{
    m_resources.clear();
    m_texts.clear();
    m_language.clear();
    m_query = nullptr;
}

}  // namespace dw::ui
