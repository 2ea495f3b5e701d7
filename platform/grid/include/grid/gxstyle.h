// The grid library's value types: cell coordinates and ranges (CGXRange), pens of cell borders
// (CGXPen) and cell styles (CGXStyle), whose attributes are each either set ("included") or
// left to the style below it (table, column, row, cell).
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <afxwin.h>

#include <array>
#include <optional>

// A row or column index: row 0 holds the column headers, column 0 the row headers.
using ROWCOL = DWORD;

// Colours of the grid library. A COLORREF with the high byte 0xFE names an entry of the grid's
// own colour table (CGXProperties::GetColor, the index in the low byte); one with the high byte
// 0xF9 names a system colour (GetSysColor, the index in the low byte). Any other value is a
// plain RGB colour.
constexpr COLORREF GX_GRIDCOLOR_FLAGS = 0xFE000000;
constexpr COLORREF GX_SYSCOLOR_FLAGS = 0xF9000000;

// Styles of a cell's control. Controls 20000 to 20199 are the library's own; an application
// registers its own under other ids (CGXGridCore::RegisterControl).
constexpr WORD GX_IDS_CTRL_EDIT = 20000;        // a single-line text editor (CGXEditControl)
constexpr WORD GX_IDS_CTRL_STATIC = 20003;      // text shown, never edited
constexpr WORD GX_IDS_CTRL_CHECKBOX3D = 20131;  // the 3D check box; value "1" set, "0" not

// A rectangular range of cells, or whole rows, whole columns or the whole table.
class CGXRange {
  public:
    enum RangeType { rtCells, rtRows, rtCols, rtTable };

    ROWCOL top = 0, left = 0, bottom = 0, right = 0;
    RangeType rtType = rtCells;
    BOOL m_bValid = FALSE;

    CGXRange() = default;
    CGXRange(ROWCOL row, ROWCOL col) { SetCells(row, col, row, col); }
    CGXRange(ROWCOL t, ROWCOL l, ROWCOL b, ROWCOL r) { SetCells(t, l, b, r); }

    // The cells from (t, l) to (b, r); the corners are put in order.
    CGXRange& SetCells(ROWCOL t, ROWCOL l, ROWCOL b, ROWCOL r);
    // Whole rows from..to (in order).
    CGXRange& SetRows(ROWCOL from, ROWCOL to);
    CGXRange& SetRows(ROWCOL row) { return SetRows(row, row); }
    // Whole columns from..to (in order).
    CGXRange& SetCols(ROWCOL from, ROWCOL to);
    CGXRange& SetCols(ROWCOL col) { return SetCols(col, col); }
    // The whole table.
    CGXRange& SetTable();

    BOOL IsValid() const { return m_bValid; }
    BOOL IsCells() const { return rtType == rtCells; }
    BOOL IsRows() const { return rtType == rtRows; }
    BOOL IsCols() const { return rtType == rtCols; }
    BOOL IsTable() const { return rtType == rtTable; }
    ROWCOL GetHeight() const { return bottom - top + 1; }
    ROWCOL GetWidth() const { return right - left + 1; }
    // True when the range holds the cell (whole rows hold every column of their rows ...).
    BOOL IsCellInRange(ROWCOL row, ROWCOL col) const;
    bool operator==(const CGXRange& other) const = default;
};

// A pen of a cell border: a Win32 pen style (PS_SOLID, PS_DOT, PS_DASHDOTDOT ...), a width in
// pixels and a colour (which may name a grid or system colour, see above).
class CGXPen {
  public:
    UINT lopnStyle = PS_SOLID;
    int lopnWidth = 1;
    COLORREF lopnColor = 0;

