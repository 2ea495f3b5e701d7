// CVariantsConfig: the category and file lists with their scope groups, adding, changing,
// removing and moving files, profile copies, the library path and its folder browser, Edit,
// Help, and what Apply writes into the profile.
#include "VariantsConfig.h"

#include <afxdd_.h>
#include <afxdlgs.h>
#include <shlobj.h>

#include <algorithm>

#include "IniList.h"
#include "InstallEnvironment.h"
#include "MessageText.h"
#include "PathUtil.h"
#include "entry/SimPropertySheet.h"
#include "kvTessel/SimProfile.h"
#include "kvwin32/crt.h"
#include "pages/common/CatalogMessages.h"
#include "pages/common/PageHelpers.h"
#include "resource.h"

namespace {

// What differs between the categories, in the category list's order.
struct CategoryTraits {
    UINT name;              // its item in the category list
    UINT filter;            // the file dialog's filter
    const char* extension;  // the file dialog's default extension
    int helpTopic;
    EditFileKind editKind;
};

constexpr std::array<CategoryTraits, kFileCategoryCount> kCategories = {{
    {IDS_CATEGORY_STIMULUS, IDS_FILTER_STIMULUS, ".Stl", 49189, EditFileKind::stimulus},
    {IDS_CATEGORY_LIBRARY, IDS_FILTER_LIBRARY, ".lib", 49188, EditFileKind::library},
    {IDS_CATEGORY_INCLUDE, IDS_FILTER_INCLUDE, ".inc", 49187, EditFileKind::include},
}};

const CategoryTraits& traitsOf(FileCategory category) {
    return kCategories[static_cast<std::size_t>(category)];
}

// The page lists are kept global, design, profile; each Library, Stimulus, Include.
std::size_t pageListIndex(FileScope scope, FileCategory category) {
    const std::size_t group = scope == FileScope::global ? 0 : scope == FileScope::design ? 1 : 2;
    const std::size_t kind = category == FileCategory::library    ? 0
                             : category == FileCategory::stimulus ? 1
                                                                  : 2;
    return group * 3 + kind;
}

// The record's lists of a category, global, design and profile.
struct RecordLists {
    std::vector<vnt_string>* global;
    std::vector<vnt_string>* design;
    std::vector<vnt_string>* profile;
};

RecordLists recordLists(FileConfigSettings& record, FileCategory category) {
    switch (category) {
        case FileCategory::stimulus:
            return {&record.globalStimuli, &record.designStimuli, &record.profileStimuli};
        case FileCategory::library:
            return {&record.globalLibraries, &record.designLibraries, &record.profileLibraries};
        case FileCategory::include:
            break;
    }
    return {&record.globalIncludes, &record.designIncludes, &record.profileIncludes};
}

CString loadText(UINT id) {
    CString text;
    AfxLoadString(id, text);
    return text;
}

std::string withBackslashes(CString text) {
    text.Replace('/', '\\');
    return static_cast<LPCSTR>(text);
}

}  // namespace

