#pragma once

// Builds a control tree from a layout. The layout is named by a resource identifier of the
// index ("XML_MAIN"), by a path relative to the skin folder ('\' accepted), or given as XML
// text (starting with '<'). Elements:
//   <Window size= caption= sizebox= roundcorner= mininfo= maxinfo= bktrans= ...> the root:
//       window properties go to the paint manager; its single child is the tree's root.
//   <Font id= name= size= bold= underline= italic= shared= default=>
//   <Default name="Button" value="attr='...' ..." shared=>
//   <Include source="file.xml" count=>   the file's tree, built in place
//   any other name: the callback's CreateControl first, then the control factory.
// Problems (syntax, unknown element, malformed attribute value, missing include) are recorded
// with file and line and logged; the offending element or attribute is skipped and building
// goes on. A document that cannot be parsed at all gives no tree.

#include <string>
#include <vector>

#include "ui/core/CMarkup.h"

namespace dw::ui {

class CControlUI;
class CPaintManagerUI;

class IDialogBuilderCallback {
public:
    virtual ~IDialogBuilderCallback() = default;
    // A new control for the element name, or null to let the factory try.
    virtual CControlUI* CreateControl(const std::wstring& className) = 0;
};

struct UIBuilderError {
    std::wstring file;  // the layout file, or "<string>" for XML text
    int line = 0;
    std::wstring message;
};

class CDialogBuilder {
public:
    static constexpr int kMaxIncludeDepth = 16;

    // Builds and returns the root control (owned by the caller, or by parent when given:
    // the built controls are added to it). Null when the layout cannot be loaded or parsed.
    CControlUI* Create(const std::wstring& xml, const std::wstring& type = {}, IDialogBuilderCallback* callback = nullptr,
                       CPaintManagerUI* manager = nullptr, CControlUI* parent = nullptr);

    const std::vector<UIBuilderError>& GetErrors() const { return m_errors; }
    // Attributes no control knows (ignored, the layout still works); kept apart from errors
    // because layouts may carry attributes for other versions of a control.
    const std::vector<UIBuilderError>& GetWarnings() const { return m_warnings; }
    bool HasErrors() const { return !m_errors.empty(); }
    // "file:line: message" of the first problem, or empty.
    std::wstring GetLastErrorMessage() const;

private:
    CControlUI* BuildDocument(const std::wstring& xml, const std::wstring& type, CControlUI* parent, int depth);
    // Builds the children of node into parent; returns the first control built.
    CControlUI* Parse(const CMarkupNode& node, const std::wstring& file, CControlUI* parent, int depth);
    // Builds one element (control, <Font>, <Default>, <Include>) into parent; returns the
    // control built, if any.
    CControlUI* ParseElement(const CMarkupNode& node, const std::wstring& file, CControlUI* parent, int depth);
    void ApplyWindowAttributes(const CMarkupNode& node, const std::wstring& file);
    void AddFont(const CMarkupNode& node, const std::wstring& file);
    void AddDefault(const CMarkupNode& node, const std::wstring& file);
    void ApplyAttributes(CControlUI& control, const CMarkupNode& node, const std::wstring& file);
    void Error(const std::wstring& file, int line, const std::wstring& message);
    void Warning(const std::wstring& file, int line, const std::wstring& message);

    IDialogBuilderCallback* m_callback = nullptr;
    CPaintManagerUI* m_manager = nullptr;
    std::vector<UIBuilderError> m_errors;
    std::vector<UIBuilderError> m_warnings;
};

}  // namespace dw::ui
