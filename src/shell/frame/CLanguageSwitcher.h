#pragma once

// The interface language: which one the user chose (the "LANGUAGE" setting holds its id), and
// applying one: the main window's fonts are set up again, the language's text file replaces
// the texts in force, every resource text is shown anew, the choice is stored, and the open
// pop-up windows are told (message 3089) so that they lay their texts out again.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "shell/frame/LanguageList.h"
#include "ui/core/UIDefs.h"

namespace dw::platform {
class IRegistryStore;
}

namespace dw::ui {
class CMessageLoop;
class CPaintManagerUI;
}  // namespace dw::ui

namespace dw {

// Results of CLanguageSwitcher::Apply.
inline constexpr int kLanguageApplied = 1;
// The index is the current one: nothing was done.
inline constexpr int kLanguageUnchanged = 0;
// No entry for the index (no list, or the index outside it): the texts in force stay.
inline constexpr int kLanguageNotListed = -1;
// The entry's text file could not be loaded: the texts in force stay, the choice is not stored.
inline constexpr int kLanguageFileMissing = -2;

// What a language change reaches besides the process-wide texts.
struct LanguageTargets {
    ui::CPaintManagerUI* mainPaintManager = nullptr;  // fonts rebuilt, layout and repaint
    ui::CMessageLoop* loop = nullptr;                 // for telling the pop-ups
    std::vector<ui::HWND> popups;                     // open pop-ups (null entries are skipped)
};

class CLanguageSwitcher {
public:
    // `listPath` is the full path of "Language.config".
    CLanguageSwitcher(platform::IRegistryStore& store, std::wstring listPath);

    // The index of the stored language in the list (see LanguageIndexForId).
    int ReadLanguageIndex() const;

    // Applies the language at `index` of the list; a result code above. The fonts are rebuilt
    // and the index becomes the current one even when the list has no such entry, so that
    // choosing it again does nothing.
    int Apply(int index, const LanguageTargets& targets);

    // -1 until a language was applied.
    int GetCurrentIndex() const { return m_current; }
    // The list as it is on disk now; nothing when it is missing or damaged.
    std::optional<std::vector<LanguageEntry>> ReadList() const;

private:
    platform::IRegistryStore& m_store;
    std::wstring m_listPath;
    int m_current = -1;
};

}  // namespace dw
