// CImageList: the framework's holder of an image list handle. Every operation is the system
// call of the same meaning on the held handle; a list the object holds is destroyed with it.
#include "afxcmn.h"

CImageList::~CImageList() {
    DeleteImageList();
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    if (m_hImageList != nullptr) {
        return FALSE;
    }
    return Attach(ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF maskColour) {
    if (m_hImageList != nullptr) {
        return FALSE;
    }
    return Attach(ImageList_LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCEA(bitmapId), cx, grow,
                                       maskColour));
}

BOOL CImageList::Attach(HIMAGELIST list) {
    if (m_hImageList != nullptr || list == nullptr) {
        return FALSE;
    }
    m_hImageList = list;
    return TRUE;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST list = m_hImageList;
    m_hImageList = nullptr;
    return list;
}

BOOL CImageList::DeleteImageList() {
    if (m_hImageList == nullptr) {
        return FALSE;
    }
    return ImageList_Destroy(Detach());
}

int CImageList::GetImageCount() const {
    return m_hImageList != nullptr ? ImageList_GetImageCount(m_hImageList) : 0;
}

int CImageList::Add(CBitmap* image, CBitmap* mask) {
    if (m_hImageList == nullptr || image == nullptr) {
        return -1;
    }
    return ImageList_Add(m_hImageList, static_cast<HBITMAP>(image->GetSafeHandle()),
                         mask != nullptr ? static_cast<HBITMAP>(mask->GetSafeHandle()) : nullptr);
}

int CImageList::Add(CBitmap* image, COLORREF maskColour) {
    if (m_hImageList == nullptr || image == nullptr) {
        return -1;
    }
    return ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(image->GetSafeHandle()),
                               maskColour);
}

BOOL CImageList::Remove(int index) {
    return m_hImageList != nullptr && ImageList_Remove(m_hImageList, index);
}

BOOL CImageList::Draw(CDC* dc, int index, POINT point, UINT style) {
    if (m_hImageList == nullptr || dc == nullptr) {
        return FALSE;
    }
    return ImageList_Draw(m_hImageList, index, dc->GetSafeHdc(), point.x, point.y, style);
}

COLORREF CImageList::SetBkColor(COLORREF colour) {
    return m_hImageList != nullptr ? ImageList_SetBkColor(m_hImageList, colour) : CLR_NONE;
}

COLORREF CImageList::GetBkColor() const {
    return m_hImageList != nullptr ? ImageList_GetBkColor(m_hImageList) : CLR_NONE;
}

BOOL CImageList::GetImageInfo(int index, IMAGEINFO* info) const {
    return m_hImageList != nullptr && info != nullptr &&
           ImageList_GetImageInfo(m_hImageList, index, info);
}
