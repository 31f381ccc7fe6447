#pragma once

// The program's own control classes, registered with the control factory at start-up so that
// skin layouts can name them as elements. One table, in registration order; a class whose code
// does not exist yet has no creator and is skipped until the issue that builds it fills its row.

#include <span>
#include <string_view>

namespace dw::ui {
class CControlFactory;
class CControlUI;
}  // namespace dw::ui

namespace dw::app {

struct ProgramControlClass {
    std::wstring_view className;
    // Constructs a new control; null while the class is not built.
    ui::CControlUI* (*create)();
};

// The 24 classes in registration order.
std::span<const ProgramControlClass> ProgramControlClasses();

// Registers every class that has a creator; returns how many were registered.
int RegisterProgramControls(ui::CControlFactory& factory);

}  // namespace dw::app