BEGIN_MESSAGE_MAP(CVariantsConfig, CSettingsPage)
ON_LBN_SELCHANGE(IDC_FILE_CATEGORIES, OnCategoryChange)
ON_NOTIFY(NM_CLICK, IDC_FILE_LIST, OnRowClick)
ON_BN_CLICKED(IDC_FILE_BROWSE, OnBrowse)
ON_BN_CLICKED(IDC_FILE_REMOVE, OnRemove)
ON_BN_CLICKED(IDC_FILE_UP, OnMoveUp)
ON_BN_CLICKED(IDC_FILE_DOWN, OnMoveDown)
ON_BN_CLICKED(IDC_ADD_GLOBAL, OnAddGlobal)
ON_BN_CLICKED(IDC_ADD_DESIGN, OnAddDesign)
ON_BN_CLICKED(IDC_ADD_PROFILE, OnAddProfile)
ON_BN_CLICKED(IDC_FILE_EDIT, OnEdit)
ON_BN_CLICKED(IDC_FILE_CHANGE, OnChange)
ON_BN_CLICKED(IDC_LIBRARY_BROWSE, OnBrowseLibraryFolder)
ON_EN_CHANGE(IDC_LIBRARY_PATH, OnLibraryPathChange)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CVariantsConfig::CVariantsConfig(SimProfile* profile)
    : CSettingsPage(IDD_FILES_PAGE, profile, true) {
    // The pictures are compiled into the library (and into every translation of its
    // resources), so a missing one is a broken build rather than something a user meets; the
    // framework here reports failures as results and nothing may throw across an export, so a
    // button without its picture stays an empty owner-drawn button.
    m_remove.LoadBitmaps(IDB_FILE_REMOVE_U, IDB_FILE_REMOVE_D, IDB_FILE_REMOVE_F,
                         IDB_FILE_REMOVE_X);
    m_up.LoadBitmaps(IDB_FILE_UP_U, IDB_FILE_UP_D, IDB_FILE_UP_F, IDB_FILE_UP_X);
    m_down.LoadBitmaps(IDB_FILE_DOWN_U, IDB_FILE_DOWN_D, IDB_FILE_DOWN_F, IDB_FILE_DOWN_X);
    if (profile != nullptr) {
        m_profileDir = profile->profileDir.c_str();
        if (profile->fileConfig != nullptr) {
            m_libraryPath = profile->fileConfig->libraryPath.c_str();
        }
    }
}

std::vector<std::string>& CVariantsConfig::PageList(FileScope scope, FileCategory category) {
    return m_lists[pageListIndex(scope, category)];
}

void CVariantsConfig::DoDataExchange(CDataExchange* pDX) {
    CSettingsPage::DoDataExchange(pDX);
    // The page's fields are not profile fields one to one (the check box is the inverse of
    // noIndexUpdate, the help text is the page's own), so they are exchanged here directly.
    DDX_Control(pDX, IDC_FILE_CATEGORIES, m_categoryList);
    DDX_Control(pDX, IDC_FILE_LIST, m_fileList);
    DDX_Text(pDX, IDC_FILE_NAME, m_fileName);
    DDX_Text(pDX, IDC_LIBRARY_PATH, m_libraryPath);
    DDX_Text(pDX, IDC_FILE_HELP_TEXT, m_helpText);
    DDX_Check(pDX, IDC_UPDATE_INDEX, m_updateIndex);
}

bool CVariantsConfig::profileScopeEnabled() {
    const auto* sheet = dynamic_cast<CSimPropertySheet*>(GetParent());
    return sheet != nullptr && sheet->profileScopeEnabled != 0;
}

bool CVariantsConfig::hasGeneral() const {
    return m_pProfile != nullptr && m_pProfile->general != nullptr;
}

PathBases CVariantsConfig::bases() {
    PathBases bases;
    bases.profile = static_cast<LPCSTR>(m_profileDir);
    bases.hasGeneral = hasGeneral();
    bases.profileScope = profileScopeEnabled();
    if (bases.hasGeneral) {
        const std::string& project = m_pProfile->general->projectName;
        bases.design = std::string(PathUtil::directory(project).in(project));
    }
    // Without a project folder, design files are measured from the profile folder, normalised.
    if (bases.design.empty()) {
        bases.design = bases.profile;
        PathUtil::normalize(bases.design, false);
    }
    return bases;
}

std::vector<FileRow> CVariantsConfig::rows() const {
    std::vector<FileRow> out;
    const int count = m_fileList.GetItemCount();
    for (int i = 0; i < count; ++i) {
        out.push_back({static_cast<LPCSTR>(m_fileList.GetItemText(i, 0)), rowScope(i)});
    }
    return out;
}

