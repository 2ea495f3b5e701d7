// The message box and the common file and folder dialogs as real dialogs, for a desktop with a
// person at it. Each is a template written in memory (UTF-16 strings, dialog units, the
// dialog font) and run with DialogBoxIndirectParamA, so its controls are the standard ones
// and its modal loop takes the person's input from the desktop like any other dialog.
#include "kvwin32/item_text.h"
#include "kvwin32/person_dialogs.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "internal/gdi.h"
#include "kvwin32/drives.h"
#include "kvwin32/msgbox_style.h"
#include "kvwin32/styles.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"
#include "kvwin32/winuser_dialog.h"
#include "kvwin32/winuser_msgbox.h"

namespace kvwin32 {
namespace {

// Writes a DLGTEMPLATE with its items into WORD-aligned memory.
class TemplateWriter {
  public:
    TemplateWriter(DWORD style, const std::string& title, short cx, short cy) {
        DLGTEMPLATE header{static_cast<DWORD>(style | DS_SETFONT | DS_MODALFRAME | WS_POPUP |
                                              WS_CAPTION | WS_SYSMENU),
                           0,
                           0,
                           0,
                           0,
                           cx,
                           cy};
        put(&header, sizeof header);
        word(0);  // no menu
        word(0);  // the standard dialog class
        text(title);
        word(8);  // the 8-point dialog font
        text("MS Shell Dlg");
    }
    // Adds a control of a predefined class (0x0080 button, 0x0081 edit, 0x0082 static,
    // 0x0083 list box).
    void item(WORD classAtom, const std::string& caption, WORD id, DWORD style, short x, short y,
              short cx, short cy) {
        align(4);
        DLGITEMTEMPLATE item{
            static_cast<DWORD>(style | WS_CHILD | WS_VISIBLE), 0, x, y, cx, cy, id};
        put(&item, sizeof item);
        word(0xFFFF);
        word(classAtom);
        text(caption);
        word(0);  // no creation data
        ++count();
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

  private:
    WORD& count() { return reinterpret_cast<DLGTEMPLATE*>(m_words.data())->cdit; }
    void put(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const BYTE*>(data);
        for (std::size_t i = 0; i < size; i += 2) {
            m_words.push_back(static_cast<WORD>(bytes[i] | (i + 1 < size ? bytes[i + 1] << 8 : 0)));
        }
    }
    void word(WORD w) { m_words.push_back(w); }
    // ANSI text as UTF-16: code page 1252 above 0x7F reads as Latin-1, close enough for the
    // names and messages these dialogs show.
    void text(const std::string& s) {
        for (char c : s) {
            m_words.push_back(static_cast<unsigned char>(c));
        }
        m_words.push_back(0);
    }
    void align(std::size_t bytes) {
        while ((m_words.size() * 2) % bytes != 0) {
            m_words.push_back(0);
        }
    }
    std::vector<WORD> m_words;
};

constexpr WORD kButton = 0x0080;
constexpr WORD kEdit = 0x0081;
constexpr WORD kStatic = 0x0082;
constexpr WORD kListBox = 0x0083;

// Dialog units of a width in pixels of the dialog font (4 units to an average character).
short unitsOfPixels(int pixels) {
    return static_cast<short>((pixels * 4 + internal::kFontAdvance - 1) / internal::kFontAdvance);
}

std::string buttonCaption(int id) {
    switch (id) {
        case IDOK:
            return "OK";
        case IDCANCEL:
            return "Cancel";
        case IDABORT:
            return "&Abort";
        case IDRETRY:
            return "&Retry";
        case IDIGNORE:
            return "&Ignore";
        case IDYES:
            return "&Yes";
        case IDNO:
            return "&No";
        case IDTRYAGAIN:
            return "&Try Again";
        case IDCONTINUE:
            return "&Continue";
        default:
            return std::string(answerName(id));
    }
}

// ---- Message box -----------------------------------------------------------------------------

struct BoxContext {
    const MessageBoxRequest* request = nullptr;
    std::vector<int> ids;
    BoxIcon icon = BoxIcon::none;
};

// Where the icon of a box stands, in dialog units, and how much room it takes.
constexpr short kIconX = 10;
constexpr short kIconY = 10;
constexpr short kIconCx = 22;  // 32 pixels of the dialog font's base units
constexpr short kIconCy = 20;
constexpr int kIconSide = 32;

// The classic icons of a box, 32 pixels square with their top-left at (left, top): a red disc
// with a white cross (error), a yellow triangle with "!" (warning), a white bubble with a blue
// "i" (information) or "?" (question).
void paintBoxIcon(HDC dc, BoxIcon icon, int left, int top) {
    auto dot = [&](int x, int y, COLORREF c) { SetPixel(dc, left + x, top + y, c); };
    const COLORREF black = RGB(0, 0, 0);
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF blue = RGB(0, 0, 255);
    // A disc of radius 15 centred in the square: inside, its one-pixel rim, outside.
    auto disc = [](int x, int y) {
        const int dx = 2 * x - 31;
        const int dy = 2 * y - 31;
        const int d = dx * dx + dy * dy;
        return d <= 26 * 26 ? 2 : (d <= 30 * 30 ? 1 : 0);
    };
    for (int y = 0; y < kIconSide; ++y) {
        for (int x = 0; x < kIconSide; ++x) {
            switch (icon) {
                case BoxIcon::error:
                    if (disc(x, y) != 0) {
                        const bool cross = x >= 9 && x <= 22 &&
                                           (std::abs(x - y) <= 1 || std::abs(x + y - 31) <= 1);
                        dot(x, y, cross ? white : RGB(255, 0, 0));
                    }
                    break;
                case BoxIcon::warning: {
                    // A triangle with its apex at the top middle, its base on row 29.
                    const int half = (y - 2) / 2 + 1;
                    if (y >= 2 && y <= 29 && std::abs(2 * x - 31) <= 2 * half) {
                        const bool rim = y == 29 || std::abs(2 * x - 31) > 2 * half - 3;
                        const bool mark =
                            (x == 15 || x == 16) && ((y >= 10 && y <= 21) || (y >= 24 && y <= 26));
                        dot(x, y, rim || mark ? black : RGB(255, 255, 0));
                    }
                    break;
                }
                case BoxIcon::information:
                case BoxIcon::question: {
                    const int d = disc(x, y);
                    if (d != 0) {
                        dot(x, y, d == 1 ? black : white);
                    }
                    break;
                }
                case BoxIcon::none:
                    return;
            }
        }
    }
    if (icon == BoxIcon::information || icon == BoxIcon::question) {
        // The letter in blue, each dot of its 5x10 pattern two pixels square.
        const char* const rowsI[] = {"00110", "00110", "00000", "01110", "00110",
                                     "00110", "00110", "00110", "00110", "01111"};
        const char* const rowsQ[] = {"01110", "11011", "00011", "00110", "01100",
                                     "01100", "00000", "00000", "01100", "01100"};
        const char* const* rows = icon == BoxIcon::information ? rowsI : rowsQ;
        for (int r = 0; r < 10; ++r) {
            for (int c = 0; c < 5; ++c) {
                if (rows[r][c] == '1') {
                    for (int k = 0; k < 4; ++k) {
                        dot(11 + 2 * c + k % 2, 6 + 2 * r + k / 2, blue);
                    }
                }
            }
        }
    }
}

INT_PTR CALLBACK boxProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* context = reinterpret_cast<BoxContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            context = reinterpret_cast<BoxContext*>(lParam);
            const int defaultId = defaultBoxButton(context->request->style);
            SetFocus(GetDlgItem(dialog, defaultId));
            return FALSE;
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (context == nullptr) {
                return FALSE;
            }
            if (std::find(context->ids.begin(), context->ids.end(), id) != context->ids.end()) {
                EndDialog(dialog, id);
                return TRUE;
            }
            // Escape (IDCANCEL) closes only a box that can be closed so.
            if (id == IDCANCEL) {
                if (const std::optional<int> answer = boxCancelAnswer(context->request->style)) {
                    EndDialog(dialog, *answer);
                }
                return TRUE;
            }
            return FALSE;
        }
        case WM_CLOSE:
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        case WM_PAINT: {
            if (context == nullptr || context->icon == BoxIcon::none) {
                return FALSE;
            }
            PAINTSTRUCT ps{};
            HDC dc = BeginPaint(dialog, &ps);
            RECT at{kIconX, kIconY, kIconX + kIconCx, kIconY + kIconCy};
            MapDialogRect(dialog, &at);
            paintBoxIcon(dc, context->icon, at.left, at.top);
            EndPaint(dialog, &ps);
            return TRUE;
        }
        default:
            return FALSE;
    }
}

