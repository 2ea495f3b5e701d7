// The list view in report view: items, subitems and columns, states and the notifications
// that tell the parent about them (in Windows' order), the user's clicks and keys, searches,
// check boxes, sorting and deletion.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "kvwin32/commctrl.h"
#include "kvwin32/render.h"
#include "kvwin32/robot.h"
#include "kvwin32/winuser.h"

namespace {

constexpr int kListId = 40;

// One WM_NOTIFY as the parent saw it when it arrived.
struct Note {
    UINT code;
    int item;
    UINT newState = 0;
    UINT oldState = 0;
    bool operator==(const Note&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Note& n) {
    return out << "{code " << static_cast<int>(n.code) << ", item " << n.item << ", new "
               << n.newState << ", old " << n.oldState << "}";
}

constexpr UINT kSel = LVIS_SELECTED;
constexpr UINT kFoc = LVIS_FOCUSED;

class ListViewTest : public kvtest::WindowFixture {
  protected:
    void SetUp() override {
        parent = create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 0, 0, 0, 400, 300,
                        kvtest::kRecorderParentClass);
        rec.setAnswer([this](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
            if (msg != WM_NOTIFY) {
                return std::nullopt;
            }
            const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
            if (hdr->idFrom != kListId) {
                return std::nullopt;
            }
            Note note{hdr->code, -1};
            switch (hdr->code) {
                case LVN_ITEMCHANGING:
                case LVN_ITEMCHANGED:
                case LVN_INSERTITEM:
                case LVN_DELETEITEM:
                case LVN_DELETEALLITEMS: {
                    const auto* nm = reinterpret_cast<const NMLISTVIEW*>(lParam);
                    note.item = nm->iItem;
                    if (hdr->code == LVN_ITEMCHANGING || hdr->code == LVN_ITEMCHANGED) {
                        note.newState = nm->uNewState;
                        note.oldState = nm->uOldState;
                    }
                    break;
                }
                case NM_CLICK:
                case NM_DBLCLK: {
                    const auto* nm = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
                    note.item = nm->iItem;
                    lastClick = *nm;
                    break;
                }
                case LVN_COLUMNCLICK:
                    note.item = reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem;
                    break;
                case LVN_KEYDOWN:
                    note.item = reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey;
                    break;
                default:
                    break;
            }
            if (recordNotes) {
                notes.push_back(note);
            }
            if (hdr->code == LVN_ITEMCHANGING && note.item == refuseItem) {
                return TRUE;
            }
            if (hdr->code == LVN_DELETEALLITEMS) {
                return quietDeleteAll ? TRUE : FALSE;
            }
            return 0;
        });
    }

    HWND makeList(DWORD style = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS) {
        HWND hwnd =
            CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | style, 10, 10, 300, 200,
                            parent, reinterpret_cast<HMENU>(kListId), nullptr, nullptr);
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        char name[] = "Name";
        col.pszText = name;
        col.cx = 120;
        ListView_InsertColumn(hwnd, 0, &col);
        char size[] = "Size";
        col.pszText = size;
        col.cx = 80;
        ListView_InsertColumn(hwnd, 1, &col);
        return hwnd;
    }

    static int insert(HWND list, int at, const char* text, LPARAM param = 0, int image = 0) {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
        item.iItem = at;
        item.pszText = const_cast<LPSTR>(text);
        item.lParam = param;
        item.iImage = image;
        return ListView_InsertItem(list, &item);
    }

    static std::string textOf(HWND list, int item, int subItem = 0) {
        char buffer[64] = {};
        ListView_GetItemText(list, item, subItem, buffer, sizeof(buffer));
        return buffer;
    }

    static POINT centreOf(HWND list, int item, int part = LVIR_LABEL) {
        RECT r{};
        r.left = part;
        SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(item),
                     reinterpret_cast<LPARAM>(&r));
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    static void click(HWND list, POINT pt, WPARAM keys = 0) {
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(pt.x, pt.y));
        SendMessageA(list, WM_LBUTTONUP, keys, MAKELPARAM(pt.x, pt.y));
    }

    std::vector<Note> changesOnly() const {
        std::vector<Note> out;
        for (const Note& n : notes) {
            if (n.code == LVN_ITEMCHANGING || n.code == LVN_ITEMCHANGED || n.code == NM_CLICK) {
                out.push_back(n);
            }
        }
        return out;
    }

    HWND parent = nullptr;
    std::vector<Note> notes;
    bool recordNotes = true;
    int refuseItem = -2;
    bool quietDeleteAll = false;
    NMITEMACTIVATE lastClick{};
};

