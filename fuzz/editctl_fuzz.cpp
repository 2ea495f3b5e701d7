// Fuzz target: the "Edit" and "Button" controls under arbitrary message sequences. Each input
// byte group picks a message and its parameters (selections, limits, margins, line numbers,
// characters, keys, texts); the controls must keep their text, selection and buffer copies in
// bounds and never crash, whatever the order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"

namespace {

// Reads the input a byte at a time; zero when it has run out.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool more() const { return m_pos < m_size; }
    std::uint8_t next() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    int small() { return static_cast<int>(next() % 40) - 2; }  // -2..37: around short texts
    std::string text() {
        const std::size_t n = next() % 24;
        std::string out;
        for (std::size_t i = 0; i < n && more(); ++i) {
            const std::uint8_t c = next();
            out.push_back(c == 0 ? '\r' : (c == 1 ? '\n' : static_cast<char>(c)));
        }
        return out;
    }

  private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

void checkEdit(HWND edit) {
    const LRESULT length = SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start > end || end > static_cast<DWORD>(length)) {
        std::abort();
    }
    const LRESULT lines = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
    if (lines < 1 || lines > length + 1) {
        std::abort();
    }
}

void step(Bytes& in, HWND edit, HWND button) {
    const std::uint8_t op = in.next() % 24;
    switch (op) {
        case 0:
            SendMessageA(edit, WM_CHAR, in.next(), 1);
            break;
        case 1:
            SendMessageA(edit, WM_KEYDOWN, in.next() % 0x30, 0);
            break;
        case 2:
            SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(in.small()), in.small());
            break;
        case 3: {
            const std::string t = in.text();
            SendMessageA(edit, EM_REPLACESEL, in.next() & 1, reinterpret_cast<LPARAM>(t.c_str()));
            break;
        }
        case 4: {
            const std::string t = in.text();
            SetWindowTextA(edit, t.c_str());
            break;
        }
        case 5:
            SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(in.next() % 16), 0);
            break;
        case 6:
            SendMessageA(edit, EM_SETMARGINS, in.next() % 4, MAKELONG(in.next(), in.next()));
            break;
        case 7:
            SendMessageA(edit, EM_UNDO, 0, 0);
            break;
        case 8: {
            // EM_GETLINE must stay within the size in the buffer's first WORD.
            char buffer[40];
            std::memset(buffer, 0x5A, sizeof buffer);
            const WORD size = static_cast<WORD>(in.next() % 32);
            std::memcpy(buffer, &size, sizeof size);
            const LRESULT n = SendMessageA(edit, EM_GETLINE, static_cast<WPARAM>(in.small()),
                                           reinterpret_cast<LPARAM>(buffer));
            if (n < 0 || n > size || buffer[sizeof buffer - 1] != 0x5A) {
                std::abort();
            }
            break;
        }
        case 9:
            SendMessageA(edit, EM_LINEINDEX, static_cast<WPARAM>(in.small()), 0);
            SendMessageA(edit, EM_LINELENGTH, static_cast<WPARAM>(in.small()), 0);
            SendMessageA(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(in.small()), 0);
            break;
        case 10:
            SendMessageA(edit, EM_POSFROMCHAR, static_cast<WPARAM>(in.small()), 0);
            SendMessageA(edit, EM_CHARFROMPOS, 0, MAKELPARAM(in.next(), in.next()));
            break;
        case 11:
            SendMessageA(edit, WM_CUT + in.next() % 4, 0, 0);
            break;
        case 12: {
            char buffer[8];
            const LRESULT n =
                SendMessageA(edit, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
            if (n < 0 || n >= static_cast<LRESULT>(sizeof buffer) || buffer[n] != '\0') {
                std::abort();
            }
            break;
        }
        case 13:
            SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(in.next(), in.next() % 64));
            SendMessageA(edit, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(in.next(), in.next() % 64));
            SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(in.next(), in.next() % 64));
            break;
        case 14:
            SendMessageA(edit, EM_SETREADONLY, in.next() & 1, 0);
            break;
        case 15:
            SendMessageA(edit, EM_SETPASSWORDCHAR, in.next(), 0);
            break;
        case 16: {
            RECT r{in.small(), in.small(), in.small() * 4, in.small() * 2};
            SendMessageA(edit, EM_SETRECT, 0, (in.next() & 1) ? reinterpret_cast<LPARAM>(&r) : 0);
            break;
        }
        case 17:
            SendMessageA(edit, EM_SCROLLCARET, 0, 0);
            SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
            break;
        case 18:
            SendMessageA(button, BM_SETCHECK, in.next() % 4, 0);
            break;
        case 19:
            SendMessageA(button, BM_SETSTYLE, in.next() % 16, in.next() & 1);
            break;
        case 20:
            SendMessageA(button, in.next() & 1 ? BM_CLICK : BM_SETSTATE, in.next() & 1, 0);
            break;
        case 21:
            SendMessageA(button, WM_KEYDOWN, VK_SPACE, 0);
            SendMessageA(button, WM_KEYUP, in.next() & 1 ? VK_SPACE : VK_RETURN, 0);
            break;
        case 22:
            EnableWindow(in.next() & 1 ? edit : button, in.next() & 1);
            break;
        default:
            UpdateWindow(GetParent(edit));
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in(data, size);
    const DWORD editStyles[] = {ES_AUTOHSCROLL,
                                ES_MULTILINE,
                                ES_MULTILINE | ES_AUTOHSCROLL,
                                ES_NUMBER,
                                ES_PASSWORD | ES_UPPERCASE,
                                0};
    const DWORD style = editStyles[in.next() % 6];
    HWND top = CreateWindowExA(0, WC_STATICA, "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
    HWND edit = CreateWindowExA(0, WC_EDITA, "start", WS_CHILD | WS_VISIBLE | style, 0, 0,
                                in.next() % 120, 40, top, nullptr, nullptr, nullptr);
    HWND button = CreateWindowExA(0, WC_BUTTONA, "b", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 0,
                                  50, 40, 20, top, nullptr, nullptr, nullptr);
    for (int steps = 0; in.more() && steps < 512; ++steps) {
        step(in, edit, button);
        checkEdit(edit);
    }
    DestroyWindow(top);
    return 0;
}
