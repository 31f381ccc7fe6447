#include "ui/core/CTileLayoutUI.h"

#include <algorithm>

#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIString.h"

namespace dw::ui {

std::wstring CTileLayoutUI::GetClass() const { return L"TileLayoutUI"; }

void* CTileLayoutUI::GetInterface(std::wstring_view name)
{
    if (name == L"TileLayout")
        return this;
    return CContainerUI::GetInterface(name);
}

void CTileLayoutUI::SetColumns(int columns)
{
    if (columns <= 0 || m_columns == columns)
        return;
    m_columns = columns;
    NeedUpdate();
}

UISize CTileLayoutUI::GetItemSize() const { return Scale(m_itemSize); }

void CTileLayoutUI::SetItemSize(UISize size)
{
    if (size.cx < 0 || size.cy < 0 || m_itemSize == size)
        return;
    m_itemSize = size;
    NeedUpdate();
}

void CTileLayoutUI::SetChildrenPos(const UIRect& client)
{
    const UISize itemSize = GetItemSize();
    const int gap = GetChildPadding();
    int columns = m_columns;
    if (itemSize.cx > 0)
        columns = std::max(1, (client.GetWidth() + gap) / (itemSize.cx + gap));
    const int cellWidth = itemSize.cx > 0 ? itemSize.cx
                                          : std::max(0, (client.GetWidth() - gap * (columns - 1)) / columns);
    const UISize scroll = GetScrollPos();

    std::vector<CControlUI*> cells;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = m_items[static_cast<size_t>(i)];
        if (!child->IsVisible())
            continue;
        if (child->IsFloat())
            SetFloatPos(i);
        else
            cells.push_back(child);
    }

    int y = client.top - scroll.cy;
    int totalHeight = 0;
    for (size_t rowStart = 0; rowStart < cells.size(); rowStart += static_cast<size_t>(columns)) {
        const size_t rowEnd = std::min(cells.size(), rowStart + static_cast<size_t>(columns));
        // The row is as high as the item size, else as its tallest child's wish (with padding).
        int rowHeight = itemSize.cy;
        if (rowHeight <= 0) {
            for (size_t i = rowStart; i < rowEnd; ++i) {
                const UIRect pad = cells[i]->GetPadding();
                const UISize want = cells[i]->EstimateSize({cellWidth - pad.left - pad.right, 0});
                rowHeight = std::max(rowHeight, std::max(want.cy, cells[i]->GetMinHeight()) + pad.top + pad.bottom);
            }
        }
        int x = client.left - scroll.cx;
        for (size_t i = rowStart; i < rowEnd; ++i) {
            CControlUI* child = cells[i];
            UIRect rc{x, y, x + cellWidth, y + rowHeight};
            rc.Deflate(child->GetPadding());
            const UISize want = child->EstimateSize({rc.GetWidth(), rc.GetHeight()});
            // A fixed size smaller than the cell sits at the cell's top left.
            if (want.cx > 0 && want.cx < rc.GetWidth())
                rc.right = rc.left + want.cx;
            if (want.cy > 0 && want.cy < rc.GetHeight())
                rc.bottom = rc.top + want.cy;
            child->SetPos(rc, false);
            x += cellWidth + gap;
        }
        y += rowHeight + gap;
        totalHeight += rowHeight + (rowEnd < cells.size() ? gap : 0);
    }
    const int totalWidth = columns * cellWidth + gap * (columns - 1);
    ProcessScrollBar(client, totalWidth, totalHeight);
}

AttributeResult CTileLayoutUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    if (EqualsNoCase(name, L"columns")) {
        const auto v = ParseInt(value);
        if (!v || *v <= 0)
            return AttributeResult::Malformed;
        SetColumns(*v);
        return AttributeResult::Ok;
    }
    if (EqualsNoCase(name, L"itemsize")) {
        const auto v = ParseSize(value);
        if (!v || v->cx < 0 || v->cy < 0)
            return AttributeResult::Malformed;
        SetItemSize(*v);
        return AttributeResult::Ok;
    }
    return CContainerUI::SetAttribute(name, value);
}

}  // namespace dw::ui