TEST_F(ListViewTest, InsertedItemsKeepTextsImagesAndValues) {
    HWND list = makeList();
    EXPECT_EQ(insert(list, 0, "alpha.cir", 100, 2), 0);
    EXPECT_EQ(insert(list, 0, "beta.lib", 200, 1), 0);
    EXPECT_EQ(insert(list, 99, "gamma.inc", 300, 0), 2);  // past the end appends
    EXPECT_EQ(insert(list, -1, "bad", 0, 0), -1);
    EXPECT_EQ(ListView_GetItemCount(list), 3);
    const std::vector<Note> inserted = {
        {LVN_INSERTITEM, 0}, {LVN_INSERTITEM, 0}, {LVN_INSERTITEM, 2}};
    EXPECT_EQ(notes, inserted);

    char kb[] = "12 KB";
    ListView_SetItemText(list, 1, 1, kb);
    EXPECT_EQ(textOf(list, 0), "beta.lib");
    EXPECT_EQ(textOf(list, 1), "alpha.cir");
    EXPECT_EQ(textOf(list, 1, 1), "12 KB");
    EXPECT_EQ(textOf(list, 2, 1), "");

    LVITEMA get{};
    char buffer[5] = {};
    get.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    get.iItem = 1;
    get.pszText = buffer;
    get.cchTextMax = sizeof(buffer);
    ASSERT_TRUE(SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get)));
    EXPECT_STREQ(buffer, "alph");  // bounded by cchTextMax
    EXPECT_EQ(get.iImage, 2);
    EXPECT_EQ(get.lParam, 100);

    LVITEMA set{};
    set.mask = LVIF_IMAGE | LVIF_PARAM;
    set.iItem = 1;
    set.iImage = 0;
    set.lParam = 7;
    ASSERT_TRUE(SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set)));
    get.mask = LVIF_IMAGE | LVIF_PARAM;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get));
    EXPECT_EQ(get.iImage, 0);
    EXPECT_EQ(get.lParam, 7);
    get.iItem = 3;
    EXPECT_FALSE(SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get)));
    EXPECT_FALSE(SendMessageA(list, LVM_GETITEMA, 0, 0));
}

TEST_F(ListViewTest, ColumnsKeepTheirTextsWidthsAndSubitems) {
    HWND list = makeList();
    insert(list, 0, "row");
    char third[] = "Third";
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    col.pszText = third;
    col.cx = 60;
    col.fmt = LVCFMT_RIGHT;
    EXPECT_EQ(SendMessageA(list, LVM_INSERTCOLUMNA, 9, reinterpret_cast<LPARAM>(&col)), 2);
    char one[] = "one";
    char two[] = "two";
    ListView_SetItemText(list, 0, 1, one);
    ListView_SetItemText(list, 0, 2, two);
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 2, 0), 60);
    EXPECT_TRUE(SendMessageA(list, LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(90, 0)));
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 2, 0), 90);

    char buffer[4] = {};
    LVCOLUMNA get{};
    get.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM;
    get.pszText = buffer;
    get.cchTextMax = sizeof(buffer);
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, 2, reinterpret_cast<LPARAM>(&get)));
    EXPECT_STREQ(buffer, "Thi");
    EXPECT_EQ(get.fmt, LVCFMT_RIGHT);
    EXPECT_EQ(get.iSubItem, 2);

    // Deleting column 1 takes its subitem away; column 2's text moves to subitem 1.
    EXPECT_TRUE(SendMessageA(list, LVM_DELETECOLUMN, 1, 0));
    EXPECT_EQ(textOf(list, 0, 1), "two");
    EXPECT_FALSE(SendMessageA(list, LVM_DELETECOLUMN, 5, 0));
    EXPECT_FALSE(SendMessageA(list, LVM_GETCOLUMNA, 5, reinterpret_cast<LPARAM>(&get)));

    // Auto-size fits the widest text.
    char wide[] = "a rather long file name.cir";
    ListView_SetItemText(list, 0, 0, wide);
    SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
    EXPECT_GE(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0),
              SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(wide)));
}