FileScope CVariantsConfig::rowScope(int row) const {
    return static_cast<FileScope>(m_fileList.GetItemData(row));
}

void CVariantsConfig::message(UINT textId, UINT style) {
    AfxMessageBox(loadText(textId), style);
}

void CVariantsConfig::MarkModified() {
    m_modified = 1;
    SetModified(TRUE);
}

BOOL CVariantsConfig::OnInitDialog() {
    if (m_pProfile != nullptr && m_pProfile->options != nullptr) {
        m_updateIndex = m_pProfile->options->noIndexUpdate == 0 ? 1 : 0;
    }
    CSettingsPage::OnInitDialog();
    m_counts = {};
    m_modified = 0;
    for (auto& list : m_lists) {
        list.clear();
    }
    const bool profileScope = profileScopeEnabled();
    if (CWnd* addProfile = GetDlgItem(IDC_ADD_PROFILE)) {
        addProfile->EnableWindow(profileScope ? TRUE : FALSE);
    }
    m_remove.SubclassDlgItem(IDC_FILE_REMOVE, this);
    m_remove.SizeToContent();
    m_up.SubclassDlgItem(IDC_FILE_UP, this);
    m_up.SizeToContent();
    m_down.SubclassDlgItem(IDC_FILE_DOWN, this);
    m_down.SizeToContent();
    m_fileList.DeleteAllItems();

    if (m_pProfile != nullptr && m_pProfile->fileConfig != nullptr) {
        FileConfigSettings& record = *m_pProfile->fileConfig;
        for (int c = 0; c < kFileCategoryCount; ++c) {
            const auto cat = static_cast<FileCategory>(c);
            const RecordLists stored = recordLists(record, cat);
            for (const vnt_string& entry : *stored.global) {
                PageList(FileScope::global, cat).push_back(ShownGlobal(entry));
            }
            for (const vnt_string& entry : *stored.design) {
                PageList(FileScope::design, cat).push_back(entry);
            }
            if (profileScope) {
                for (const vnt_string& entry : *stored.profile) {
                    PageList(FileScope::profile, cat).push_back(entry);
                }
            }
        }
    }
    if (m_images.GetSafeHandle() == nullptr) {
        m_images.Create(IDB_FILE_SCOPES, 16, 0, RGB(255, 255, 255));
    }
    m_fileList.SetImageList(&m_images, LVSIL_SMALL);
    m_categoryList.ResetContent();
    for (const CategoryTraits& traits : kCategories) {
        m_categoryList.AddString(loadText(traits.name));
    }
    m_categoryList.SetCurSel(m_category);
    LoadCategoryRows();
    m_selectedRow = -1;
    UpdateMoveButtons(-1);
    // A sheet shown again keeps the category it showed; its "Update Inde&x" follows it (on a
    // first showing, Stimulus, it is hidden).
    ShowCategoryExtras();
    m_fileList.InsertColumn(0, loadText(IDS_VARIANTS_COLUMN), LVCFMT_LEFT, 1024);
    UpdateData(FALSE);
    return TRUE;
}

void CVariantsConfig::ShowCategoryExtras() {
    ShowControls(*this, {IDC_UPDATE_INDEX}, category() == FileCategory::library);
    m_helpText = category() == FileCategory::include ? loadText(IDS_INCLUDE_HELP) : CString();
    SetDlgItemText(IDC_FILE_HELP_TEXT, m_helpText);
}

void CVariantsConfig::InsertRow(int index, const std::string& text, FileScope scope) {
    const int image = static_cast<int>(scope);
    m_fileList.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, index, text.c_str(), 0, 0, image,
                          static_cast<LPARAM>(image));
}

