#pragma once

// Creates controls by class name, for the layout builder. Built-in classes are registered by
// their element names ("Button", "HorizontalLayout", ...); the program registers its own
// ("CCircleProgressUI", ...). Lookup is case-insensitive and also tries the element form of a
// class name: "CircleProgress" finds "CCircleProgressUI" and the reverse.

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace dw::ui {

class CControlUI;

class CControlFactory {
public:
    using CreateClass = std::function<CControlUI*()>;

    // The process-wide factory, with the built-in classes registered.
    static CControlFactory& GetInstance();

    // Registers (or replaces) a creator.
    void RegistControl(const std::wstring& className, CreateClass creator);
    // A new control, or null for an unknown name.
    CControlUI* CreateControl(std::wstring_view className) const;
    bool IsRegistered(std::wstring_view className) const;

private:
    CControlFactory();
    const CreateClass* Find(std::wstring_view className) const;

    mutable std::mutex m_mutex;
    std::map<std::wstring, CreateClass> m_creators;  // keys lower case
};

}  // namespace dw::ui
