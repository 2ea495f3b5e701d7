// Command targets: the root message map and the routing of commands and notifications
// through a class's message map chain.
#include "afxwin.h"

namespace {

const AFX_MSGMAP_ENTRY kNoEntries[] = {{0, 0, 0, 0, AfxSig::end, nullptr, nullptr}};
const AFX_MSGMAP kRootMap = {nullptr, &kNoEntries[0]};

// Whether an entry takes a message: the message itself, or a registered message whose id the
// entry's variable holds; for WM_COMMAND and WM_NOTIFY also the code (compared as the 16 bits
// that Windows gives a notification code in WM_COMMAND) and the id range.
bool entryMatches(const AFX_MSGMAP_ENTRY& entry, UINT message, UINT code, UINT id) {
    if (entry.pRegisteredMessage) {
        return *entry.pRegisteredMessage == message;
    }
    if (entry.nMessage != message) {
        return false;
    }
    if (message != WM_COMMAND && message != WM_NOTIFY) {
        return true;
    }
    return LOWORD(entry.nCode) == LOWORD(code) && entry.nID <= id && id <= entry.nLastID;
}

}  // namespace

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    return &kRootMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code,
                                            UINT id) {
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nSig != AfxSig::end; ++entry) {
            if (entryMatches(*entry, message, code, id)) {
                return entry;
            }
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    const bool notify = HIWORD(static_cast<UINT>(nCode)) == WM_NOTIFY;
    const UINT message = notify ? WM_NOTIFY : WM_COMMAND;
    const UINT code = LOWORD(static_cast<UINT>(nCode));
    auto* note = static_cast<AFX_NOTIFY*>(pExtra);
    if (notify && (!note || !note->pNMHDR || !note->pResult)) {
        return FALSE;
    }
    // Every matching entry from the most derived map down; ON_NOTIFY_EX and ON_COMMAND_EX
    // handlers that answer FALSE let the search go on, as in the framework.
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nSig != AfxSig::end; ++entry) {
            if (!entryMatches(*entry, message, code, nID)) {
                continue;
            }
            if (pHandlerInfo) {
                pHandlerInfo->pTarget = this;
                pHandlerInfo->pmf = entry->pfn;
                return TRUE;
            }
            switch (entry->nSig) {
                case AfxSig::vv:
                    (this->*std::bit_cast<void (CCmdTarget::*)()>(entry->pfn))();
                    return TRUE;
                case AfxSig::vw:
                    (this->*std::bit_cast<void (CCmdTarget::*)(UINT)>(entry->pfn))(nID);
                    return TRUE;
                case AfxSig::bw:
                    if ((this->*std::bit_cast<BOOL (CCmdTarget::*)(UINT)>(entry->pfn))(nID)) {
                        return TRUE;
                    }
                    break;
                case AfxSig::notify:
                    (this->*std::bit_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(entry->pfn))(
                        note->pNMHDR, note->pResult);
                    return TRUE;
                case AfxSig::notifyRange:
                    (this->*std::bit_cast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(
                                entry->pfn))(nID, note->pNMHDR, note->pResult);
                    return TRUE;
                case AfxSig::notifyEx:
                    if ((this->*std::bit_cast<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(
                                    entry->pfn))(nID, note->pNMHDR, note->pResult)) {
                        return TRUE;
                    }
                    break;
                default:
                    return FALSE;  // a window-message signature in a command entry: ignored
            }
        }
    }
    return FALSE;
}

void CCmdTarget::BeginWaitCursor() {
    if (CWinApp* app = AfxGetApp()) {
        app->DoWaitCursor(1);
    }
}

void CCmdTarget::EndWaitCursor() {
    if (CWinApp* app = AfxGetApp()) {
        app->DoWaitCursor(-1);
    }
}

void CCmdTarget::RestoreWaitCursor() {
    if (CWinApp* app = AfxGetApp()) {
        app->DoWaitCursor(0);
    }
}
