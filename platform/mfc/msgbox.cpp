// AfxMessageBox and the framework's prompt strings: a message box captioned with the
// application's name and owned by the active window, texts from the current resource
// module's string table or the framework's own English prompts, and %1/%2 substitution.
#include <iterator>

#include "afxwin.h"

namespace {

// The framework's own prompts (a resource module with the id in its string table wins).
struct Prompt {
    UINT id;
    const char* text;
};
constexpr Prompt kPrompts[] = {
    {AFX_IDP_PARSE_INT, "Please enter an integer."},
    {AFX_IDP_PARSE_REAL, "Please enter a number."},
    {AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2."},
    {AFX_IDP_PARSE_REAL_RANGE, "Please enter a number between %1 and %2."},
    {AFX_IDP_PARSE_STRING_SIZE, "Please enter no more than %1 characters."},
    {AFX_IDP_PARSE_RADIO_BUTTON, "Please select a button."},
    {AFX_IDP_PARSE_BYTE, "Please enter an integer between 0 and 255."},
    {AFX_IDP_PARSE_UINT, "Please enter a positive integer."},
    {AFX_IDP_INTERNAL_FAILURE, "An unsupported operation was attempted."},
    {AFX_IDP_COMMAND_FAILURE, "Command failed."},
    {AFX_IDP_FAILED_MEMORY_ALLOC, "Insufficient memory available."},
};

// The icon the framework adds to a box that asks for none: the exclamation mark for OK and
// OK/Cancel boxes, the question mark for Yes/No and Yes/No/Cancel boxes.
UINT withDefaultIcon(UINT type) {
    if ((type & MB_ICONMASK) != 0) {
        return type;
    }
    switch (type & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            return type | MB_ICONEXCLAMATION;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            return type | MB_ICONQUESTION;
        default:
            return type;
    }
}

}  // namespace

BOOL AfxLoadString(UINT id, CString& text) {
    if (text.LoadString(AfxGetResourceHandle(), id)) {
        return TRUE;
    }
    for (const Prompt& prompt : kPrompts) {
        if (prompt.id == id) {
            text = prompt.text;
            return TRUE;
        }
    }
    text.Empty();
    return FALSE;
}

CString AfxFormatStringText(LPCSTR format, LPCSTR arg1, LPCSTR arg2) {
    // %1 and %2 are replaced in one pass, so an argument that itself holds "%2" stays as it is.
    CString result;
    if (!format) {
        return result;
    }
    for (const char* p = format; *p; ++p) {
        if (p[0] == '%' && (p[1] == '1' || p[1] == '2')) {
            const char* arg = p[1] == '1' ? arg1 : arg2;
            result += arg ? arg : "";
            ++p;
        } else {
            result += *p;
        }
    }
    return result;
}

void AfxFormatString1(CString& result, UINT formatId, LPCSTR arg1) {
    CString format;
    AfxLoadString(formatId, format);
    result = AfxFormatStringText(format, arg1, nullptr);
}

void AfxFormatString2(CString& result, UINT formatId, LPCSTR arg1, LPCSTR arg2) {
    CString format;
    AfxLoadString(formatId, format);
    result = AfxFormatStringText(format, arg1, arg2);
}

int CWinApp::DoMessageBox(LPCSTR prompt, UINT type, UINT /*helpId*/) {
    // Owned by the active window (the framework's "safe owner"), captioned with the app's name.
    return ::MessageBoxA(::GetActiveWindow(), prompt, m_pszAppName, withDefaultIcon(type));
}

int AfxMessageBox(LPCSTR text, UINT type, UINT helpId) {
    if (CWinApp* app = AfxGetApp()) {
        return app->DoMessageBox(text ? text : "", type, helpId);
    }
    return ::MessageBoxA(::GetActiveWindow(), text ? text : "", AfxGetAppName(),
                         withDefaultIcon(type));
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId) {
    CString text;
    AfxLoadString(promptId, text);
    if (helpId == static_cast<UINT>(-1)) {
        helpId = promptId;
    }
    return AfxMessageBox(text, type, helpId);
}
