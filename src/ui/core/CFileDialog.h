#pragma once

// Open and save dialogs over the backend, taking filters in the "description|patterns|...||"
// form the program writes ("Profile Files(*.json)|*.json;|", "(*.png)|*.png|(*.*)|*.*||").

#include <string>
#include <vector>

#include "ui/core/IUIBackend.h"

namespace dw::ui {

class CFileDialog {
public:
    // Pairs of description and ';'-separated patterns; spaces around parts are dropped, an empty
    // description ends the list, and a description without patterns matches every file.
    static std::vector<FileDialogFilter> ParseFilter(const std::wstring& filter);

    // The chosen path, or empty when the user cancelled.
    static std::wstring Open(IUIBackend& backend, HWND owner, const std::wstring& filter,
                             const std::wstring& title = {}, const std::wstring& startFolder = {});
    static std::wstring Save(IUIBackend& backend, HWND owner, const std::wstring& filter,
                             const std::wstring& title = {}, const std::wstring& startFolder = {},
                             const std::wstring& suggestedName = {});
};

}  // namespace dw::ui