void CVariantsConfig::LoadCategoryRows() {
    const FileCategory cat = category();
    GroupCounts& counts = m_counts[static_cast<std::size_t>(cat)];
    const std::vector<FileRow> shown =
        CategoryRows(PageList(FileScope::global, cat), PageList(FileScope::design, cat),
                     PageList(FileScope::profile, cat), bases(), counts);
    m_rowCount = 0;
    for (const FileRow& row : shown) {
        InsertRow(m_rowCount, row.text, row.scope);
        ++m_rowCount;
    }
    ShowControls(*this, {IDC_LIBRARY_PATH_LABEL, IDC_LIBRARY_PATH, IDC_LIBRARY_BROWSE},
                 cat == FileCategory::library);
}

void CVariantsConfig::StoreCategoryRows() {
    const FileCategory cat = category();
    for (const FileScope scope : {FileScope::global, FileScope::design, FileScope::profile}) {
        PageList(scope, cat).clear();
    }
    for (const FileRow& row : rows()) {
        PageList(row.scope, cat).push_back(row.text);
    }
}

void CVariantsConfig::UpdateMoveButtons(int row) {
    if (row < 0) {
        m_nextSame = -1;
        m_previousSame = -1;
        EnableControls(*this, {IDC_FILE_UP, IDC_FILE_DOWN, IDC_FILE_REMOVE}, false);
        return;
    }
    std::vector<FileScope> scopes;
    for (const FileRow& shown : rows()) {
        scopes.push_back(shown.scope);
    }
    m_nextSame = NextSameScope(scopes, row);
    m_previousSame = PreviousSameScope(scopes, row);
    EnableControls(*this, {IDC_FILE_UP}, m_previousSame >= 0);
    EnableControls(*this, {IDC_FILE_DOWN}, m_nextSame >= 0);
    EnableControls(*this, {IDC_FILE_REMOVE}, true);
}

Presence CVariantsConfig::IsAlreadyPresent(std::string& path, bool report) {
    const PresenceAnswer answer = FindPresence(rows(), path, bases(), report);
    switch (answer.presence) {
        case Presence::missing:
            // The window's own box: no icon, the application's name as caption.
            MessageBox(loadText(IDS_FILE_DOES_NOT_EXIST));
            break;
        case Presence::present:
            if (report) {
                message(IDS_FILE_ALREADY_CONFIGURED, MB_OK | MB_ICONERROR);
            }
            break;
        case Presence::absent:
            path = answer.candidate;
            break;
    }
    return answer.presence;
}

std::optional<std::string> CVariantsConfig::ProfileCopy(const std::string& fileName, bool change) {
    const std::string profileDir = static_cast<LPCSTR>(m_profileDir);
    const std::string src = ResolveDotPath(fileName, profileDir, hasGeneral());
    // A change always copies; an add copies unless the configuration file says LOCALIZE=0.
    if (!change && ReadLocalizeFlag() != 1) {
        return HasSeparator(fileName) && hasGeneral() ? MakeRelativePath(src, profileDir) : src;
    }
    std::string normalisedSrc = src;
    PathUtil::normalize(normalisedSrc, false);
    std::string dest =
        profileDir + "\\" + std::string(PathUtil::fileName(normalisedSrc).in(normalisedSrc));
    std::string probe = dest;
    if (IsAlreadyPresent(probe, false) != Presence::absent) {
        message(IDS_FILE_ALREADY_CONFIGURED, MB_OK | MB_ICONERROR);
        return std::nullopt;
    }
    const bool relative = hasGeneral() && (change || HasSeparator(dest));
    std::string text = relative ? MakeRelativePath(dest, profileDir) : dest;
    if (!SameTextIgnoringCase(src, dest) && !::CopyFileA(src.c_str(), dest.c_str(), FALSE)) {
        message(IDS_FILE_COPY_FAILED, MB_OK | MB_ICONERROR);
        return std::nullopt;
    }
    if (category() == FileCategory::library) {
        // A library's ".prp" companion travels with it; a failure to copy it is not reported.
        std::string sidecar = normalisedSrc;
        PathUtil::setExtension(sidecar, ".prp");
        if (PathUtil::exists(sidecar)) {
            std::string target = dest;
            PathUtil::normalize(target, false);
            PathUtil::setExtension(target, ".prp");
            ::CopyFileA(sidecar.c_str(), target.c_str(), FALSE);
        }
    }
    return text;
}

