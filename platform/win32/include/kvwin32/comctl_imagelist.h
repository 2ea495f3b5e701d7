// Image lists: a row of same-sized images, each with an optional mask, addressed by index.
// List views, tab controls and button bars draw their small pictures from them. Built from
// bitmap strips (one image every cx pixels) with or without a mask; drawn into any DC with the
// mask making the background show through. Values are those of Windows' common controls.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/windef.h"
#include "kvwin32/wingdi.h"
#include "kvwin32/winuser.h"

// An image list; ImageList_Destroy frees it. A destroyed or unknown handle makes every call fail.
KV_DECLARE_HANDLE(HIMAGELIST);

// ---- ImageList_Create flags ---------------------------------------------------------------
#define ILC_MASK 0x00000001      // keep a mask beside every image
#define ILC_COLOR 0x00000000     // default colour depth
#define ILC_COLORDDB 0x000000FE  // depth of the display
#define ILC_COLOR4 0x00000004
#define ILC_COLOR8 0x00000008
#define ILC_COLOR16 0x00000010
#define ILC_COLOR24 0x00000018
#define ILC_COLOR32 0x00000020
#define ILC_PALETTE 0x00000800

// ---- ImageList_Draw styles ----------------------------------------------------------------
#define ILD_NORMAL 0x00000000       // image over the list's background colour (none: masked)
#define ILD_TRANSPARENT 0x00000001  // masked, whatever the background colour
#define ILD_BLEND25 0x00000002      // blended 25% with the highlight colour
#define ILD_FOCUS ILD_BLEND25
#define ILD_BLEND50 0x00000004  // blended 50% with the highlight colour
#define ILD_SELECTED ILD_BLEND50
#define ILD_BLEND ILD_BLEND50
#define ILD_MASK 0x00000010   // draws the mask only
#define ILD_IMAGE 0x00000020  // draws the image without its mask
#define ILD_ROP 0x00000040
#define ILD_OVERLAYMASK 0x00000F00
#define INDEXTOOVERLAYMASK(i) (static_cast<UINT>(i) << 8)

// Colours with a meaning of their own for image lists.
#define CLR_NONE 0xFFFFFFFFU     // no background colour: draw through the mask
#define CLR_DEFAULT 0xFF000000U  // the list's background colour (Draw) or the highlight (blend)
#define CLR_HILIGHT CLR_DEFAULT

// The bitmaps that hold an image and where in them it lies.
struct IMAGEINFO {
    HBITMAP hbmImage;  // the list's image bitmap (owned by the list: do not delete)
    HBITMAP hbmMask;   // the list's mask bitmap, null without ILC_MASK
    int Unused1;
    int Unused2;
    RECT rcImage;  // the image's rectangle in both bitmaps
};
using LPIMAGEINFO = IMAGEINFO*;

extern "C" {

// A new empty list of images cx by cy pixels (flags ILC_*), room for `initial` images, growing
// by `grow`; null for a size of 0 or less.
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
// Frees a list and its bitmaps; FALSE for a null or unknown handle.
BOOL ImageList_Destroy(HIMAGELIST list);
// The number of images; 0 for a bad handle.
int ImageList_GetImageCount(HIMAGELIST list);
// Grows (with blank images) or shrinks the list to `count` images.
BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count);
// Appends the images of a bitmap strip (width / cx of them, the rest ignored) and of its mask
// (null: all opaque); the index of the first new image, -1 on failure. The bitmaps stay the
// caller's.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// As ImageList_Add with a mask made from the pixels of one colour, which become transparent
// (black in the stored image, as Windows does).
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColour);
// Replaces image `index` with the first image of a bitmap and mask.
BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask);
// Removes image `index` (the later ones move up), or all with -1.
BOOL ImageList_Remove(HIMAGELIST list, int index);
#define ImageList_RemoveAll(list) ImageList_Remove(list, -1)
// Sets the background colour (CLR_NONE: transparent); the previous one, CLR_NONE on failure.
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF colour);
// The background colour; CLR_NONE for a bad handle.
COLORREF ImageList_GetBkColor(HIMAGELIST list);
// Draws image `index` at (x, y) of a DC with ILD_* style.
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
// As ImageList_Draw, clipped to dx by dy (0: the whole image), with its own background
// (CLR_NONE, CLR_DEFAULT or a colour) and blend colour (CLR_DEFAULT: the highlight colour).
BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy,
                      COLORREF background, COLORREF foreground, UINT style);
// The size of the images.
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Changes the size of the images and removes them all.
BOOL ImageList_SetIconSize(HIMAGELIST list, int cx, int cy);
// Where image `index` lies in the list's own bitmaps.
BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info);
// A new list with the same images, mask and background colour; null for a bad handle.
HIMAGELIST ImageList_Duplicate(HIMAGELIST list);
// A list made of a bitmap resource (or a ".bmp" file with LR_LOADFROMFILE) cut every cx
// pixels; crMask other than CLR_NONE makes a mask from that colour. Only IMAGE_BITMAP.
HIMAGELIST ImageList_LoadImageA(HINSTANCE instance, LPCSTR name, int cx, int grow, COLORREF crMask,
                                UINT type, UINT flags);
#define ImageList_LoadBitmap(instance, name, cx, grow, crMask) \
    ImageList_LoadImageA(instance, name, cx, grow, crMask, IMAGE_BITMAP, 0)

}  // extern "C"

#pragma GCC visibility pop