TEST_F(ListViewTest, AClickChangesTheSelectionThenNotifiesTheClick) {
    HWND list = makeList();
    insert(list, 0, "zero");
    insert(list, 1, "one");
    ListView_SetItemState(list, 0, kSel | kFoc, kSel | kFoc);
    notes.clear();
    const POINT at = centreOf(list, 1);
    click(list, at);
    // The old item loses its selection, then the new one gains selection and focus, taking
    // the focus from the old one inside its own change, and NM_CLICK comes last.
    const std::vector<Note> expected = {
        {LVN_ITEMCHANGING, 0, kFoc, kSel | kFoc},
        {LVN_ITEMCHANGED, 0, kFoc, kSel | kFoc},
        {LVN_ITEMCHANGING, 1, kSel | kFoc, 0},
        {LVN_ITEMCHANGING, 0, 0, kFoc},
        {LVN_ITEMCHANGED, 0, 0, kFoc},
        {LVN_ITEMCHANGED, 1, kSel | kFoc, 0},
        {NM_CLICK, 1},
    };
    EXPECT_EQ(changesOnly(), expected);
    EXPECT_EQ(lastClick.iItem, 1);
    EXPECT_EQ(lastClick.iSubItem, 0);
    EXPECT_EQ(lastClick.ptAction.x, at.x);
    EXPECT_EQ(lastClick.ptAction.y, at.y);
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 1);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 1);
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);

    // A click on no item clears the selection and reports item -1.
    notes.clear();
    click(list, POINT{150, 180});
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    EXPECT_EQ(lastClick.iItem, -1);
}

TEST_F(ListViewTest, TheParentCanRefuseAChange) {
    HWND list = makeList();
    insert(list, 0, "zero");
    insert(list, 1, "one");
    refuseItem = 1;
    notes.clear();
    ListView_SetItemState(list, 1, kSel, kSel);
    const std::vector<Note> refused = {{LVN_ITEMCHANGING, 1, kSel, 0}};
    EXPECT_EQ(changesOnly(), refused);
    EXPECT_EQ(ListView_GetItemState(list, 1, kSel), 0u);
    // A click on the refusing item leaves it unselected; the click is still reported.
    click(list, centreOf(list, 1));
    EXPECT_EQ(ListView_GetItemState(list, 1, kSel), 0u);
    EXPECT_EQ(notes.back().code, static_cast<UINT>(NM_CLICK));
}

TEST_F(ListViewTest, SettingStatesNotifiesOnlyRealChanges) {
    HWND list = makeList(LVS_REPORT);  // multiple selection
    for (int i = 0; i < 3; ++i) {
        insert(list, i, "item");
    }
    notes.clear();
    ListView_SetItemState(list, 0, kSel, kSel);
    ListView_SetItemState(list, 0, kSel, kSel);  // no change: no notification
    ListView_SetItemState(list, 2, kSel, kSel);
    EXPECT_EQ(changesOnly().size(), 4u);
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 2);
    // Item -1 changes them all.
    ListView_SetItemState(list, -1, 0, kSel);
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    // In a single-selection list, selecting one deselects the other.
    HWND single = makeList();
    insert(single, 0, "a");
    insert(single, 1, "b");
    ListView_SetItemState(single, 0, kSel, kSel);
    ListView_SetItemState(single, 1, kSel, kSel);
    EXPECT_EQ(ListView_GetNextItem(single, -1, LVNI_SELECTED), 1);
    EXPECT_EQ(ListView_GetNextItem(single, 1, LVNI_SELECTED), -1);
    EXPECT_EQ(ListView_GetNextItem(single, -1, LVNI_ALL), 0);
    EXPECT_EQ(ListView_GetNextItem(single, 1, LVNI_ALL | LVNI_ABOVE), 0);
}

