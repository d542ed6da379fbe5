#pragma once

#include "framework/IPlugGUI.h"
#include "framework/WDL_String.h"
#include "graphics/HandOver.h"
#include "graphics/IControl.h"

// A string drawn in a text style, bound to no parameter.
class ITextControl : public IControl {
 public:
  // Texts handed over from other threads keep at most this many characters.
  static constexpr int kMaxHandOverText = 255;

  ITextControl(IPlugBase* plug, IRECT rect, IText* text, const char* str = "");

  bool Draw(IGraphics* g) override;
  // Replaces the text and redraws only when it changed; never pushes to the
  // plug-in. From another thread the text is handed over and shown from the
  // editor's next tick.
  void SetTextFromPlug(const char* str);
  const char* GetTextString() const { return mStr.Get(); }

 protected:
  void ApplyHandOver() override;

  WDL_String mStr;

 private:
  struct TextSlot {
    char text[kMaxHandOverText + 1];
  };
  void ReplaceText(const char* str);

  HandOver<TextSlot> mHandOver{TextSlot{}};
};

// The display text of the bound parameter, optionally followed by a blank
// and its unit label. It shows the value the editor handed it, never reads
// the parameter that a host may be changing meanwhile. A click (left, or the
// R modifier) or a double click opens the parameter's prompt where prompting
// is enabled.
class ICaptionControl : public ITextControl {
 public:
  ICaptionControl(IPlugBase* plug, IRECT rect, int paramIdx, IText* text, bool showParamLabel = false)
      : ITextControl(plug, rect, text), mShowParamLabel(showParamLabel) {
    mParamIdx = paramIdx;
  }
  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  void OnMouseDblClick(int x, int y, IMouseMod* mod) override;
  bool Draw(IGraphics* g) override;

 protected:
  // The bound parameter, or null.
  IParam* GetParam();
  // The caption's text for the current value.
  void SetTextFromParam(IParam* param);

  bool mShowParamLabel;
};

// A text drawn from a strip of monospaced glyph pictures, one frame per
// character from the blank on (see DrawBitmapedText), vertically centred.
class IBitmapTextControl : public ITextControl {
 public:
  IBitmapTextControl(IPlugBase* plug, IRECT rect, IBitmap* glyphs, int charWidth, int charHeight,
                     const char* str = "", IText* text = nullptr)
      : ITextControl(plug, rect, text, str), mCharWidth(charWidth), mCharHeight(charHeight), mTextBitmap(*glyphs) {}
  bool Draw(IGraphics* g) override;

 protected:
  int mCharWidth;
  int mCharHeight;
  IBitmap mTextBitmap;
};

// A click area that opens a web address, or a second one when the first
// does not open. Draws nothing.
class IURLControl : public IControl {
 public:
  // Each text keeps at most this many characters.
  static constexpr int kMaxURLLen = 255;

  IURLControl(IPlugBase* plug, IRECT rect, const char* url, const char* backupURL = nullptr,
              const char* errMsg = nullptr);
  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  bool Draw(IGraphics*) override { return true; }

  const char* GetURL() const { return mURL; }
  const char* GetBackupURL() const { return mBackupURL; }
  const char* GetErrMsg() const { return mErrMsg; }

  // Opens url through the editor, or backupURL when url is empty or does not
  // open; errMsg goes to the editor with each try.
  static void OpenURLOrBackup(IGraphics* g, const char* url, const char* backupURL, const char* errMsg);

 protected:
  char mURL[kMaxURLLen + 1];
  char mBackupURL[kMaxURLLen + 1];
  char mErrMsg[kMaxURLLen + 1];
};

// Copies a text of at most IURLControl::kMaxURLLen characters into a link
// field; a null or empty text leaves the field empty.
void CopyURLText(char (&field)[IURLControl::kMaxURLLen + 1], const char* text);

// A button that runs the platform's file dialog and keeps the chosen path,
// empty after a cancel. Its value toggles with each use. It shows its
// picture only while the dialog is open, and is dirty once more after it
// closed.
class IFileSelectorControl : public IControl {
 public:
  enum EFileSelectorState { kFileSelectIdle = 0, kFileSelectBusy, kFileSelectDone };

  IFileSelectorControl(IPlugBase* plug, IRECT rect, int paramIdx, IBitmap* bitmap, EFileAction action,
                       const char* dir = "", const char* extensions = "");
  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  bool Draw(IGraphics* g) override;
  bool IsDirty() override;

  void GetLastSelectedFileForPlug(WDL_String* out) const { out->Set(mFile.Get()); }
  void SetLastSelectedFileFromPlug(const char* file) { mFile.Set(file); }
  int GetState() const { return mState; }
  const char* GetDir() const { return mDir.Get(); }
  const IBitmap& GetBitmap() const { return mBitmap; }

 protected:
  IBitmap mBitmap;
  WDL_String mDir;
  WDL_String mFile;
  WDL_String mExtensions;
  EFileAction mFileAction;
  int mState = kFileSelectIdle;
};
