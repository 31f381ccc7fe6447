#pragma once

// The audio controls of a page's lighting panel, as the device object uses them: show an audio
// lighting record, and read the record the user has set there back. The lighting panel
// implements this; a device without one keeps the record only in memory.

#include "transport/device/AudioLightRecord.h"

namespace dw {

class IAudioLightPanel {
public:
    virtual ~IAudioLightPanel() = default;
    virtual void ShowAudioLightRecord(const AudioLightRecord& record) = 0;
    // Updates `record` from the controls (with takeColour, the colour being edited is first
    // taken from the colour button). False when the panel's controls are missing; `record`
    // is then unchanged.
    virtual bool ReadAudioLightRecord(AudioLightRecord& record, bool takeColour) = 0;
};

}  // namespace dw