// ---- File and folder dialogs -----------------------------------------------------------------

constexpr WORD kIdList = 100;
constexpr WORD kIdName = 101;
constexpr WORD kIdFolder = 102;

std::string joinWindows(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

// Whether a name matches one of the ';'-separated patterns ("*.cir;*.net", "*.*").
bool matchesPatterns(const std::string& name, const std::string& patterns) {
    auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return s;
    };
    const std::string n = lower(name);
    std::size_t start = 0;
    while (start <= patterns.size()) {
        std::size_t end = patterns.find(';', start);
        if (end == std::string::npos) {
            end = patterns.size();
        }
        std::string p = lower(patterns.substr(start, end - start));
        p.erase(0, p.find_first_not_of(' '));
        if (p == "*" || p == "*.*" || p.empty()) {
            return true;
        }
        if (p.rfind("*.", 0) == 0) {
            const std::string ext = p.substr(1);
            if (n.size() >= ext.size() && n.compare(n.size() - ext.size(), ext.size(), ext) == 0) {
                return true;
            }
        } else if (p == n) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

// The entries of a Windows folder: its sub-folders (as "[name]") or its files matching the
// patterns, sorted.
std::vector<std::string> folderEntries(const std::string& windowsFolder, bool folders,
                                       const std::string& patterns) {
    std::vector<std::string> out;
    const std::optional<std::string> host = hostFromWindows(windowsFolder);
    if (!host) {
        return out;
    }
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(*host, error)) {
        const std::string name = entry.path().filename().string();
        std::error_code kindError;
        const bool isFolder = entry.is_directory(kindError);
        if (folders && isFolder) {
            out.push_back(name);
        } else if (!folders && !isFolder && matchesPatterns(name, patterns)) {
            out.push_back(name);
        }
        if (out.size() >= 2000) {
            break;  // a list a person can still read
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

struct PathContext {
    bool folders = false;  // a folder browser
    std::string folder;    // the folder listed
    std::string patterns;  // the file types listed
    std::string initial;   // the edit's first text
    std::string answer;    // what OK answered
};

std::string textOf(HWND hwnd) {
    char buffer[1024] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

void fillList(HWND dialog, PathContext& c) {
    HWND list = GetDlgItem(dialog, kIdList);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    if (c.folders) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(".."));
    }
    for (const std::string& name : folderEntries(c.folder, c.folders, c.patterns)) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    SetDlgItemTextA(dialog, kIdFolder, c.folder.c_str());
}

std::string selectedItem(HWND dialog) {
    HWND list = GetDlgItem(dialog, kIdList);
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index < 0) {
        return std::string();
    }
    return kvwin32::listBoxItemText(list, index).value_or(std::string());
}

// Goes into a sub-folder of the folder browser ("..": up).
void enterFolder(HWND dialog, PathContext& c, const std::string& name) {
    if (name == "..") {
        std::string up = c.folder;
        while (!up.empty() && up.back() == '\\') {
            up.pop_back();
        }
        const std::size_t slash = up.rfind('\\');
        if (slash != std::string::npos) {
            c.folder = up.substr(0, slash + 1);
            if (c.folder.size() > 3 && c.folder.back() == '\\') {
                c.folder.pop_back();
            }
        }
    } else {
        c.folder = joinWindows(c.folder, name);
    }
    SetDlgItemTextA(dialog, kIdName, c.folder.c_str());
    fillList(dialog, c);
}

INT_PTR CALLBACK pathProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* c = reinterpret_cast<PathContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            c = reinterpret_cast<PathContext*>(lParam);
            fillList(dialog, *c);
            SetDlgItemTextA(dialog, kIdName, c->initial.c_str());
            return TRUE;
        case WM_COMMAND:
            if (c == nullptr) {
                return FALSE;
            }
            switch (LOWORD(wParam)) {
                case IDOK: {
                    std::string typed = textOf(GetDlgItem(dialog, kIdName));
                    if (typed.empty()) {
                        return TRUE;
                    }
                    // A bare name is in the folder listed.
                    if (!c->folders && typed.find('\\') == std::string::npos &&
                        typed.find(':') == std::string::npos) {
                        typed = joinWindows(c->folder, typed);
                    }
                    c->answer = typed;
                    EndDialog(dialog, IDOK);
                    return TRUE;
                }
                case IDCANCEL:
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                case kIdList:
                    if (HIWORD(wParam) == LBN_SELCHANGE && !c->folders) {
                        SetDlgItemTextA(dialog, kIdName, selectedItem(dialog).c_str());
                    } else if (HIWORD(wParam) == LBN_DBLCLK) {
                        const std::string item = selectedItem(dialog);
                        if (c->folders && !item.empty()) {
                            enterFolder(dialog, *c, item);
                        } else if (!item.empty()) {
                            SetDlgItemTextA(dialog, kIdName, item.c_str());
                            SendMessageA(dialog, WM_COMMAND, IDOK, 0);
                        }
                    }
                    return TRUE;
                default:
                    return FALSE;
            }
        case WM_CLOSE:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
    }
}

