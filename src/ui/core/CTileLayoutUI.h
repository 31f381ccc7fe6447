#pragma once

#include "ui/core/CContainerUI.h"

namespace dw::ui {

// Children in a grid, row by row. Either a number of columns (each as wide as the client
// width shared by the columns) or an item size (as many columns as fit). A row is as high as
// the item size, else as its tallest fixed-height child.
class CTileLayoutUI : public CContainerUI {
public:
    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

    int GetColumns() const { return m_columns; }
    void SetColumns(int columns);
    UISize GetItemSize() const;  // scaled; 0,0 when not set
    void SetItemSize(UISize size);
    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;

protected:
    void SetChildrenPos(const UIRect& client) override;

private:
    int m_columns = 1;
    UISize m_itemSize;  // 96-DPI units
};

}  // namespace dw::ui