void CVariantsConfig::AddFile(FileScope scope) {
    UpdateData(TRUE);
    if (m_fileName.IsEmpty()) {
        return;
    }
    std::string name = withBackslashes(m_fileName);
    if (IsAlreadyPresent(name, true) != Presence::absent) {
        return;
    }
    std::string text = name;
    if (scope == FileScope::design) {
        text = DesignRowText(name, bases());
    } else if (scope == FileScope::profile) {
        const std::optional<std::string> copied = ProfileCopy(name, false);
        if (!copied) {
            return;
        }
        text = *copied;
    }
    GroupCounts& counts = m_counts[static_cast<std::size_t>(category())];
    InsertRow(InsertIndex(scope, counts), text, scope);
    if (scope == FileScope::design) {
        ++counts.design;
    } else if (scope == FileScope::profile) {
        ++counts.profile;
    }
    ++m_rowCount;
    MarkModified();
    ShowCategoryExtras();
}

void CVariantsConfig::OnAddGlobal() {
    AddFile(FileScope::global);
}

void CVariantsConfig::OnAddDesign() {
    AddFile(FileScope::design);
}

void CVariantsConfig::OnAddProfile() {
    AddFile(FileScope::profile);
}

void CVariantsConfig::OnChange() {
    UpdateData(TRUE);
    if (m_fileName.IsEmpty() || m_selectedRow < 0 || m_selectedRow >= m_fileList.GetItemCount()) {
        return;
    }
    std::string name = withBackslashes(m_fileName);
    if (IsAlreadyPresent(name, true) != Presence::absent) {
        return;
    }
    std::string text = name;
    const FileScope scope = rowScope(m_selectedRow);
    if (scope == FileScope::design) {
        text = DesignRowText(name, bases());
    } else if (scope == FileScope::profile) {
        const std::optional<std::string> copied = ProfileCopy(name, true);
        if (!copied) {
            return;
        }
        text = *copied;
    }
    m_fileList.SetItemText(m_selectedRow, 0, text.c_str());
    MarkModified();
}

void CVariantsConfig::OnRemove() {
    const int row = m_selectedRow;
    if (row < 0 || row >= m_fileList.GetItemCount()) {
        return;
    }
    GroupCounts& counts = m_counts[static_cast<std::size_t>(category())];
    const FileScope scope = rowScope(row);
    if (scope == FileScope::profile) {
        --counts.profile;
    } else if (scope == FileScope::design) {
        --counts.design;
    }
    m_fileList.DeleteItem(row);
    EnableControls(*this, {IDC_FILE_UP, IDC_FILE_DOWN, IDC_FILE_REMOVE}, false);
    m_rowCount = m_fileList.GetItemCount();
    UpdateData(TRUE);
    m_fileName.Empty();
    UpdateData(FALSE);
    m_selectedRow = -1;
    MarkModified();
}

void CVariantsConfig::SelectRow(int row) {
    m_fileList.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_fileList.SetFocus();
    m_selectedRow = row;
    UpdateMoveButtons(row);
}

void CVariantsConfig::OnMoveUp() {
    const int row = m_selectedRow;
    if (row < 0 || m_previousSame < 0) {
        return;
    }
    const std::string text = static_cast<LPCSTR>(m_fileList.GetItemText(row, 0));
    const FileScope scope = rowScope(row);
    const int target = m_previousSame;
    InsertRow(target, text, scope);
    m_fileList.DeleteItem(row + 1);
    SelectRow(target);
    m_rowCount = m_fileList.GetItemCount();
    MarkModified();
}