PathAnswer runPathDialog(HWND owner, const std::string& title, const std::string& prompt,
                         PathContext& context) {
    TemplateWriter t(DS_CENTER, title, 260, 178);
    t.item(kStatic, prompt, 0xFFFF, SS_LEFT, 7, 7, 246, 8);
    t.item(kStatic, "", kIdFolder, SS_LEFT | SS_NOPREFIX, 7, 18, 246, 8);
    t.item(kListBox, "", kIdList, LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7,
           29, 246, 102);
    t.item(kStatic, context.folders ? "&Folder:" : "File &name:", 0xFFFF, SS_LEFT, 7, 138, 50, 8);
    t.item(kEdit, "", kIdName, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 60, 136, 193, 12);
    t.item(kButton, "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 149, 157, 50, 14);
    t.item(kButton, "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 203, 157, 50, 14);
    const INT_PTR result = DialogBoxIndirectParamA(nullptr, t.get(), owner, pathProc,
                                                   reinterpret_cast<LPARAM>(&context));
    if (result != IDOK) {
        return std::nullopt;
    }
    return context.answer;
}

}  // namespace

int runMessageBoxDialog(const MessageBoxRequest& request) {
    BoxContext context;
    context.request = &request;
    context.ids = boxButtonIds(request.style);
    context.icon = boxIconOf(request.style);
    // The text's size decides the box's: lines as the static control will show them, at most
    // two thirds of the screen wide.
    const int maxText = 400;
    std::string longest;
    int lines = 1;
    int widest = 0;
    std::string line;
    for (std::size_t i = 0; i <= request.text.size(); ++i) {
        if (i == request.text.size() || request.text[i] == '\n') {
            widest = std::max(widest, internal::textWidth(line));
            line.clear();
            if (i < request.text.size()) {
                ++lines;
            }
        } else if (request.text[i] != '\r') {
            line.push_back(request.text[i]);
        }
    }
    if (widest > maxText) {
        lines += widest / maxText;
        widest = maxText;
    }
    // The icon stands left of the text, which starts level with it (centred beside it when
    // it is one or two lines).
    const bool icon = context.icon != BoxIcon::none;
    const short textX = icon ? static_cast<short>(kIconX + kIconCx + 8) : 10;
    const short buttons = static_cast<short>(context.ids.size());
    const short textCx = std::max<short>(unitsOfPixels(widest) + 4, 60);
    const short textCy = static_cast<short>(lines * 8);
    const short bodyCy = icon ? std::max<short>(textCy, kIconCy) : textCy;
    const short textY =
        static_cast<short>(icon && textCy < kIconCy ? kIconY + (kIconCy - textCy) / 2 : 10);
    const short rowCx = static_cast<short>(buttons * 50 + (buttons - 1) * 4);
    const short cx = static_cast<short>(std::max<int>(textX + textCx, rowCx + 10) + 10);
    const short cy = static_cast<short>(bodyCy + 14 + 14 + 16);
    TemplateWriter t(DS_CENTER, request.caption, cx, cy);
    t.item(kStatic, request.text, 0xFFFF, SS_LEFT | SS_NOPREFIX, textX, textY,
           static_cast<short>(cx - textX - 10), textCy);
    short x = static_cast<short>((cx - rowCx) / 2);
    const int defaultId = defaultBoxButton(request.style);
    for (int id : context.ids) {
        t.item(kButton, buttonCaption(id), static_cast<WORD>(id),
               (id == defaultId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP, x,
               static_cast<short>(cy - 21), 50, 14);
        x = static_cast<short>(x + 54);
    }
    const INT_PTR result = DialogBoxIndirectParamA(nullptr, t.get(), request.owner, boxProc,
                                                   reinterpret_cast<LPARAM>(&context));
    return result > 0 ? static_cast<int>(result) : defaultId;
}

PathAnswer runFileDialog(const FileDialogRequest& request) {
    PathContext context;
    context.folder = request.initialFolder;
    if (context.folder.empty()) {
        context.folder = "C:\\";
    }
    const std::size_t index =
        request.filterIndex > 0 ? static_cast<std::size_t>(request.filterIndex - 1) : 0;
    if (index < request.filters.size()) {
        context.patterns = request.filters[index].pattern;
    }
    context.initial = request.initialName;
    std::string title = request.title;
    if (title.empty()) {
        title = request.kind == FileDialogKind::open ? "Open" : "Save As";
    }
    std::string prompt = "Files";
    if (index < request.filters.size()) {
        prompt += " of type " + request.filters[index].description;
    }
    prompt += " in:";
    return runPathDialog(request.owner, title, prompt, context);
}

PathAnswer runFolderDialog(const FolderDialogRequest& request) {
    PathContext context;
    context.folders = true;
    context.folder = request.selection.empty() ? "C:\\" : request.selection;
    context.initial = context.folder;
    const std::string prompt = request.title.empty() ? "Choose a folder:" : request.title;
    return runPathDialog(request.owner, "Browse for Folder", prompt, context);
}

}  // namespace kvwin32
