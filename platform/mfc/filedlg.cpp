// CFileDialog: the framework's Open and Save As dialogs over GetOpenFileNameA and
// GetSaveFileNameA (old style: no hooks, no templates).
#include <algorithm>
#include <cstring>

#include "afxdlgs.h"

CFileDialog::CFileDialog(BOOL openFileDialog, LPCSTR defExt, LPCSTR fileName, DWORD flags,
                         LPCSTR filter, CWnd* parentWnd)
    : m_bOpenFileDialog(openFileDialog), m_defExt(defExt ? defExt : "") {
    m_pParentWnd = parentWnd;
    if (filter) {
        // "Text (*.txt)|*.txt|All (*.*)|*.*||": the framework turns every '|' into the zero
        // that separates the fields of lpstrFilter; the final "||" becomes the double zero.
        m_filter = filter;
        std::replace(m_filter.begin(), m_filter.end(), '|', '\0');
        m_filter.push_back('\0');
    }
    if (fileName) {
        std::strncpy(m_szFileName, fileName, sizeof m_szFileName - 1);
    }
    m_ofn.lStructSize = sizeof(OPENFILENAMEA);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    m_ofn.lpstrDefExt = m_defExt.empty() ? nullptr : m_defExt.c_str();
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    m_ofn.Flags = flags;
    m_ofn.hInstance = AfxGetResourceHandle();
}

INT_PTR CFileDialog::DoModal() {
    m_ofn.hwndOwner =
        m_pParentWnd && m_pParentWnd->m_hWnd ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
    const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

namespace {

// Where the name starts in a Windows path (after the last '\' or '/', or a drive's ':').
size_t nameStart(const std::string& path) {
    const size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? 0 : separator + 1;
}

}  // namespace

CString CFileDialog::GetPathName() const {
    return CString(m_ofn.lpstrFile ? m_ofn.lpstrFile : "");
}

CString CFileDialog::GetFileName() const {
    const std::string path = GetPathName().str();
    return CString(path.substr(nameStart(path)));
}

CString CFileDialog::GetFileExt() const {
    const std::string name = GetFileName().str();
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? CString() : CString(name.substr(dot + 1));
}

CString CFileDialog::GetFileTitle() const {
    const std::string name = GetFileName().str();
    return CString(name.substr(0, name.rfind('.')));
}

CString CFileDialog::GetFolderPath() const {
    const std::string path = GetPathName().str();
    size_t start = nameStart(path);
    if (start > 0 && (path[start - 1] == '\\' || path[start - 1] == '/')) {
        --start;  // the folder without its trailing separator
    }
    return CString(path.substr(0, start));
}
