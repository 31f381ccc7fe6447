#include "platform/desktop/CDesktopSettingsLauncher.h"

#include <cstdlib>

#include "platform/DebugOutput.h"
#include "platform/Utf8.h"
#include "platform/desktop/DesktopSettingsCommands.h"
#include "platform/desktop/DetachedProcess.h"

namespace dw::platform {

namespace {

std::string EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

CDesktopSettingsLauncher::CDesktopSettingsLauncher(std::string currentDesktop, std::string pathList)
    : m_currentDesktop(std::move(currentDesktop)), m_pathList(std::move(pathList))
{
}

CDesktopSettingsLauncher CDesktopSettingsLauncher::FromEnvironment()
{
    return CDesktopSettingsLauncher(EnvironmentValue("XDG_CURRENT_DESKTOP"), EnvironmentValue("PATH"));
}

bool CDesktopSettingsLauncher::Open(DesktopSettingsPage page)
{
    const auto command = ChooseSettingsCommand(m_currentDesktop, page,
        [this](const std::string& program) { return FindProgramOnPath(program, m_pathList); });
    if (!command) {
        DebugOutput(L"desktop settings: no settings program of this desktop is installed");
        return false;
    }
    if (!SpawnDetached(command->program, command->args)) {
        DebugOutput(L"desktop settings: " + Utf8ToWide(command->program) + L" could not be started");
        return false;
    }
    return true;
}

}  // namespace dw::platform
