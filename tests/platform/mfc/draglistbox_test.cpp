// CDragListBox on the plain list box of the "Rich controls" dialog: the drag-list messages the
// parent reflects reach BeginDrag, Dragging, Dropped and CancelDrag, a drag with the mouse moves
// the item with its data, and the default Dropped leaves the order alone for a drop on the
// item itself or just below it.
#include <string>
#include <vector>

#include "RichControlsSupport.h"

namespace kvtest {
namespace {

// A drag list box that records which virtuals ran.
class LoggingDragList : public CDragListBox {
  public:
    std::vector<std::string> calls;
    bool refuseDrag = false;

    BOOL BeginDrag(CPoint point) override {
        calls.push_back("begin");
        return refuseDrag ? FALSE : CDragListBox::BeginDrag(point);
    }
    UINT Dragging(CPoint point) override {
        calls.push_back("dragging");
        return CDragListBox::Dragging(point);
    }
    void Dropped(int source, CPoint point) override {
        calls.push_back("dropped " + std::to_string(source));
        CDragListBox::Dropped(source, point);
    }
    void CancelDrag(CPoint point) override {
        calls.push_back("cancel");
        CDragListBox::CancelDrag(point);
    }
    int lastMark() const { return m_nLast; }
};

class DragListTest : public RichControlsFixture {
  protected:
    void SetUp() override {
        RichControlsFixture::SetUp();
        ASSERT_TRUE(dialog.make());
        ASSERT_TRUE(list.SubclassDlgItem(IDC_DRAGLIST, &dialog));
        const char* texts[] = {"zero", "one", "two", "three"};
        for (int i = 0; i < 4; ++i) {
            list.AddString(texts[i]);
            list.SetItemData(i, static_cast<DWORD_PTR>(100 + i));
        }
    }
    void TearDown() override {
        list.DestroyWindow();
        dialog.DestroyWindow();
        RichControlsFixture::TearDown();
    }

    POINT clientCentre(int index) {
        CRect rect;
        list.GetItemRect(index, &rect);
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    CPoint screenCentre(int index) {
        CPoint point(clientCentre(index));
        list.ClientToScreen(&point);
        return point;
    }
    // Sends the parent a drag-list notification as the system drag list does.
    LRESULT notify(UINT code, CPoint screen) {
        DRAGLISTINFO info{code, list.m_hWnd, screen};
        return dialog.SendMessage(kDragListMessage, IDC_DRAGLIST, reinterpret_cast<LPARAM>(&info));
    }
    std::vector<std::string> order() {
        std::vector<std::string> texts;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString text;
            list.GetText(i, text);
            texts.push_back(text.str() + "/" + std::to_string(list.GetItemData(i)));
        }
        return texts;
    }

    RichDialog dialog;
    LoggingDragList list;
};

TEST_F(DragListTest, NotificationsReachTheVirtuals) {
    EXPECT_EQ(notify(DL_BEGINDRAG, screenCentre(1)), TRUE);
    EXPECT_EQ(list.lastMark(), 1);
    EXPECT_EQ(notify(DL_DRAGGING, screenCentre(2)), DL_MOVECURSOR);
    EXPECT_EQ(list.lastMark(), 2);
    EXPECT_EQ(notify(DL_DRAGGING, CPoint(-500, -500)), DL_STOPCURSOR);
    EXPECT_EQ(list.lastMark(), -1);
    notify(DL_CANCELDRAG, screenCentre(2));
    EXPECT_EQ(list.calls, (std::vector<std::string>{"begin", "dragging", "dragging", "cancel"}));
    list.refuseDrag = true;
    EXPECT_EQ(notify(DL_BEGINDRAG, screenCentre(1)), FALSE);
}

TEST_F(DragListTest, DroppedMovesTheSelectionBeforeTheTarget) {
    struct Row {
        const char* what;
        int source;
        int target;  // item under the drop point
        std::vector<std::string> order;
    };
    const Row rows[] = {
        {"down two", 0, 3, {"one/101", "two/102", "zero/100", "three/103"}},
        {"up", 3, 1, {"zero/100", "three/103", "one/101", "two/102"}},
        {"onto itself", 1, 1, {"zero/100", "one/101", "two/102", "three/103"}},
        {"just below", 1, 2, {"zero/100", "one/101", "two/102", "three/103"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        list.ResetContent();
        const char* texts[] = {"zero", "one", "two", "three"};
        for (int i = 0; i < 4; ++i) {
            list.AddString(texts[i]);
            list.SetItemData(i, static_cast<DWORD_PTR>(100 + i));
        }
        list.SetCurSel(row.source);
        notify(DL_DROPPED, screenCentre(row.target));
        EXPECT_EQ(order(), row.order);
    }
}

TEST_F(DragListTest, MouseDragMovesTheItem) {
    POINT from = clientCentre(0);
    POINT to = clientCentre(3);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    ASSERT_FALSE(list.calls.empty());
    EXPECT_EQ(list.calls.front(), "begin");
    EXPECT_EQ(list.calls.back(), "dropped 0");
    EXPECT_EQ(order(), (std::vector<std::string>{"one/101", "two/102", "zero/100", "three/103"}));
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.lastMark(), -1);
}

TEST(DragListBinding, BoundThroughCWndBecomesADragList) {
    RichControlsFixtureHolder holder;
    RichDialog dialog;
    ASSERT_TRUE(dialog.make());
    LoggingDragList list;
    // As DDX_Control binds a control: through CWnd::SubclassWindow, whose PreSubclassWindow
    // step is the drag list's.
    ASSERT_TRUE(static_cast<CWnd&>(list).SubclassWindow(::GetDlgItem(dialog.m_hWnd, IDC_DRAGLIST)));
    list.AddString("first");
    list.AddString("second");
    list.AddString("third");
    CRect top;
    CRect bottom;
    list.GetItemRect(0, &top);
    list.GetItemRect(2, &bottom);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(top.left + 5, top.top + 2));
    list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(bottom.left + 5, bottom.top + 2));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(bottom.left + 5, bottom.top + 2));
    ASSERT_FALSE(list.calls.empty());
    EXPECT_EQ(list.calls.front(), "begin");
    CString text;
    list.GetText(1, text);
    EXPECT_EQ(text, "first");
    list.DestroyWindow();
    dialog.DestroyWindow();
}

}  // namespace
}  // namespace kvtest
