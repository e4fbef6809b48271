// ExecuteAndReport: an assignment carried out from the program, with its result told in a box.
#include <windows.h>

#include <cstdio>

#include "data/combination.h"
#include "hook/library/assignment_execution.h"

namespace talo {
namespace {

struct Report {
  const char* text;  // with "%s" where the name goes
  const char* caption;
  UINT style;
};

constexpr int kReportCapacity = 256;

// The message for a result, or null when the result is told by what happened (an opened shortcut,
// a paste) or the kind is none at all.
const Report* ReportFor(AssignmentKind kind, bool succeeded, bool paste) {
  static constexpr Report kShortcutFailed = {
      "Unable to execute the shortcut for the key combination,\n'%s'.", "Shortcut execution error.",
      MB_ICONEXCLAMATION};
  static constexpr Report kTextFailed = {
      "Unable to copy the text, which has been assigned to key combination,\n'%s', to the "
      "clipboard.",
      "Text copy error.", MB_ICONEXCLAMATION};
  static constexpr Report kTextCopied = {
      "The text, which has been assigned to key combination,\n'%s', has been copied to the "
      "clipboard for pasting.",
      "Text copied.", MB_ICONINFORMATION};
  static constexpr Report kObjectFailed = {
      "Unable to copy the object, which has been assigned to key combination,\n'%s', to the "
      "clipboard.",
      "Object copy error.", MB_ICONEXCLAMATION};
  static constexpr Report kObjectCopied = {
      "The object, which has been assigned to key combination,\n'%s', has been copied to the "
      "clipboard for pasting.",
      "Object copied.", MB_ICONINFORMATION};

  if (IsShortcutKind(kind)) return succeeded ? nullptr : &kShortcutFailed;
  if (kind == AssignmentKind::kText) {
    if (!succeeded) return &kTextFailed;
    return paste ? nullptr : &kTextCopied;
  }
  if (kind == AssignmentKind::kObject) {
    if (!succeeded) return &kObjectFailed;
    return paste ? nullptr : &kObjectCopied;
  }
  return nullptr;
}

}  // namespace

bool ExecuteAndReport(HWND owner, const char* folder, int code, const char* name,
                      unsigned char status, bool paste) {
  const bool succeeded = ExecuteAssignment(folder, code, status, paste);
  const Report* report = ReportFor(KindOfStatus(status), succeeded, paste);
  if (report && name) {
    char text[kReportCapacity];
    std::snprintf(text, sizeof text, report->text, name);
    MessageBoxA(owner, text, report->caption, MB_OK | report->style);
  }
  return succeeded;
}

}  // namespace talo
