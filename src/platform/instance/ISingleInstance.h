#pragma once

// Makes sure only one copy of the program runs for a user. The first copy holds the instance
// for its whole life; a second copy learns that it is second, wakes the first (the product-title
// message with wParam 0 and lParam 1 over the program message bus) and ends.

namespace dw::platform {

enum class InstanceRole {
    // This process is the only instance (also when no lock could be made at all: the program
    // then runs rather than refusing to start).
    First,
    // Another process holds the instance.
    Second,
};

class ISingleInstance {
public:
    virtual ~ISingleInstance() = default;

    // Takes the instance if nobody holds it. Calling it again after First returns First.
    virtual InstanceRole Acquire() = 0;
    // Gives the instance up early; the destructor does the same.
    virtual void Release() = 0;
};

}  // namespace dw::platform
