#include "ui/core/CFileDialog.h"

#include <cwctype>

namespace dw::ui {

namespace {

std::wstring Trim(const std::wstring& text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && std::iswspace(text[begin]))
        ++begin;
    while (end > begin && std::iswspace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (true) {
        const size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::wstring::npos ? std::wstring::npos : at - start));
        if (at == std::wstring::npos)
            return parts;
        start = at + 1;
    }
}

constexpr const wchar_t* kAllFiles = L"*";

}  // namespace

std::vector<FileDialogFilter> CFileDialog::ParseFilter(const std::wstring& filter)
{
    std::vector<FileDialogFilter> filters;
    const std::vector<std::wstring> parts = Split(filter, L'|');
    for (size_t i = 0; i < parts.size(); i += 2) {
        FileDialogFilter entry;
        entry.description = Trim(parts[i]);
        if (entry.description.empty())
            break;
        if (i + 1 < parts.size())
            for (const std::wstring& pattern : Split(parts[i + 1], L';'))
                if (std::wstring trimmed = Trim(pattern); !trimmed.empty())
                    entry.patterns.push_back(std::move(trimmed));
        if (entry.patterns.empty())
            entry.patterns.push_back(kAllFiles);
        filters.push_back(std::move(entry));
    }
    return filters;
}

std::wstring CFileDialog::Open(IUIBackend& backend, HWND owner, const std::wstring& filter, const std::wstring& title,
                               const std::wstring& startFolder)
{
    return backend.OpenFileDialog(owner, title, ParseFilter(filter), startFolder);
}

std::wstring CFileDialog::Save(IUIBackend& backend, HWND owner, const std::wstring& filter, const std::wstring& title,
                               const std::wstring& startFolder, const std::wstring& suggestedName)
{
    return backend.SaveFileDialog(owner, title, ParseFilter(filter), startFolder, suggestedName);
}

}  // namespace dw::ui
