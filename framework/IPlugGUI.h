#pragma once

#include "framework/WDL_String.h"

enum EFileAction { kFileOpen = 0, kFileSave = 1 };

// What the plug-in object needs of its editor, whatever draws it. The editor
// is attached once and from then on owned and deleted by the plug-in object.
class IPlugGUI {
 public:
  virtual ~IPlugGUI() = default;

  // Sets every control bound to the parameter; a plain value is first
  // normalised through the parameter.
  virtual void SetParameterFromPlug(int paramIdx, double value, bool normalized) = 0;
  // Creates the back buffer once all parameters have been pushed.
  virtual void PrepDraw() = 0;
  // The file dialog: fileName is pre-filled for saving and comes back empty
  // when the user cancelled; dir gives the starting folder and receives the
  // chosen one; extensions is "fxp" or "fxb".
  virtual void PromptForFile(WDL_String* fileName, EFileAction action, WDL_String* dir,
                             const char* extensions) = 0;

  // The host adapter's view factories open the editor in the platform view
  // or window a host asks for; an editor that cannot answers null.
  virtual void* OpenWindow(void*) { return nullptr; }
  virtual void* OpenWindow(void*, void*, short = 0, short = 0) { return nullptr; }
  virtual void CloseWindow() {}
};
