// ExecuteAssignment: one assignment carried out by its kind.
#include "hook/library/assignment_execution.h"

#include <shellapi.h>

#include "base/text.h"
#include "content/clipboard_object.h"
#include "data/combination.h"

namespace talo {

bool ExecuteAssignment(const char* folder, int code, unsigned char status, bool paste) {
  const AssignmentKind kind = KindOfStatus(status);
  char file_name[kPathCapacity] = {};
  if (!FormatCombinationFileName(file_name, sizeof file_name, folder, code,
                                 AssignmentExtension(kind)))
    return false;

  if (IsShortcutKind(kind)) {
    HINSTANCE result = ShellExecuteA(nullptr, nullptr, file_name, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
  }
  const bool copied = kind == AssignmentKind::kText ? CopyTextFileToClipboard(file_name)
                                                    : RestoreClipboard(file_name);
  if (!copied) return false;
  if (paste) SimulatePaste(code >> 8);
  return true;
}

}  // namespace talo
