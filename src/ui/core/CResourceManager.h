#pragma once

// The process-wide resources of the skin: the resource index ("res.xml": identifiers such as
// "XML_MAIN" mapped to layout files) and the language texts that resource-text controls show.
//
// Language file (UTF-8 XML):
//     <Language name="English">
//         <Text key="software_rev_text" value="Version "/>
//     </Language>
// ("id" is accepted for "key" and "text" for "value").
//
// Resource index:
//     <Res>
//         <Xml id="XML_MAIN" path="MainWnd.xml"/>
//     </Res>
// (any element with id and path; "file" is accepted for "path").

#include <map>
#include <string>

namespace dw::ui {

// Lets the program supply texts itself; an empty answer falls back to the language file.
class IQueryControlText {
public:
    virtual ~IQueryControlText() = default;
    virtual std::wstring QueryControlText(const std::wstring& key, const std::wstring& controlClass) = 0;
};

class CResourceManager {
public:
    static CResourceManager& GetInstance();

    // Loads the resource index (relative names are looked up in the skin folder). False when
    // the file is missing or malformed; the previous index then stays.
    bool LoadResource(const std::wstring& indexFile = L"res.xml");
    // The file of an identifier ('/' separators), or empty when unknown.
    std::wstring GetXmlPath(const std::wstring& id) const;
    void ResetResourceMap();

    // Loads a language file (relative to the skin folder, or absolute); its texts replace the
    // current ones. False when missing or malformed; the texts in force then stay.
    bool LoadLanguage(const std::wstring& file);
    void SetLanguage(const std::wstring& name) { m_language = name; }
    const std::wstring& GetLanguage() const { return m_language; }
    // The text of a key: the query interface's answer when it gives one, else the language
    // file's, else the key itself.
    std::wstring GetText(const std::wstring& key, const std::wstring& controlClass = {}) const;
    bool HasText(const std::wstring& key) const;
    // Every resource-text control of every paint manager shows its text anew.
    void ReloadText();
    void SetTextQueryInterface(IQueryControlText* query) { m_query = query; }
    // Forgets the index, the texts and the query interface.
    void Release();

private:
    CResourceManager() = default;

    std::map<std::wstring, std::wstring> m_resources;  // id -> file
    std::map<std::wstring, std::wstring> m_texts;      // key -> text
    std::wstring m_language;
    IQueryControlText* m_query = nullptr;
};

}  // namespace dw::ui