TEST_F(ListViewTest, FindItemSearchesAsWindowsDoes) {
    HWND list = makeList();
    const char* names[] = {"Stim.cir", "lib\\opamp.lib", "STIM.CIR", "stimulus.inc", "other"};
    for (int i = 0; i < 5; ++i) {
        insert(list, i, names[i], 10 * i);
    }
    struct Row {
        const char* name;
        UINT flags;
        const char* text;
        LPARAM param;
        int start;
        int expected;
    } rows[] = {
        {"exact ignores case", LVFI_STRING, "stim.cir", 0, -1, 0},
        {"exact after start", LVFI_STRING, "stim.cir", 0, 0, 2},
        {"exact does not match a prefix", LVFI_STRING, "stim", 0, -1, -1},
        {"partial matches a prefix", LVFI_STRING | LVFI_PARTIAL, "stimu", 0, -1, 3},
        {"partial ignores case", LVFI_STRING | LVFI_PARTIAL, "LIB\\", 0, -1, 1},
        {"partial is a prefix, not a part inside", LVFI_STRING | LVFI_PARTIAL, "tim.cir", 0, -1,
         -1},
        {"no wrap stops at the end", LVFI_STRING, "Stim.cir", 0, 2, -1},
        {"wrap goes round", LVFI_STRING | LVFI_WRAP, "Stim.cir", 0, 2, 0},
        {"wrap finds nothing", LVFI_STRING | LVFI_WRAP, "missing", 0, 2, -1},
        {"by value", LVFI_PARAM, nullptr, 30, -1, 3},
        {"by value after start", LVFI_PARAM, nullptr, 30, 3, -1},
        {"by value wraps", LVFI_PARAM | LVFI_WRAP, nullptr, 10, 3, 1},
        {"no text asked", LVFI_STRING, nullptr, 0, -1, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LVFINDINFOA find{};
        find.flags = row.flags;
        find.psz = row.text;
        find.lParam = row.param;
        EXPECT_EQ(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(row.start),
                               reinterpret_cast<LPARAM>(&find)),
                  row.expected);
    }
}

TEST_F(ListViewTest, KeysMoveTheSelectionAfterLvnKeydown) {
    HWND list = makeList();
    for (int i = 0; i < 4; ++i) {
        insert(list, i, "row");
    }
    SetFocus(list);
    struct Row {
        WPARAM key;
        int expected;
    } rows[] = {{VK_DOWN, 0}, {VK_DOWN, 1}, {VK_END, 3}, {VK_DOWN, 3}, {VK_UP, 2}, {VK_HOME, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "key " << row.key);
        notes.clear();
        SendMessageA(list, WM_KEYDOWN, row.key, 0);
        SendMessageA(list, WM_KEYUP, row.key, 0);
        ASSERT_FALSE(notes.empty());
        EXPECT_EQ(notes.front().code, static_cast<UINT>(LVN_KEYDOWN));
        EXPECT_EQ(notes.front().item, static_cast<int>(row.key));
        EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), row.expected);
        EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), row.expected);
    }
}

