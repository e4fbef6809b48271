// ExecuteAssignment: one assignment carried out by its kind.
#include "hook/library/assignment_execution.h"

#include <shellapi.h>

#include "base/guarded_call.h"
#include "base/text.h"
#include "base/unique.h"
#include "content/clipboard_object.h"
#include "content/content_limits.h"
#include "content/shortcut_check.h"
#include "data/combination.h"

namespace talo {
namespace {

struct Run {
  AssignmentKind kind;
  const char* file_name;
  HANDLE file;
  int code;
  Paste paste;
  bool done;
};

// The calls into code that is not ours (the shell and its extensions, the clipboard and its
// owners), made under the guard: a fault there ends the step, and the file stays the caller's to
// close.
bool RunStep(void* context) {
  Run& run = *static_cast<Run*>(context);
  if (IsShortcutKind(run.kind)) {
    // The shortcut may open in a program that runs already (a browser given a web page), which
    // Windows lets come to the front only when the foreground process, this one, allows it.
    AllowSetForegroundWindow(ASFW_ANY);
    const HINSTANCE result =
        ShellExecuteA(nullptr, nullptr, run.file_name, nullptr, nullptr, SW_SHOWNORMAL);
    run.done = reinterpret_cast<INT_PTR>(result) > 32;
    return true;
  }
  run.done = run.kind == AssignmentKind::kText ? CopyTextToClipboard(run.file)
                                               : RestoreClipboardFrom(run.file);
  if (run.done && run.paste != Paste::kNone)
    SimulatePaste(run.code >> 8, run.paste == Paste::kAfterRelease);
  return true;
}

}  // namespace

Execution CarryOutAssignment(const char* folder, int code, unsigned char status, Paste paste) {
  const AssignmentKind kind = KindOfStatus(status);
  char file_name[kPathCapacity] = {};
  if (!FormatCombinationFileName(file_name, sizeof file_name, folder, code,
                                 AssignmentExtension(kind)))
    return Execution::kFailed;

  // Open until the shell or the clipboard has what it needs, shared for reading only: nobody can
  // change the file between its check and its use.
  FileHandle file(CreateFileA(file_name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return Execution::kFailed;
  const DWORD size = GetFileSize(file.get(), nullptr);
  if (size == INVALID_FILE_SIZE || size > MaxContentFileSize(kind)) return Execution::kRefused;
  if (IsShortcutKind(kind) && CheckShortcutFile(file.get(), size, kind) == ShortcutLayout::kBroken)
    return Execution::kRefused;

  Run run{kind, file_name, file.get(), code, paste, false};
  if (!GuardedCall(RunStep, &run)) {
    // Nothing inside the step was cleaned up on the way out: a clipboard it had opened is still
    // open (a shortcut's run opens none).
    if (!IsShortcutKind(kind)) CloseClipboard();
    return Execution::kFaulted;
  }
  return run.done ? Execution::kDone : Execution::kFailed;
}

bool ExecuteAssignment(const char* folder, int code, unsigned char status, bool paste) {
  return CarryOutAssignment(folder, code, status, paste ? Paste::kAfterRelease : Paste::kNone) ==
         Execution::kDone;
}

}  // namespace talo
