// Ranges, pens and styles of the grid library.
#include "grid/gxstyle.h"

#include <algorithm>

CGXRange& CGXRange::SetCells(ROWCOL t, ROWCOL l, ROWCOL b, ROWCOL r) {
    top = std::min(t, b);
    bottom = std::max(t, b);
    left = std::min(l, r);
    right = std::max(l, r);
    rtType = rtCells;
    m_bValid = TRUE;
    return *this;
}

CGXRange& CGXRange::SetRows(ROWCOL from, ROWCOL to) {
    SetCells(from, 0, to, 0);
    rtType = rtRows;
    return *this;
}

CGXRange& CGXRange::SetCols(ROWCOL from, ROWCOL to) {
    SetCells(0, from, 0, to);
    rtType = rtCols;
    return *this;
}

CGXRange& CGXRange::SetTable() {
    SetCells(0, 0, 0, 0);
    rtType = rtTable;
    return *this;
}

BOOL CGXRange::IsCellInRange(ROWCOL row, ROWCOL col) const {
    if (!m_bValid) {
        return FALSE;
    }
    switch (rtType) {
        case rtTable:
            return TRUE;
        case rtRows:
            return row >= top && row <= bottom;
        case rtCols:
            return col >= left && col <= right;
        case rtCells:
            break;
    }
    return row >= top && row <= bottom && col >= left && col <= right;
}

CGXStyle& CGXStyle::SetValue(LPCSTR value) {
    m_value = CString(value != nullptr ? value : "");
    return *this;
}

CGXStyle& CGXStyle::SetValue(long value) {
    m_value = CString(std::to_string(value).c_str());
    return *this;
}

const CString& CGXStyle::GetValue() const {
    static const CString empty;
    return m_value ? *m_value : empty;
}

CGXStyle& CGXStyle::SetIncludeValue(BOOL include) {
    if (!include) {
        m_value.reset();
    } else if (!m_value) {
        m_value = CString();
    }
    return *this;
}

CGXStyle& CGXStyle::SetControl(WORD id) {
    m_control = id;
    return *this;
}

CGXStyle& CGXStyle::SetIncludeControl(BOOL include) {
    if (!include) {
        m_control.reset();
    } else if (!m_control) {
        m_control = GX_IDS_CTRL_EDIT;
    }
    return *this;
}

CGXStyle& CGXStyle::SetTextColor(COLORREF color) {
    m_textColor = color;
    return *this;
}

CGXStyle& CGXStyle::SetIncludeTextColor(BOOL include) {
    if (!include) {
        m_textColor.reset();
    } else if (!m_textColor) {
        m_textColor = GetSysColor(COLOR_WINDOWTEXT);
    }
    return *this;
}

CGXStyle& CGXStyle::SetInterior(COLORREF color) {
    m_interior = color;
    return *this;
}

CGXStyle& CGXStyle::SetIncludeInterior(BOOL include) {
    if (!include) {
        m_interior.reset();
    } else if (!m_interior) {
        m_interior = GetSysColor(COLOR_WINDOW);
    }
    return *this;
}

CGXStyle& CGXStyle::SetBorders(GXBorderType border, const CGXPen& pen) {
    if (border == gxBorderAll) {
        for (auto& b : m_borders) {
            b = pen;
        }
    } else if (border >= gxBorderTop && border < gxBorderAll) {
        m_borders[static_cast<size_t>(border)] = pen;
    }
    return *this;
}

CGXPen CGXStyle::GetBorders(GXBorderType border) const {
    if (border >= gxBorderTop && border < gxBorderAll && m_borders[static_cast<size_t>(border)]) {
        return *m_borders[static_cast<size_t>(border)];
    }
    return CGXPen(PS_NULL, 0, 0);
}

BOOL CGXStyle::GetIncludeBorders(GXBorderType border) const {
    if (border == gxBorderAll) {
        return std::all_of(m_borders.begin(), m_borders.end(),
                           [](auto& b) { return b.has_value(); });
    }
    return border >= gxBorderTop && border < gxBorderAll &&
           m_borders[static_cast<size_t>(border)].has_value();
}

CGXStyle& CGXStyle::SetIncludeBorders(GXBorderType border, BOOL include) {
    auto apply = [include](std::optional<CGXPen>& b) {
        if (!include) {
            b.reset();
        } else if (!b) {
            b = CGXPen();
        }
    };
    if (border == gxBorderAll) {
        for (auto& b : m_borders) {
            apply(b);
        }
    } else if (border >= gxBorderTop && border < gxBorderAll) {
        apply(m_borders[static_cast<size_t>(border)]);
    }
    return *this;
}

CGXStyle& CGXStyle::SetEnabled(BOOL enabled) {
    m_enabled = enabled != FALSE;
    return *this;
}

CGXStyle& CGXStyle::SetReadOnly(BOOL readOnly) {
    m_readOnly = readOnly != FALSE;
    return *this;
}

namespace {

// Merges one attribute by the modify type.
template <typename T>
void merge(std::optional<T>& mine, const std::optional<T>& theirs, GXModifyType mt) {
    if (!theirs) {
        return;
    }
    switch (mt) {
        case gxExclude:
            mine.reset();
            break;
        case gxApplyNew:
            if (!mine) {
                mine = theirs;
            }
            break;
        case gxOverride:
        case gxCopy:
            mine = theirs;
            break;
    }
}

}  // namespace

void CGXStyle::ChangeStyle(const CGXStyle& other, GXModifyType mt) {
    if (mt == gxCopy) {
        *this = other;
        return;
    }
    merge(m_value, other.m_value, mt);
    merge(m_control, other.m_control, mt);
    merge(m_textColor, other.m_textColor, mt);
    merge(m_interior, other.m_interior, mt);
    for (size_t i = 0; i < m_borders.size(); ++i) {
        merge(m_borders[i], other.m_borders[i], mt);
    }
    merge(m_enabled, other.m_enabled, mt);
    merge(m_readOnly, other.m_readOnly, mt);
}

bool CGXStyle::IsEmpty() const {
    return !m_value && !m_control && !m_textColor && !m_interior && !m_enabled && !m_readOnly &&
           std::none_of(m_borders.begin(), m_borders.end(), [](auto& b) { return b.has_value(); });
}