void CVariantsConfig::OnMoveDown() {
    const int row = m_selectedRow;
    if (row < 0 || m_nextSame < 0) {
        return;
    }
    const std::string text = static_cast<LPCSTR>(m_fileList.GetItemText(row, 0));
    const FileScope scope = rowScope(row);
    const int target = m_nextSame;
    InsertRow(target + 1, text, scope);
    m_fileList.DeleteItem(row);
    SelectRow(target);
    m_rowCount = m_fileList.GetItemCount();
    MarkModified();
}

std::string CVariantsConfig::AbsoluteRowPath(std::string text, FileScope scope) {
    if (text.empty() || m_pProfile == nullptr || scope == FileScope::global) {
        return text;
    }
    const PathBases paths = bases();
    const std::string& base = scope == FileScope::profile ? paths.profile : paths.design;
    if (!HasSeparator(text)) {
        text = ".\\" + text;
    }
    return ResolveDotPath(text, base, paths.hasGeneral);
}

void CVariantsConfig::OnRowClick(NMHDR*, LRESULT* result) {
    POSITION position = m_fileList.GetFirstSelectedItemPosition();
    m_selectedRow = position != nullptr ? m_fileList.GetNextSelectedItem(position) : -1;
    UpdateMoveButtons(m_selectedRow);
    UpdateData(TRUE);
    std::string text =
        m_selectedRow >= 0 ? static_cast<LPCSTR>(m_fileList.GetItemText(m_selectedRow, 0)) : "";
    if (!text.empty()) {
        text = AbsoluteRowPath(withBackslashes(text.c_str()), rowScope(m_selectedRow));
    }
    m_fileName = text.c_str();
    m_helpText = category() == FileCategory::include ? loadText(IDS_INCLUDE_HELP) : CString();
    UpdateData(FALSE);
    if (result != nullptr) {
        *result = 0;
    }
}

void CVariantsConfig::OnCategoryChange() {
    UpdateData(TRUE);
    m_fileName.Empty();
    UpdateData(FALSE);
    StoreCategoryRows();
    const int chosen = m_categoryList.GetCurSel();
    if (chosen >= 0 && chosen < kFileCategoryCount) {
        m_category = chosen;
    }
    m_fileList.DeleteAllItems();
    LoadCategoryRows();
    ShowCategoryExtras();
    m_selectedRow = -1;
    UpdateMoveButtons(-1);
}

void CVariantsConfig::OnBrowse() {
    UpdateData(TRUE);
    if (m_categoryList.GetCurSel() < 0) {
        return;
    }
    const CategoryTraits& traits = traitsOf(category());
    const CString filter = loadText(traits.filter);
    CFileDialog dialog(
        TRUE, traits.extension, nullptr,
        OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST, filter,
        this);
    dialog.m_ofn.lpstrInitialDir = m_profileDir;
    if (dialog.DoModal() == IDOK) {
        m_fileName = dialog.GetPathName();
        UpdateData(FALSE);
    }
    ShowCategoryExtras();
}

void CVariantsConfig::OnBrowseLibraryFolder() {
    LPMALLOC allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || allocator == nullptr) {
        return;
    }
    auto* name = static_cast<char*>(allocator->Alloc(MAX_PATH));
    if (name == nullptr) {
        allocator->Release();
        return;
    }
    name[0] = '\0';
    const CString title = loadText(IDS_LIBRARY_PATH_TITLE);
    BROWSEINFOA info{};
    info.hwndOwner = GetSafeHwnd();
    info.pszDisplayName = name;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
    if (chosen != nullptr && SHGetPathFromIDListA(chosen, name)) {
        UpdateData(TRUE);
        CString folder(name);
        folder.Trim(" ");
        if (!folder.IsEmpty()) {
            const CString quoted = "\"" + folder + "\"";
            CString path = m_libraryPath;
            CString lowered = quoted;
            path.MakeLower();
            lowered.MakeLower();
            if (path.Find(lowered) < 0) {
                if (!m_libraryPath.IsEmpty()) {
                    m_libraryPath += ";";
                }
                m_libraryPath += quoted;
                UpdateData(FALSE);
                MarkModified();
            } else {
                std::string text;
                GetMessageText(text, msg::libraryFolderInPath.module,
                               msg::libraryFolderInPath.number);
                text += "\n";
                text += static_cast<LPCSTR>(quoted);
                AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
            }
        }
    }
    if (chosen != nullptr) {
        allocator->Free(chosen);
    }
    allocator->Free(name);
    allocator->Release();
}

