// CEdit: the framework's wrapper of the "Edit" control.
#include <cstring>

#include "afxwin.h"

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, "Edit", nullptr, style | WS_CHILD, rect, parent, id);
}

void CEdit::SetSel(int start, int end, BOOL noScroll) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
    if (!noScroll) {
        SendMessage(EM_SCROLLCARET);
    }
}

void CEdit::SetSel(DWORD selection, BOOL noScroll) {
    SetSel(static_cast<short>(LOWORD(selection)), static_cast<short>(HIWORD(selection)), noScroll);
}

DWORD CEdit::GetSel() const {
    return static_cast<DWORD>(SendMessage(EM_GETSEL));
}

void CEdit::GetSel(int& start, int& end) const {
    DWORD first = 0;
    DWORD last = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void CEdit::ReplaceSel(LPCSTR text, BOOL canUndo) {
    SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text ? text : ""));
}

void CEdit::LimitText(int maxChars) {
    SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(maxChars));
}

void CEdit::SetLimitText(UINT maxChars) {
    SendMessage(EM_SETLIMITTEXT, maxChars);
}

UINT CEdit::GetLimitText() const {
    return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT));
}

void CEdit::SetModify(BOOL modified) {
    SendMessage(EM_SETMODIFY, modified);
}

BOOL CEdit::GetModify() const {
    return SendMessage(EM_GETMODIFY) != 0;
}

void CEdit::SetMargins(UINT left, UINT right) {
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(left, right));
}

DWORD CEdit::GetMargins() const {
    return static_cast<DWORD>(SendMessage(EM_GETMARGINS));
}

int CEdit::GetLine(int index, LPSTR buffer, int maxLength) const {
    if (!buffer || maxLength <= 0) {
        return 0;
    }
    // EM_GETLINE reads the buffer's size from its first WORD and does not terminate the text.
    if (maxLength < static_cast<int>(sizeof(WORD))) {
        buffer[0] = '\0';
        return 0;
    }
    const WORD size = static_cast<WORD>(maxLength > 0xffff ? 0xffff : maxLength);
    std::memcpy(buffer, &size, sizeof size);
    const int copied = static_cast<int>(
        SendMessage(EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
    if (copied < maxLength) {
        buffer[copied < 0 ? 0 : copied] = '\0';
    }
    return copied;
}

int CEdit::GetLineCount() const {
    return static_cast<int>(SendMessage(EM_GETLINECOUNT));
}

BOOL CEdit::SetReadOnly(BOOL readOnly) {
    return SendMessage(EM_SETREADONLY, readOnly) != 0;
}

BOOL CEdit::Undo() {
    return SendMessage(EM_UNDO) != 0;
}

BOOL CEdit::CanUndo() const {
    return SendMessage(EM_CANUNDO) != 0;
}

void CEdit::Cut() {
    SendMessage(WM_CUT);
}

void CEdit::Copy() {
    SendMessage(WM_COPY);
}

void CEdit::Paste() {
    SendMessage(WM_PASTE);
}

void CEdit::Clear() {
    SendMessage(WM_CLEAR);
}
