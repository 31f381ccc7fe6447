#include "shell/frame/CLanguageSwitcher.h"

#include "platform/DebugOutput.h"
#include "platform/store/IRegistryStore.h"
#include "platform/store/RegistryKeys.h"
#include "shell/frame/MainWindowFonts.h"
#include "shell/frame/ShellFrameMessages.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/CResourceManager.h"

namespace dw {

CLanguageSwitcher::CLanguageSwitcher(platform::IRegistryStore& store, std::wstring listPath)
    : m_store(store), m_listPath(std::move(listPath))
{
}

std::optional<std::vector<LanguageEntry>> CLanguageSwitcher::ReadList() const
{
    return LoadLanguageList(m_listPath);
}

int CLanguageSwitcher::ReadLanguageIndex() const
{
    const std::optional<uint32_t> stored = m_store.GetDword(platform::kProgramSettingsKey, platform::kLanguageValueName);
    if (!stored)
        return language::kDefaultIndex;
    return LanguageIndexForId(ReadList(), stored);
}

int CLanguageSwitcher::Apply(int index, const LanguageTargets& targets)
{
    if (index == m_current)
        return kLanguageUnchanged;

    if (targets.mainPaintManager != nullptr)
        RebuildMainWindowFonts(*targets.mainPaintManager);
    m_current = index;

    int result = kLanguageApplied;
    const std::optional<std::vector<LanguageEntry>> list = ReadList();
    if (!list || index < 0 || static_cast<size_t>(index) >= list->size()) {
        DebugOutput(L"language: no entry " + std::to_wstring(index) + L" in Language.config");
        result = kLanguageNotListed;
    } else {
        const LanguageEntry& entry = (*list)[static_cast<size_t>(index)];
        ui::CResourceManager& resources = ui::CResourceManager::GetInstance();
        // The file is loaded first: a language whose texts cannot be read is neither named
        // current nor stored, and the texts in force stay.
        if (entry.file.empty() || !resources.LoadLanguage(entry.file)) {
            DebugOutput(L"language: the text file '" + entry.file + L"' could not be loaded");
            result = kLanguageFileMissing;
        } else {
            resources.SetLanguage(entry.name);
            resources.ReloadText();
            if (entry.id >= 0 && entry.id <= static_cast<int64_t>(UINT32_MAX) &&
                m_store.SetDword(platform::kProgramSettingsKey, platform::kLanguageValueName,
                                 static_cast<uint32_t>(entry.id)) == platform::kStoreOk)
                DebugOutput(L"写成功！");
        }
    }

    if (ui::CPaintManagerUI* pm = targets.mainPaintManager) {
        pm->Invalidate();
        if (ui::CControlUI* root = pm->GetRoot())
            root->NeedUpdate();
        pm->NeedUpdate();
    }
    if (targets.loop != nullptr) {
        for (ui::HWND popup : targets.popups) {
            if (popup != nullptr && targets.loop->IsWindow(popup))
                targets.loop->SendMessage(popup, shellframe::kMsgLanguageChanged, 0, 0);
        }
    }
    return result;
}

}  // namespace dw
