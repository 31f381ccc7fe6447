#pragma once

// An image as a control attribute names it: a plain file name ("btn.png") or the key=value
// form "file='btn.png' source='0,0,10,10' corner='2,2,2,2' fade='200' hole='false'
// xtiled='false' ytiled='false' dest='0,0,20,20'". Parsing is a pure function so the forms
// can be tested without painting.

#include <optional>
#include <string>
#include <string_view>

#include "ui/core/IRenderContext.h"
#include "ui/core/UIDefs.h"

namespace dw::ui {

struct UIImageAttribute {
    std::wstring file;           // relative to the skin folder, '/' separators
    UIImageDrawParams params;    // source, corners, fade, hole, tiling
    std::optional<UIRect> dest;  // relative to the control; the whole control when absent
    friend bool operator==(const UIImageAttribute& a, const UIImageAttribute& b)
    {
        return a.file == b.file && a.params.source == b.params.source && a.params.corners == b.params.corners &&
               a.params.fade == b.params.fade && a.params.hole == b.params.hole &&
               a.params.xtiled == b.params.xtiled && a.params.ytiled == b.params.ytiled && a.dest == b.dest;
    }
};

// Nothing when the text is malformed (unknown key, bad number, unterminated quote).
// An empty text parses to an empty file name: "no image".
std::optional<UIImageAttribute> ParseImageAttribute(std::wstring_view text);

}  // namespace dw::ui