TEST_F(ListViewTest, CheckBoxesToggleByClickAndSpace) {
    HWND list = makeList();
    insert(list, 0, "first");
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    insert(list, 1, "second");
    EXPECT_NE(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_STATE, 0), 0);
    EXPECT_FALSE(ListView_GetCheckState(list, 0));
    EXPECT_FALSE(ListView_GetCheckState(list, 1));
    // The check box is the state image at the left of the row.
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&bounds));
    LVHITTESTINFO hit{};
    hit.pt = POINT{bounds.left + 7, (bounds.top + bounds.bottom) / 2};
    EXPECT_EQ(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
    EXPECT_EQ(hit.flags, static_cast<UINT>(LVHT_ONITEMSTATEICON));
    click(list, hit.pt);
    EXPECT_TRUE(ListView_GetCheckState(list, 1));
    EXPECT_EQ(ListView_GetItemState(list, 1, kSel), 0u);  // the check box does not select
    ListView_SetItemState(list, 0, kFoc, kFoc);
    SendMessageA(list, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(ListView_GetCheckState(list, 0));
    ListView_SetCheckState(list, 0, FALSE);
    EXPECT_FALSE(ListView_GetCheckState(list, 0));
    // Full row select: a click on a subitem selects the row and names the column.
    click(list, POINT{160, hit.pt.y});
    EXPECT_EQ(ListView_GetItemState(list, 1, kSel), kSel);
    EXPECT_EQ(lastClick.iSubItem, 1);
}

TEST_F(ListViewTest, DeletingItemsNotifiesEachOrAll) {
    HWND list = makeList();
    for (int i = 0; i < 3; ++i) {
        insert(list, i, "row", i);
    }
    notes.clear();
    EXPECT_TRUE(SendMessageA(list, LVM_DELETEITEM, 1, 0));
    const std::vector<Note> one = {{LVN_DELETEITEM, 1}};
    EXPECT_EQ(notes, one);
    EXPECT_FALSE(SendMessageA(list, LVM_DELETEITEM, 5, 0));
    notes.clear();
    EXPECT_TRUE(ListView_DeleteAllItems(list));
    const std::vector<Note> all = {
        {LVN_DELETEALLITEMS, -1}, {LVN_DELETEITEM, 1}, {LVN_DELETEITEM, 0}};
    EXPECT_EQ(notes, all);
    EXPECT_EQ(ListView_GetItemCount(list), 0);
    for (int i = 0; i < 3; ++i) {
        insert(list, i, "row", i);
    }
    quietDeleteAll = true;
    notes.clear();
    ListView_DeleteAllItems(list);
    const std::vector<Note> quiet = {{LVN_DELETEALLITEMS, -1}};
    EXPECT_EQ(notes, quiet);
}

TEST_F(ListViewTest, DoubleClickNotifiesOnceAndSortingUsesValues) {
    HWND list = makeList();
    insert(list, 0, "c", 3);
    insert(list, 1, "a", 1);
    insert(list, 2, "b", 2);
    notes.clear();
    const POINT at = centreOf(list, 1);
    const LPARAM where = MAKELPARAM(at.x, at.y);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageA(list, WM_LBUTTONUP, 0, where);
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    SendMessageA(list, WM_LBUTTONUP, 0, where);
    std::vector<UINT> clicks;
    for (const Note& n : notes) {
        if (n.code == NM_CLICK || n.code == NM_DBLCLK) {
            clicks.push_back(n.code);
        }
    }
    const std::vector<UINT> expected = {NM_CLICK, NM_DBLCLK};
    EXPECT_EQ(clicks, expected);
    EXPECT_EQ(lastClick.iItem, 1);

    auto byValue = [](LPARAM a, LPARAM b, LPARAM descending) -> int {
        const int order = static_cast<int>(a - b);
        return descending ? -order : order;
    };
    EXPECT_TRUE(SendMessageA(list, LVM_SORTITEMS, 0,
                             reinterpret_cast<LPARAM>(static_cast<PFNLVCOMPARE>(byValue))));
    EXPECT_EQ(textOf(list, 0), "a");
    EXPECT_EQ(textOf(list, 2), "c");
    // The selection travels with its item.
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 0);
}

TEST_F(ListViewTest, ItemRectanglesAndHitTestsAgree) {
    HWND list = makeList(LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER);
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 1);
    ListView_SetImageList(list, images, LVSIL_SMALL);
    for (int i = 0; i < 30; ++i) {
        insert(list, i, "row", i, i % 3);
    }
    RECT icon{};
    icon.left = LVIR_ICON;
    RECT label{};
    label.left = LVIR_LABEL;
    ASSERT_TRUE(SendMessageA(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&icon)));
    ASSERT_TRUE(SendMessageA(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&label)));
    EXPECT_EQ(icon.right - icon.left, 16);
    EXPECT_EQ(label.left, icon.right);
    EXPECT_EQ(icon.top, 2 * (label.bottom - label.top));  // no header: rows start at 0
    struct Row {
        POINT pt;
        int item;
        UINT flags;
    } rows[] = {
        {{icon.left + 3, icon.top + 3}, 2, LVHT_ONITEMICON},
        {{label.left + 10, label.top + 3}, 2, LVHT_ONITEMLABEL},
        {{160, label.top + 3}, -1, LVHT_NOWHERE},  // column 1 without full row select
        {{-5, 5}, -1, LVHT_TOLEFT},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.pt.x << "," << row.pt.y);
        LVHITTESTINFO hit{};
        hit.pt = row.pt;
        EXPECT_EQ(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), row.item);
        EXPECT_EQ(hit.flags, row.flags);
    }
    LVHITTESTINFO sub{};
    sub.pt = POINT{160, label.top + 3};
    EXPECT_EQ(SendMessageA(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&sub)), 2);
    EXPECT_EQ(sub.iSubItem, 1);
    // Scrolling an item into view moves the rows up.
    EXPECT_TRUE(SendMessageA(list, LVM_ENSUREVISIBLE, 29, FALSE));
    EXPECT_GT(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 0);
    RECT last{};
    last.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, 29, reinterpret_cast<LPARAM>(&last));
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_LE(last.bottom, client.bottom);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0)),
              images);
    // The list destroys the image lists it holds unless told they are shared.
    DestroyWindow(list);
    EXPECT_EQ(ImageList_GetImageCount(images), 0);
    EXPECT_FALSE(ImageList_Destroy(images));
}

