// Helpers of the property-sheet and rich-control tests: a fixture that registers the test
// program's resources and leaves no window behind, and the "Rich controls" dialog with the
// parent-side plumbing those controls need (CLBN_CHKCHANGE counting, drag-list reflection).
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "afxcmn.h"
#include "afxext.h"
#include "afxpropsheet.h"
#include "kvwin32/resources.h"
#include "resource_sheets.h"

namespace kvtest {

// Registers the program's resources (dialogs, bitmaps, strings of res/tests.rc) for a test,
// from construction on, so that framework objects that are members of a test fixture load
// their strings at construction as the library's do.
class RichControlsFixture : public WindowFixture {
  protected:
    RichControlsFixture()
        : m_registered(KvRegisterResourceDirectory(nullptr, &kvResourceDirectory)) {}
    ~RichControlsFixture() override { KvRegisterResourceDirectory(nullptr, nullptr); }
    void SetUp() override { ASSERT_TRUE(m_registered); }

  private:
    BOOL m_registered;
};

// The same registration for a plain TEST, for its lifetime.
class RichControlsFixtureHolder {
  public:
    RichControlsFixtureHolder() { KvRegisterResourceDirectory(nullptr, &kvResourceDirectory); }
    ~RichControlsFixtureHolder() { KvRegisterResourceDirectory(nullptr, nullptr); }
    RichControlsFixtureHolder(const RichControlsFixtureHolder&) = delete;
    RichControlsFixtureHolder& operator=(const RichControlsFixtureHolder&) = delete;
};

// The drag list's registered message, as a framework window's map names it.
inline const UINT kDragListMessage = RegisterWindowMessageA(DRAGLISTMSGSTRING);

// The modeless "Rich controls" dialog (IDD_RICH_CONTROLS): counts the check-list box's
// CLBN_CHKCHANGE notifications and reflects the drag list's messages to its framework object,
// as a framework window does for its children.
// Its message map is defined in checklistbox_test.cpp.
class RichDialog : public CDialog {
  public:
    RichDialog() : CDialog(IDD_RICH_CONTROLS) {}

    int checkChanges = 0;  // CLBN_CHKCHANGE notifications received

    BOOL make() { return Create(IDD_RICH_CONTROLS, nullptr); }

  protected:
    void OnCheckChange() { ++checkChanges; }
    LRESULT OnDragList(WPARAM, LPARAM lParam) {
        auto* info = reinterpret_cast<DRAGLISTINFO*>(lParam);
        LRESULT result = 0;
        if (info != nullptr && CWnd::ReflectLastMsg(info->hWnd, &result)) {
            return result;
        }
        return Default();
    }
    DECLARE_MESSAGE_MAP()
};

}  // namespace kvtest
