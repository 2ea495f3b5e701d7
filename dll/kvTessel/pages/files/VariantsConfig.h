// The Configuration Files page: which stimulus, library and include files the simulator loads
// for a profile, at global, design and profile scope and in which order, and the library
// search path. Files added to the profile scope are copied into the profile's folder (with a
// library's ".prp" companion); the Edit button hands a file to the host's editor. It owns the
// profile's FileConfigSettings and writes the options record's noIndexUpdate.
#pragma once

#include <afxcmn.h>
#include <afxext.h>
#include <afxwin.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "FileRules.h"
#include "pages/common/SettingsPage.h"

struct SimProfile;

class CVariantsConfig : public CSettingsPage {
  public:
    // The page on template 160 for the profile (not owned; may be null), with the Remove, Up
    // and Down pictures loaded.
    explicit CVariantsConfig(SimProfile* profile);

    BOOL OnInitDialog() override;
    BOOL OnApply() override;

    // The page's lists of one category and scope (the truth for categories not shown).
    std::vector<std::string>& PageList(FileScope scope, FileCategory category);

    // Members, in the order the page has always kept them.
    CListBox m_categoryList;
    CListCtrl m_fileList;
    CString m_fileName;
    CString m_libraryPath;
    CString m_helpText;
    int m_updateIndex = 0;  // "Update Inde&x": 1 checked
    CString m_profileDir;
    int m_modified = 0;
    std::array<GroupCounts, kFileCategoryCount> m_counts{};  // by category
    CBitmapButton m_remove;
    CBitmapButton m_up;
    CBitmapButton m_down;
    CImageList m_images;
    // Global, design and profile lists, each Library, Stimulus, Include.
    std::array<std::vector<std::string>, 9> m_lists;
    int m_category = 0;  // FileCategory shown
    int m_rowCount = 0;
    int m_selectedRow = -1;
    int m_nextSame = -1;      // next row below the selection with its scope
    int m_previousSame = -1;  // previous row above the selection with its scope

  protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnCategoryChange();
    afx_msg void OnRowClick(NMHDR* header, LRESULT* result);
    afx_msg void OnBrowse();
    afx_msg void OnRemove();
    afx_msg void OnMoveUp();
    afx_msg void OnMoveDown();
    afx_msg void OnAddGlobal();
    afx_msg void OnAddDesign();
    afx_msg void OnAddProfile();
    afx_msg void OnEdit();
    afx_msg void OnChange();
    afx_msg void OnBrowseLibraryFolder();
    afx_msg void OnLibraryPathChange();
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()

  private:
    FileCategory category() const { return static_cast<FileCategory>(m_category); }
    // Whether the sheet offers the profile scope (modeless sheets do, modal ones do not).
    bool profileScopeEnabled();
    bool hasGeneral() const;
    PathBases bases();
    std::vector<FileRow> rows() const;
    FileScope rowScope(int row) const;

    // Shows a message of the page's string table in a box of `style`.
    void message(UINT textId, UINT style);
    // Duplicate test of the current category; answers as FindPresence, showing its messages
    // when `report`, and on absent replaces `path` by the resolved file.
    Presence IsAlreadyPresent(std::string& path, bool report);
    // The row text of a profile file, after copying it into the profile folder; none when it
    // is already configured or the copy failed (the message has been shown).
    std::optional<std::string> ProfileCopy(const std::string& fileName, bool change);
    // An absolute path of a row's text: profile and design rows resolved against their folders.
    std::string AbsoluteRowPath(std::string text, FileScope scope);

    void AddFile(FileScope scope);
    void InsertRow(int index, const std::string& text, FileScope scope);
    void SelectRow(int row);
    void UpdateMoveButtons(int row);
    void LoadCategoryRows();
    void StoreCategoryRows();
    void WriteFileConfig();
    // "Update Inde&x" for Library only, and the help text of the category.
    void ShowCategoryExtras();
    void MarkModified();
};