    CGXPen() = default;
    CGXPen(UINT style, int width, COLORREF color)
        : lopnStyle(style), lopnWidth(width), lopnColor(color) {}
    CGXPen& SetStyle(UINT style) {
        lopnStyle = style;
        return *this;
    }
    CGXPen& SetWidth(int width) {
        lopnWidth = width;
        return *this;
    }
    CGXPen& SetColor(COLORREF color) {
        lopnColor = color;
        return *this;
    }
    UINT GetStyle() const { return lopnStyle; }
    int GetWidth() const { return lopnWidth; }
    COLORREF GetColor() const { return lopnColor; }
    bool operator==(const CGXPen& other) const = default;
};

// The four borders of a cell (gxBorderAll: each of them).
enum GXBorderType {
    gxBorderTop = 0,
    gxBorderLeft = 1,
    gxBorderBottom = 2,
    gxBorderRight = 3,
    gxBorderAll = 4
};

// How a style is merged into what a cell (or row, column, table) already has:
// gxOverride sets every attribute the new style includes; gxApplyNew sets only those not yet
// set; gxCopy replaces the whole style; gxExclude removes every attribute the new style
// includes (whatever its value).
enum GXModifyType { gxOverride, gxApplyNew, gxCopy, gxExclude };

// The attributes of a cell, each set or not.
class CGXStyle {
  public:
    CGXStyle() = default;

    // The value (the text of an edit cell, "1"/"0" of a check box).
    CGXStyle& SetValue(LPCSTR value);
    CGXStyle& SetValue(long value);
    const CString& GetValue() const;
    const CString& GetValueRef() const { return GetValue(); }
    BOOL GetIncludeValue() const { return m_value.has_value(); }
    CGXStyle& SetIncludeValue(BOOL include);

    // The control that shows and edits the cell (GX_IDS_CTRL_* or a registered id).
    CGXStyle& SetControl(WORD id);
    WORD GetControl() const { return m_control.value_or(GX_IDS_CTRL_EDIT); }
    BOOL GetIncludeControl() const { return m_control.has_value(); }
    CGXStyle& SetIncludeControl(BOOL include);

    CGXStyle& SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_textColor.value_or(GetSysColor(COLOR_WINDOWTEXT)); }
    BOOL GetIncludeTextColor() const { return m_textColor.has_value(); }
    CGXStyle& SetIncludeTextColor(BOOL include);

    // The background of the cell.
    CGXStyle& SetInterior(COLORREF color);
    COLORREF GetInterior() const { return m_interior.value_or(GetSysColor(COLOR_WINDOW)); }
    BOOL GetIncludeInterior() const { return m_interior.has_value(); }
    CGXStyle& SetIncludeInterior(BOOL include);

    CGXStyle& SetBorders(GXBorderType border, const CGXPen& pen);
    // The pen of a border (the default pen when none is set; see GetIncludeBorders).
    CGXPen GetBorders(GXBorderType border) const;
    BOOL GetIncludeBorders(GXBorderType border) const;
    CGXStyle& SetIncludeBorders(GXBorderType border, BOOL include);

    CGXStyle& SetEnabled(BOOL enabled);
    BOOL GetEnabled() const { return m_enabled.value_or(true); }
    BOOL GetIncludeEnabled() const { return m_enabled.has_value(); }
    CGXStyle& SetReadOnly(BOOL readOnly);
    BOOL GetReadOnly() const { return m_readOnly.value_or(false); }
    BOOL GetIncludeReadOnly() const { return m_readOnly.has_value(); }

    // Merges another style into this one (see GXModifyType).
    void ChangeStyle(const CGXStyle& other, GXModifyType mt);
    // True when no attribute is set.
    bool IsEmpty() const;
    void Free() { *this = CGXStyle(); }

  private:
    std::optional<CString> m_value;
    std::optional<WORD> m_control;
    std::optional<COLORREF> m_textColor;
    std::optional<COLORREF> m_interior;
    std::array<std::optional<CGXPen>, 4> m_borders;
    std::optional<bool> m_enabled;
    std::optional<bool> m_readOnly;
};

#pragma GCC visibility pop
