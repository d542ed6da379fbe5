// Stands in for the Windows GDI images, blits, clip regions, window contexts and image lists on Linux.
#pragma once

#include "framework/WDL_PtrList.h"
#include "platform/standin/SwellGdiObjects.h"
#include "platform/standin/SwellWindow.h"

// A name with a slash is a file; any other name, or a file that does not
// load, is looked up among the resources by its base name. With keyMagenta,
// opaque pure magenta becomes transparent. Null when nothing loads.
HGDIOBJ LoadNamedImage(const char* name, bool keyMagenta);
// 32-bit pixels only: null unless bitsPerPixel is 32, bits is given and both
// sizes are positive. Rows of width * 4 bytes, (alpha), red, green, blue.
HGDIOBJ CreateBitmap(int width, int height, int planes, int bitsPerPixel, const unsigned char* bits);

struct _ICONINFO {
  bool fIcon;
  int xHotspot;
  int yHotspot;
  HGDIOBJ hbmMask;
  HGDIOBJ hbmColor;
};
typedef _ICONINFO ICONINFO;
// A new object on the colour bitmap's image; null unless it is an icon with one.
HGDIOBJ CreateIconIndirect(const ICONINFO* info);
// With size 8 and a bitmap object, writes its width and height and returns
// 1; otherwise zero-fills size bytes and returns 0. A null output or a
// negative size writes nothing.
int GetObject(HGDIOBJ obj, int size, void* out);
SWELL_Image* GetNSImageFromHICON(HGDIOBJ obj);
// Draws the whole image over the rectangle, scaled, blended by its alpha.
void DrawImageInRect(HDC ctx, HGDIOBJ image, const RECT* r);

// Copies from a memory context. With this mode the source's alpha blends;
// with any other the copy is opaque.
constexpr int BLIT_USE_SOURCE_ALPHA = static_cast<int>(0xDEADBEEF);
void BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int xs, int ys, int mode);
void StretchBlt(HDC dest, int x, int y, int dw, int dh, HDC src, int xs, int ys, int sw, int sh, int mode);

void SWELL_PushClipRegion(HDC ctx);
void SWELL_SetClipRegion(HDC ctx, const RECT* r);
void SWELL_PopClipRegion(HDC ctx);

HDC GetDC(HWND h);
HDC GetWindowDC(HWND h);
void ReleaseDC(HWND h, HDC ctx);

void SWELL_FillDialogBackground(HDC ctx, const RECT* r, int level);

// A list that owns the bitmap objects it holds; slots may be null.
typedef WDL_PtrList<HGDIOBJ__>* HIMAGELIST;
HIMAGELIST ImageList_CreateEx();
// Stores a new object on the icon's image at index, or appends it; its
// index, or -1 without a list or a live bitmap.
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HGDIOBJ icon);
// index < 0 deletes every object and empties the list; otherwise empties one slot.
bool ImageList_Remove(HIMAGELIST list, int index);
void ImageList_Destroy(HIMAGELIST list);
