// The framework's standard dialogs: the file dialog CFileDialog here, and the property sheet
// and page classes from their own header.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "afxwin.h"

#if __has_include("afxpropsheet.h")
#include "afxpropsheet.h"
#endif

// CFileDialog needs the common dialogs of the window system (OFN_ flags, OPENFILENAMEA).
#ifdef OFN_HIDEREADONLY

// The old-style Open and Save As dialogs. The filter is given as the framework takes it:
// pairs "Text|pattern" separated by '|' and ended with "||".
class CFileDialog : public CDialog {
  public:
    CFileDialog(BOOL openFileDialog, LPCSTR defExt = nullptr, LPCSTR fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR filter = nullptr,
                CWnd* parentWnd = nullptr);

    OPENFILENAMEA m_ofn{};  // the request; callers may adjust it before DoModal

    // Shows the dialog; IDOK with the chosen file in m_ofn, else IDCANCEL.
    INT_PTR DoModal() override;
    // The chosen file: full path, name with extension, extension, name without extension,
    // folder.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;

  protected:
    BOOL m_bOpenFileDialog;  // Open, else Save As
    std::string m_filter;    // the filter with '\0' separators
    std::string m_defExt;    // default extension
    char m_szFileName[MAX_PATH]{};
    char m_szFileTitle[MAX_PATH]{};
};

#endif  // OFN_HIDEREADONLY

#pragma GCC visibility pop