TEST_F(ListViewTest, CallbackTextsAreAskedOfTheParent) {
    HWND list = makeList();
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.pszText = LPSTR_TEXTCALLBACKA;
    ListView_InsertItem(list, &item);
    rec.setAnswer([](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_NOTIFY &&
            reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(LVN_GETDISPINFOA)) {
            auto* di = reinterpret_cast<NMLVDISPINFOA*>(lParam);
            snprintf(di->item.pszText, static_cast<size_t>(di->item.cchTextMax), "cell %d/%d",
                     di->item.iItem, di->item.iSubItem);
            return 0;
        }
        return std::nullopt;
    });
    EXPECT_EQ(textOf(list, 0), "cell 0/0");
    LVFINDINFOA find{};
    find.flags = LVFI_STRING;
    find.psz = "CELL 0/0";
    EXPECT_EQ(
        SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)),
        0);
}

// 0x00RRGGBB of a system colour, as rendered pixels hold it.
std::uint32_t pixelOf(int sysColour) {
    const COLORREF c = GetSysColor(sysColour);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

TEST_F(ListViewTest, HeaderClicksReportTheColumnAndLeaveTheSelection) {
    HWND list = makeList();
    insert(list, 0, "row");
    ListView_SetItemState(list, 0, kSel, kSel);
    SetFocus(list);
    notes.clear();
    click(list, POINT{150, 5});  // the "Size" header
    const std::vector<Note> expected = {{LVN_COLUMNCLICK, 1}};
    EXPECT_EQ(notes, expected);
    EXPECT_EQ(ListView_GetItemState(list, 0, kSel), kSel);
    HWND plain = makeList(LVS_REPORT | LVS_NOSORTHEADER);
    notes.clear();
    click(plain, POINT{150, 5});
    EXPECT_TRUE(notes.empty() || notes.back().code != static_cast<UINT>(LVN_COLUMNCLICK));
}

TEST_F(ListViewTest, PaintsTheSelectedRowHighlighted) {
    HWND list = makeList(LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER);
    insert(list, 0, "row");
    insert(list, 1, "row");
    SetFocus(list);
    ListView_SetItemState(list, 1, kSel | kFoc, kSel | kFoc);
    RECT label{};
    label.left = LVIR_LABEL;
    SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&label));
    const kvwin32::PixelImage image = kvwin32::renderWindow(list);
    ASSERT_GT(image.width, label.right);
    const int x = label.right - 10;  // right of the short text
    EXPECT_EQ(image.at(x, (label.top + label.bottom) / 2), pixelOf(COLOR_HIGHLIGHT));
    EXPECT_EQ(image.at(x, (label.top + label.bottom) / 2 - (label.bottom - label.top)),
              pixelOf(COLOR_WINDOW));
}

// The Robot clicks an item where a person sees it: inside the control when the first column is
// wider than the list, and after scrolling an item below the view into sight.
TEST_F(ListViewTest, RobotClicksTheVisiblePartOfAnItem) {
    HWND list = makeList();
    SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, 1000);
    for (int i = 0; i < 30; ++i) {
        insert(list, i, ("item " + std::to_string(i)).c_str());
    }
    kvwin32::Robot robot;
    robot.setRoot(parent);
    for (const char* name : {"item 1", "item 29"}) {
        SCOPED_TRACE(name);
        notes.clear();
        const kvwin32::RobotResult done = robot.select(list, kvwin32::ItemQuery::named(name));
        ASSERT_TRUE(done.ok()) << done.error;
        const int expected = std::string(name) == "item 1" ? 1 : 29;
        EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), expected);
        ASSERT_FALSE(notes.empty());
        EXPECT_EQ(notes.back(), (Note{NM_CLICK, expected}));
    }
}

}  // namespace
