#include "platform/hid/HidBackendSelection.h"

#include <mutex>
#include <vector>

#include "platform/hid/HidrawBackend.h"

namespace dw::hid {

namespace {

struct Selection {
    std::mutex mutex;
    std::shared_ptr<IHidBackend> active;
    std::shared_ptr<IHidBackend> hidraw;   // the default, made once on first need
    // Every backend ever active: references to them may still be held.
    std::vector<std::shared_ptr<IHidBackend>> kept;
};

Selection& TheSelection() {
    static Selection selection;
    return selection;
}

}  // namespace

void SelectHidBackend(std::shared_ptr<IHidBackend> backend) {
    Selection& s = TheSelection();
    std::lock_guard lock(s.mutex);
    if (backend == s.active) {
        return;
    }
    if (backend) {
        s.kept.push_back(backend);
    }
    s.active = std::move(backend);
}

IHidBackend& ActiveHidBackend() {
    Selection& s = TheSelection();
    std::lock_guard lock(s.mutex);
    if (!s.active) {
        if (!s.hidraw) {
            s.hidraw = std::make_shared<HidrawBackend>();
        }
        s.active = s.hidraw;
    }
    return *s.active;
}

}  // namespace dw::hid
