// CListBoxExBuddy: the caption bar above a CListBoxEx, with a strip of four small buttons at its
// right end (New, Delete, Move Up, Move Down) that drive the list, each with its tip. It takes
// over an owner-drawn button of a dialog; the button's text is the caption.
#pragma once

#include <afxcmn.h>

#include <array>

#include "ListBoxEx.h"

class CListBoxExBuddy : public CButton {
  public:
    // The buttons, left to right, as DoButton numbers them.
    enum Button { kNew = 0, kDelete = 1, kMoveUp = 2, kMoveDown = 3, kNone = 4 };
    // One face of the strip, and the strip.
    static constexpr int kFaceWidth = 22;
    static constexpr int kFaceHeight = 20;
    static constexpr int kStripWidth = 4 * kFaceWidth;

    CListBoxExBuddy();

    // The list the buttons drive (not owned).
    void SetListBox(CListBoxEx* list) { m_list = list; }
    CListBoxEx* GetListBox() const { return m_list; }
    // The strip of the four faces (88 by 20 pixels); the buddy keeps the bitmap.
    void SetBitmap(HBITMAP strip);
    HBITMAP GetStrip() const { return static_cast<HBITMAP>(m_strip.GetSafeHandle()); }

    // ---- Hooks -----------------------------------------------------------------------------
    // The mouse button was released over the bar.
    virtual void OnButtonUp(UINT flags, CPoint point);
    // The mouse button was pressed over the bar.
    virtual void OnButtonDown(UINT flags, CPoint point);
    // Carries out button `index` on the list.
    virtual void DoButton(int index);

    // The button under a client point, kNone when none.
    int HitTest(CPoint point) const;
    // The rectangle of button `index` in client coordinates.
    CRect ButtonRect(int index) const { return m_buttons[static_cast<std::size_t>(index)]; }
    int GetHotButton() const { return m_hot; }
    BOOL IsPressed() const { return m_pressed; }
    CToolTipCtrl& ToolTips() { return m_tips; }

    void PreSubclassWindow() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  protected:
    afx_msg int OnCreate(LPCREATESTRUCTA create);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnNcMouseMove(UINT hitTest, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

    // Invalidates the cell of button `index` (nothing for kNone).
    void InvalidateButton(int index);

  private:
    void Layout(int width, int height);
    void CreateTips();

    // The strip of the four faces.
    CBitmap m_strip;
    // The list the buttons drive (set by the owner, not owned).
    CListBoxEx* m_list = nullptr;
    // The button under the mouse (kNone: none).
    int m_hot = kNone;
    // The hot button is held down.
    BOOL m_pressed = FALSE;
    // The four buttons' rectangles, client coordinates.
    std::array<CRect, 4> m_buttons{};
    // The tips of the four buttons (tools 1 to 4).
    CToolTipCtrl m_tips;
};