void CVariantsConfig::OnLibraryPathChange() {
    MarkModified();
}

void CVariantsConfig::OnEdit() {
    const int row = m_selectedRow;
    if (m_categoryList.GetCurSel() < 0) {
        return;
    }
    std::string path;
    if (row >= 0 && row < m_fileList.GetItemCount()) {
        path = AbsoluteRowPath(withBackslashes(m_fileList.GetItemText(row, 0)), rowScope(row));
    }
    if (m_pProfile == nullptr || m_pProfile->fileConfig == nullptr) {
        return;
    }
    const int source = m_pProfile->designSource;
    const std::string ini = GetIniFilePath();
    if ((source == 0 || source == 1) && !ini.empty() && _access(ini.c_str(), 2) == 0) {
        WriteIniList("MODEL EDITOR", source == 0 ? "FROM_DRAFTER" : "FROM_DIAGRAM", "ON",
                     ini.c_str(), false);
    }
    m_pProfile->fileConfig->EditFile(traitsOf(category()).editKind, path.c_str());
}

void CVariantsConfig::OnHelp() {
    // The exports point the application's help file at ventra.chm whenever a sheet is shown,
    // so the help file is already the right one here.
    UpdateData(TRUE);
    if (m_categoryList.GetCurSel() < 0) {
        return;
    }
    static bool helpReady = false;  // one flag for the page class, for the process
    ShowHelpTopic(traitsOf(category()).helpTopic, helpReady, HelpInitReport::docvaultText);
}

void CVariantsConfig::WriteFileConfig() {
    if (m_pProfile == nullptr) {
        return;
    }
    if (m_pProfile->options != nullptr) {
        m_pProfile->options->noIndexUpdate = m_updateIndex == 0 ? 1 : 0;
    }
    if (m_modified == 0 || m_pProfile->fileConfig == nullptr) {
        return;
    }
    FileConfigSettings& record = *m_pProfile->fileConfig;
    record.changed = 1;
    record.libraryPath = static_cast<LPCSTR>(m_libraryPath);
    // Without the profile scope the page never loaded the record's profile lists; they are
    // left exactly as they are rather than emptied.
    const bool profileScope = profileScopeEnabled();
    for (int c = 0; c < kFileCategoryCount; ++c) {
        const auto cat = static_cast<FileCategory>(c);
        const RecordLists stored = recordLists(record, cat);
        auto refill = [](std::vector<vnt_string>& target, const std::vector<std::string>& from,
                         bool global) {
            target.clear();
            for (const std::string& entry : from) {
                if (!entry.empty()) {
                    target.emplace_back(global ? StoredGlobal(entry) : entry);
                }
            }
        };
        refill(*stored.global, PageList(FileScope::global, cat), true);
        refill(*stored.design, PageList(FileScope::design, cat), false);
        if (profileScope) {
            refill(*stored.profile, PageList(FileScope::profile, cat), false);
        }
    }
}

BOOL CVariantsConfig::OnApply() {
    UpdateData(TRUE);
    const int chosen = m_categoryList.GetCurSel();
    if (chosen >= 0 && chosen < kFileCategoryCount) {
        m_category = chosen;
    }
    StoreCategoryRows();
    WriteFileConfig();
    m_modified = 0;
    return CSettingsPage::OnApply();
}
