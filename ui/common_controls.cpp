// Loading of the comctl32 window classes once per process.
#include "ui/common_controls.h"

namespace talo::ui {

bool LoadCommonControls() {
  static const bool loaded = [] {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES | ICC_BAR_CLASSES |
                                                        ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    return InitCommonControlsEx(&classes) != FALSE;
  }();
  return loaded;
}

}  // namespace talo::ui
