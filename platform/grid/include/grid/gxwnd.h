// The grid window: a CWnd that is a grid core. It paints the grid (WM_PAINT, into the DC of
// wParam when there is one, as WM_PRINTCLIENT does), turns keys and mouse into the core's
// calls, answers the Robot's cell queries and wants every key of a dialog.
//
// The window class GXWND (registered by GXInit, or by GXRegisterWndClass) lets a dialog
// template hold a grid; the dialog's code then subclasses the control with its grid object
// (SubclassDlgItem) and initialises it (Initialize).
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "grid/gxcore.h"

// The window class of grids in dialog templates.
#define GX_GRID_CLASS "GXWND"
// Registers GXWND for the process (GXInit does it); TRUE when it is registered.
BOOL GXRegisterWndClass();

class CGXGridWnd : public CWnd, public CGXGridCore {
  public:
    CGXGridWnd();
    ~CGXGridWnd() override;

    using CWnd::Create;
    // Creates a grid window as a child (of class GXWND).
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void Initialize() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  protected:
    void OnGridLButtonDown(UINT flags, CPoint point, bool twice);
    void OnGridMouseMove(UINT flags, CPoint point);
    void OnGridLButtonUp(UINT flags, CPoint point);
    void OnGridKeyDown(UINT ch, UINT repeat, UINT flags);
    void OnGridKeyUp(UINT ch, UINT repeat, UINT flags);
    void OnGridChar(UINT ch, UINT repeat, UINT flags);
    LRESULT OnCellQuery(LPARAM lParam);
};

#pragma GCC visibility pop
