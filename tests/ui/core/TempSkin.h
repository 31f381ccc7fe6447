#pragma once

// A throw-away skin folder for tests that need files: layouts, res.xml, language files and
// images. The paint manager's resource path points at it while it lives.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/Utf8.h"
#include "ui/core/CPaintManagerUI.h"

namespace dw::ui::test {

class TempSkin {
public:
    TempSkin()
    {
        std::random_device rd;
        m_dir = std::filesystem::temp_directory_path() / ("dw-ui-skin-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(m_dir);
        m_previous = CPaintManagerUI::GetResourcePath();
        CPaintManagerUI::SetResourcePath(platform::Utf8ToWide(m_dir.string()));
    }
    ~TempSkin()
    {
        CPaintManagerUI::SetResourcePath(m_previous);
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    TempSkin(const TempSkin&) = delete;
    TempSkin& operator=(const TempSkin&) = delete;

    void Write(const std::string& relative, const std::string& content) const
    {
        const auto path = m_dir / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }
    const std::filesystem::path& Dir() const { return m_dir; }

private:
    std::filesystem::path m_dir;
    std::wstring m_previous;
};

}  // namespace dw::ui::test
