#pragma once

namespace dw::ui {

class CControlFactory;

// Registers the richer controls of this folder by their element names: Edit, RichEdit, Combo,
// List, ListHeader, ListHeaderItem, ListLabelElement, ListContainerElement, Slider and
// ColorPalette. The control factory calls it once when it registers the built-in classes.
void RegisterRichControls(CControlFactory& factory);

}  // namespace dw::ui
