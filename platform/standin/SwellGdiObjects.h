// Stands in for the Windows GDI objects, their selection and colours on Linux.
#pragma once

#include "platform/standin/SwellGdi.h"

struct SWELL_FontAttributes;
struct SWELL_Image;

enum {
  kSwellObjectPen = 1,
  kSwellObjectBrush = 2,
  kSwellObjectFont = 3,
  kSwellObjectBitmap = 4,
};

// Object record. A record taken from the pool, or newly made, has every field zero.
struct HGDIOBJ__ {
  int type;
  // References taken by SWELL_CloneGDIObject beyond the first owner.
  int extraRefs;
  // Pen or brush colour, red, green, blue, alpha 0..1.
  bool hasColor;
  float color[4];
  // Pen: line width (0 or more); brush: 0; negative for the null pen and
  // brush, which draw nothing. Bitmap: 1 when the object owns its image.
  int width;
  SWELL_Image* image;
  SWELL_FontAttributes* fontAttributes;  // owned
  signed char quality;                  // fonts: 0, 3 or 4
  // Context slots holding the object. A deleted object stays out of the
  // pool until the last of them lets go, so that a slot never comes to hold
  // the next object made.
  int selections;
  // Set from deletion on: records are never freed, so that a stale handle
  // stays safe to check.
  bool inFreeList;
  HGDIOBJ__* nextFree;
};

// Handles below this are no objects; 1, 2 and 3 ask SelectObject to clear
// the pen, brush or font slot.
constexpr unsigned long kSwellFirstObjectHandle = 5;

// A zeroed record from the process-wide pool, or a new one.
HGDIOBJ GDP_OBJECT_NEW();
// True for a handle of 5 or more that is not deleted.
bool SWELL_IsLiveObject(HGDIOBJ obj);

// Every pen is solid; the style is ignored and a negative width becomes 0.
HPEN CreatePen(int style, int width, int color);
HPEN CreatePenAlpha(int style, int width, int color, float alpha);
HBRUSH CreateSolidBrush(int color);
HBRUSH CreateSolidBrushAlpha(int color, float alpha);
enum { NULL_PEN = 1, NULL_BRUSH = 2 };
// The process's null pen (1) or null brush (2); null for any other id.
HGDIOBJ GetStockObject(int id);
// One more owner of a live object: the same handle, or null.
HGDIOBJ SWELL_CloneGDIObject(HGDIOBJ obj);
// Drops one owner; the last one releases the object (stock objects live on).
void DeleteObject(HGDIOBJ obj);
// Puts the object in the slot of its type and returns what was there, or
// that type's code 1, 2 or 3 when the slot held no live object of the type;
// handing the result back restores the slot. The codes themselves clear a slot.
HGDIOBJ SelectObject(HDC ctx, HGDIOBJ obj);
// Empties a context's slots, as the context is deleted.
void SWELL_DeselectAll(HDC ctx);

// Colours are ints 0x00RRGGBB.
// The colour as red, green, blue and alpha from 0 to 1.
void SWELL_ColorComponents(int color, float alpha, float rgba[4]);
void SetTextColor(HDC ctx, int color);
// -1 for a null or pooled context.
int GetTextColor(HDC ctx);
void SetBkColor(HDC ctx, int color);
enum { TRANSPARENT = 0, OPAQUE = 1 };
void SetBkMode(HDC ctx, int mode);
// The fixed table of indices 0 to 9; 0 for any other.
int GetSysColor(int index);
