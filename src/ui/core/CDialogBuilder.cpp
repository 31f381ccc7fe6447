#include "ui/core/CDialogBuilder.h"

#include "platform/Utf8.h"
#include "ui/core/CContainerUI.h"
#include "ui/core/CControlFactory.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/CResourceManager.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIDebug.h"
#include "ui/core/UIString.h"

namespace dw::ui {

namespace {
constexpr int kMaxIncludeCount = 1000;
constexpr int kMaxFontSize = 500;
constexpr const wchar_t* kStringSource = L"<string>";
}  // namespace

CControlUI* CDialogBuilder::Create(const std::wstring& xml, const std::wstring& type, IDialogBuilderCallback* callback,
                                   CPaintManagerUI* manager, CControlUI* parent)
{
    m_callback = callback;
    m_manager = manager;
    m_errors.clear();
    m_warnings.clear();
    return BuildDocument(xml, type, parent, 0);
}

std::wstring CDialogBuilder::GetLastErrorMessage() const
{
    if (m_errors.empty())
        return {};
    const UIBuilderError& e = m_errors.front();
    return e.file + L":" + std::to_wstring(e.line) + L": " + e.message;
}

void CDialogBuilder::Error(const std::wstring& file, int line, const std::wstring& message)
{
    m_errors.push_back({file, line, message});
    UIDebugOutput(L"layout " + file + L":" + std::to_wstring(line) + L": " + message);
}

void CDialogBuilder::Warning(const std::wstring& file, int line, const std::wstring& message)
{
    m_warnings.push_back({file, line, message});
    UIDebugOutput(L"layout " + file + L":" + std::to_wstring(line) + L": warning: " + message);
}

CControlUI* CDialogBuilder::BuildDocument(const std::wstring& xml, const std::wstring& /*type*/, CControlUI* parent,
                                          int depth)
{
    CMarkup markup;
    std::wstring file;
    if (!xml.empty() && xml.front() == L'<') {
        file = kStringSource;
        markup.Load(platform::WideToUtf8(xml));
    } else {
        const std::wstring mapped = CResourceManager::GetInstance().GetXmlPath(xml);
        file = NormalizePath(mapped.empty() ? xml : mapped);
        if (file.empty()) {
            Error(xml, 0, L"no layout named");
            return nullptr;
        }
        markup.LoadFromFile(JoinPath(CPaintManagerUI::GetResourcePath(), file));
    }
    if (!markup.IsValid()) {
        Error(file, markup.GetErrorLine(), markup.GetLastError());
        return nullptr;
    }
    const CMarkupNode& root = *markup.GetRoot();
    if (EqualsNoCase(root.GetName(), L"Window")) {
        ApplyWindowAttributes(root, file);
        return Parse(root, file, parent, depth);
    }
    // A document without <Window>: its root element is the tree's root.
    return ParseElement(root, file, parent, depth);
}

CControlUI* CDialogBuilder::Parse(const CMarkupNode& node, const std::wstring& file, CControlUI* parent, int depth)
{
    CControlUI* first = nullptr;
    for (const auto& child : node.GetChildren()) {
        CControlUI* built = ParseElement(*child, file, parent, depth);
        if (built == nullptr)
            continue;
        if (first == nullptr) {
            first = built;
        } else if (parent == nullptr) {
            // Without a parent only one control can be returned; a second would leak.
            Error(file, child->GetLine(), L"more than one root control; <" + child->GetName() + L"> ignored");
            delete built;
        }
    }
    return first;
}

CControlUI* CDialogBuilder::ParseElement(const CMarkupNode& node, const std::wstring& file, CControlUI* parent, int depth)
{
    const std::wstring& name = node.GetName();
    const std::wstring key = ToLowerAscii(name);
    if (key == L"font") {
        AddFont(node, file);
        return nullptr;
    }
    if (key == L"default") {
        AddDefault(node, file);
        return nullptr;
    }
    if (key == L"image" || key == L"style") {
        return nullptr;  // preload hints of other layout versions; images load on first use
    }
    if (key == L"include") {
        const std::wstring source = node.GetAttributeValue(L"source");
        int count = 1;
        if (node.HasAttribute(L"count")) {
            const auto v = ParseInt(node.GetAttributeValue(L"count"));
            if (!v || *v < 1 || *v > kMaxIncludeCount) {
                Error(file, node.GetLine(), L"malformed value of attribute count on <Include>");
                return nullptr;
            }
            count = *v;
        }
        if (source.empty()) {
            Error(file, node.GetLine(), L"<Include> without source");
            return nullptr;
        }
        // An include that includes itself (directly or not) would never end.
        if (depth >= kMaxIncludeDepth) {
            Error(file, node.GetLine(), L"includes nested too deeply at " + source);
            return nullptr;
        }
        CControlUI* first = nullptr;
        for (int i = 0; i < count; ++i) {
            const size_t before = m_errors.size();
            CControlUI* built = BuildDocument(source, {}, parent, depth + 1);
            if (built == nullptr && m_errors.size() > before && m_errors.back().line == 0 && m_errors.back().file != file) {
                // Point at the include too, so the author finds where the missing file is named.
                Error(file, node.GetLine(), L"cannot include " + source);
                break;
            }
            if (first == nullptr)
                first = built;
            else if (parent == nullptr)
                delete built;
        }
        return first;
    }

    CControlUI* control = m_callback != nullptr ? m_callback->CreateControl(name) : nullptr;
    if (control == nullptr)
        control = CControlFactory::GetInstance().CreateControl(name);
    if (control == nullptr) {
        Error(file, node.GetLine(), L"unknown element <" + name + L">");
        return nullptr;
    }
    if (m_manager != nullptr) {
        if (const std::wstring* defaults = m_manager->GetDefaultAttributeList(name)) {
            if (control->ApplyAttributeList(*defaults) == AttributeResult::Malformed)
                Error(file, node.GetLine(), L"malformed default attributes for <" + name + L">");
        }
    }
    ApplyAttributes(*control, node, file);
    for (const auto& child : node.GetChildren())
        ParseElement(*child, file, control, depth);
    if (parent != nullptr) {
        auto* container = static_cast<CContainerUI*>(parent->GetInterface(L"Container"));
        if (container == nullptr || !container->Add(control)) {
            Error(file, node.GetLine(), L"<" + name + L"> cannot be placed in " + parent->GetClass());
            delete control;
            return nullptr;
        }
    }
    return control;
}

void CDialogBuilder::ApplyAttributes(CControlUI& control, const CMarkupNode& node, const std::wstring& file)
{
    for (const auto& [attr, value] : node.GetAttributes()) {
        const AttributeResult r = control.SetAttribute(attr, value);
        if (r == AttributeResult::Malformed)
            Error(file, node.GetLine(), L"malformed value \"" + value + L"\" of attribute " + attr + L" on <" +
                                            node.GetName() + L">");
        else if (r == AttributeResult::Unknown)
            Warning(file, node.GetLine(), L"unknown attribute " + attr + L" on <" + node.GetName() + L">");
    }
}

void CDialogBuilder::ApplyWindowAttributes(const CMarkupNode& node, const std::wstring& file)
{
    if (m_manager == nullptr)
        return;
    for (const auto& [attr, value] : node.GetAttributes()) {
        const std::wstring key = ToLowerAscii(attr);
        bool ok = true;
        if (key == L"size" || key == L"mininfo" || key == L"maxinfo" || key == L"roundcorner") {
            const auto v = ParseSize(value, key == L"roundcorner");
            ok = v && v->cx >= 0 && v->cy >= 0;
            if (ok) {
                if (key == L"size")
                    m_manager->SetInitSize(*v);
                else if (key == L"mininfo")
                    m_manager->SetMinInfo(*v);
                else if (key == L"maxinfo")
                    m_manager->SetMaxInfo(*v);
                else
                    m_manager->SetRoundCorner(*v);
            }
        } else if (key == L"caption" || key == L"sizebox") {
            const auto v = ParseRect(value);
            ok = v.has_value();
            if (ok)
                key == L"caption" ? m_manager->SetCaptionRect(*v) : m_manager->SetSizeBox(*v);
        } else if (key == L"bktrans") {
            const auto v = ParseBool(value);
            ok = v.has_value();
            if (ok)
                m_manager->SetLayered(*v);
        } else if (key == L"alpha") {
            const auto v = ParseInt(value);
            ok = v && *v >= 0 && *v <= 255;
            if (ok)
                m_manager->SetTransparent(static_cast<uint8_t>(*v));
        } else if (key == L"disabledfontcolor" || key == L"defaultfontcolor") {
            const auto v = ParseColor(value);
            ok = v.has_value();
            if (ok)
                key == L"defaultfontcolor" ? m_manager->SetDefaultFontColor(*v) : m_manager->SetDefaultDisabledColor(*v);
        } else {
            Warning(file, node.GetLine(), L"unknown attribute " + attr + L" on <Window>");
        }
        if (!ok)
            Error(file, node.GetLine(), L"malformed value \"" + value + L"\" of attribute " + attr + L" on <Window>");
    }
}

void CDialogBuilder::AddFont(const CMarkupNode& node, const std::wstring& file)
{
    UIFontSpec fontSpec;
    int id = -1;
    bool shared = false;
    bool isDefault = false;
    for (const auto& [attr, value] : node.GetAttributes()) {
        const std::wstring key = ToLowerAscii(attr);
        bool ok = true;
        if (key == L"id") {
            const auto v = ParseInt(value);
            ok = v && *v >= 0;
            if (ok)
                id = *v;
        } else if (key == L"name" || key == L"face") {
            fontSpec.face = value;
        } else if (key == L"size") {
            const auto v = ParseInt(value);
            ok = v && *v > 0 && *v <= kMaxFontSize;
            if (ok)
                fontSpec.size = *v;
        } else if (key == L"bold" || key == L"underline" || key == L"italic" || key == L"shared" || key == L"default") {
            const auto v = ParseBool(value);
            ok = v.has_value();
            if (ok) {
                if (key == L"bold")
                    fontSpec.bold = *v;
                else if (key == L"underline")
                    fontSpec.underline = *v;
                else if (key == L"italic")
                    fontSpec.italic = *v;
                else if (key == L"shared")
                    shared = *v;
                else
                    isDefault = *v;
            }
        } else {
            Warning(file, node.GetLine(), L"unknown attribute " + attr + L" on <Font>");
        }
        if (!ok) {
            Error(file, node.GetLine(), L"malformed value \"" + value + L"\" of attribute " + attr + L" on <Font>");
            return;
        }
    }
    if (m_manager == nullptr)
        return;
    if (id >= 0)
        m_manager->AddFont(id, fontSpec, shared);
    if (isDefault)
        m_manager->SetDefaultFont(fontSpec, shared);
    if (id < 0 && !isDefault)
        Error(file, node.GetLine(), L"<Font> without id");
}

void CDialogBuilder::AddDefault(const CMarkupNode& node, const std::wstring& file)
{
    const std::wstring name = node.GetAttributeValue(L"name");
    if (name.empty()) {
        Error(file, node.GetLine(), L"<Default> without name");
        return;
    }
    bool shared = false;
    if (node.HasAttribute(L"shared")) {
        const auto v = ParseBool(node.GetAttributeValue(L"shared"));
        if (!v) {
            Error(file, node.GetLine(), L"malformed value of attribute shared on <Default>");
            return;
        }
        shared = *v;
    }
    if (m_manager != nullptr)
        m_manager->AddDefaultAttributeList(name, node.GetAttributeValue(L"value"), shared);
}

}  // namespace dw::ui
