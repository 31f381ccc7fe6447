#pragma once

// A fresh folder under /tmp for one test, removed with everything in it afterwards.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace dw::platform::test {

class CTempFolder {
public:
    CTempFolder()
    {
        char pattern[] = "/tmp/dunwake-platform-XXXXXX";
        const char* made = mkdtemp(pattern);
        m_path = made == nullptr ? std::string() : std::string(made);
    }
    ~CTempFolder()
    {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

}  // namespace dw::platform::test
