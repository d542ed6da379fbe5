#include "tools/thudrokka/ControlDump.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "framework/OutputFile.h"
#include "graphics/IGraphics.h"
#include "graphics/TextControls.h"
#include "instrument/Thudrokka.h"
#include "instrument/ThudrokkaPresetControls.h"
#include "framework/PrintableText.h"

namespace {

// The control's class as the source names it.
std::string kindOf(IControl& control) {
  const char* mangled = typeid(control).name();
  int status = -1;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  return status == 0 && name ? name.get() : mangled;
}

std::string shownText(IControl& control) {
  if (auto* text = dynamic_cast<ITextControl*>(&control)) return text->GetTextString();
  if (auto* preset = dynamic_cast<IQvPresetMenu*>(&control)) return preset->GetDisplayString();
  return "";
}

bool lists(const std::vector<int>& tab, int index) { return std::find(tab.begin(), tab.end(), index) != tab.end(); }

}  // namespace

std::string controlDumpText(IGraphics& editor, const std::vector<int>& synthTab, const std::vector<int>& aboutTab) {
  std::string dump;
  for (int i = 0; i < editor.NControls(); ++i) {
    IControl* control = editor.GetControl(i);
    const IRECT* r = control->GetRECT();
    const char* tab = lists(synthTab, i) ? "synth" : lists(aboutTab, i) ? "about" : "none";
    char numbers[128];
    std::snprintf(numbers, sizeof(numbers), "%d %d %d %d\t%d\t%.6f", r->L, r->T, r->R, r->B, control->ParamIdx(),
                  control->GetValue());
    dump += std::to_string(i) + "\t" + kindOf(*control) + "\t" + numbers + "\t" + printableText(shownText(*control)) +
            "\t" + tab + "\t" + (control->IsHidden() ? "hidden" : "shown") + "\n";
  }
  return dump;
}

bool writeControlDump(const std::string& path, Thudrokka& instrument, std::string* error) {
  auto* editor = dynamic_cast<IGraphics*>(instrument.GetGUI());
  if (!editor) {
    *error = "the instrument has no editor";
    return false;
  }
  const std::string dump =
      controlDumpText(*editor, instrument.GetSynthTabControls(), instrument.GetAboutTabControls());
  OutputFile file;
  if (file.open(path.c_str()) && file.write(dump.data(), dump.size()) && file.commit()) return true;
  *error = file.error();
  return false;
}
