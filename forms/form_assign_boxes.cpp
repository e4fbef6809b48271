// TFormAssign: the three content boxes - the shortcut box (drop, paste, open, rename...), the
// text box and the object box (cut, copy, paste, delete) - and their menus and keys. They change
// only the working copies and the editor's fields; a save commits them.
#include <string>

#include "base/error.h"
#include "base/global_lock.h"
#include "base/unique.h"
#include "content/clipboard_object.h"
#include "content/file_list.h"
#include "content/shortcut_file.h"
#include "content/text_assignment.h"
#include "content/working_object.h"
#include "forms/error_scope.h"
#include "forms/form_assign.h"
#include "forms/form_services.h"
#include "forms/messages.h"
#include "forms/object_preview.h"

namespace talo {
namespace {

constexpr int kDroppedPathCapacity = 771;
constexpr char kNoImage[] = "No image is available for this object.";

// A private, checked copy of the clipboard's file list, so that the clipboard is not held open
// while the editor shows a message about the list. Empty when the clipboard has none (or another
// program put a damaged one there).
GlobalMemory CopyClipboardFileList(HWND owner) {
  GlobalMemory copy;
  if (!IsClipboardFormatAvailable(CF_HDROP) || !OpenClipboard(owner)) return copy;
  if (HANDLE data = GetClipboardData(CF_HDROP)) {
    GlobalLockScope source(data);
    if (source.Data()) copy = CopyFileList(source.Data(), GlobalSize(data));
  }
  CloseClipboard();
  return copy;
}

}  // namespace

void TFormAssign::CreateContentBoxes() {
  pnlShortcut.Create(*this, {10, 135, 200, 200})
      .Hint(radShortcut.Hint())
      .OnEnter([this] { imgShtFocus.Visible(true); })
      .OnExit([this] { imgShtFocus.Visible(false); })
      .PopupMenu(pumShortcut)
      .OnKeyDown([](const ui::TKeyEvent& event) {
        // A shortcut is never cut or copied: the keys do nothing here.
        return ui::TShortCut{'C', ui::kCtrl, ui::kShift}.Matches(event) ||
               ui::TShortCut{'X', ui::kCtrl, ui::kShift}.Matches(event);
      });
  pnlShortcut.OnDrop([this](TDropPanel&, HDROP drop) {
    if (!drop) return;
    AcceptDroppedFiles(drop);
    DragFinish(drop);
  });
  // The pictures let the mouse through to the box; the name reacts as the box does.
  imgShtFocus.Create(pnlShortcut, {0, 0, 196, 196}).Tag(166).Transparent(true).Visible(false);
  imgShortcut.Create(pnlShortcut, {82, 30, 32, 32}).Tag(-1).Transparent(true);
  lblShortcut.Create(pnlShortcut, {30, 99, 136, 67}, "").Alignment(ui::TAlignment::Center);
  for (ui::TImage* picture : {&imgShtFocus, &imgShortcut}) picture->Enabled(false);
  // A right click on the name pops the box's menu up too: the name passes it to the box.
  auto shortcut_down = [this](ui::TMouseButton, int, int) { pnlShortcut.SetFocus(); };
  pnlShortcut.OnMouseDown(shortcut_down).OnDblClick([this] { ShortcutOpen(); });
  lblShortcut.OnMouseDown(shortcut_down).OnDblClick([this] { ShortcutOpen(); });

  ui::TMemoStyle dialog_memo;
  dialog_memo.want_returns = false;
  dialog_memo.horizontal_scroll_bar = true;
  memoText.Create(*this, {220, 135, 200, 200}, "", dialog_memo)
      .MaxLength(kMaxTextLength)
      .Hint(radText.Hint())
      .OnChange([this] { memoTextChange(); });

  pnlObject.Create(*this, {430, 135, 200, 200})
      .Hint(radObject.Hint())
      .OnEnter([this] { imgObjFocus.Visible(true); })
      .OnExit([this] { imgObjFocus.Visible(false); })
      .PopupMenu(pumObject);
  imgObjFocus.Create(pnlObject, {0, 0, 196, 196}).Tag(166).Transparent(true).Visible(false);
  imgObjFocus.Enabled(false);
  scbObject.Create(pnlObject, {1, 1, 194, 194}, false);
  imgObject.Create(scbObject, {0, 0, 0, 0}).Tag(-1).AutoSize(true).Enabled(false);
  lblObject.Create(scbObject, {29, 82, 136, 30}, kNoImage)
      .Alignment(ui::TAlignment::Center)
      .Visible(false);
  auto object_down = [this](ui::TMouseButton, int, int) { pnlObject.SetFocus(); };
  pnlObject.OnMouseDown(object_down);
  scbObject.OnMouseDown(object_down);
  lblObject.OnMouseDown(object_down);
}

void TFormAssign::CreateShortcutMenu() {
  // The keys work while the box has the focus. Ctrl keys apply without Alt, the others without
  // Ctrl and Alt; Shift may be held with either. Plain Enter is the OK button's.
  using ui::kAlt, ui::kCtrl, ui::kNoShift, ui::kShift;
  menShtOpen.Caption("&Open").Default(true).OnClick([this] { ShortcutOpen(); });
  menShtOpen.ShortCut({VK_RETURN, kShift, kCtrl}).ShortCut({VK_RETURN, kCtrl, kShift});
  menShtPaste.Caption("&Paste").ShortCut({'V', kCtrl, kShift}).OnClick([this] { ShortcutPaste(); });
  menShtDelete.Caption("&Delete").ShortCut({VK_DELETE, kNoShift, kShift}).OnClick([this] {
    ShortcutDelete();
  });
  menShtRename.Caption("Rena&me").ShortCut({VK_F2, kNoShift, kShift}).OnClick([this] {
    ShortcutRename();
  });
  menShtRefresh.Caption("Re&fresh").ShortCut({VK_F5, kNoShift, kShift}).OnClick([this] {
    ShortcutRefresh();
  });
  menShtNew.Caption("&New URL").ShortCut({'N', kCtrl, kShift}).OnClick([this] {
    ShortcutNewUrl();
  });
  menShtProperties.Caption("P&roperties")
      .ShortCut({VK_RETURN, kAlt, kShift | kCtrl})
      .OnClick([this] { ShortcutProperties(); });
  for (ui::TMenuItem* separator : {&menShtN1, &menShtN2, &menShtN3, &menShtN4, &menShtN5})
    separator->Caption("-");
  pumShortcut.Add(menShtOpen)
      .Add(menShtN1)
      .Add(menShtPaste)
      .Add(menShtDelete)
      .Add(menShtN2)
      .Add(menShtRename)
      .Add(menShtN3)
      .Add(menShtRefresh)
      .Add(menShtN4)
      .Add(menShtNew)
      .Add(menShtN5)
      .Add(menShtProperties);
  pumShortcut.OnPopup([this] { PrepareShortcutMenu(); });
}

void TFormAssign::CreateObjectMenu() {
  using ui::kCtrl, ui::kNoShift, ui::kShift;
  menObjCut.Caption("Cu&t").ShortCut({'X', kCtrl, kShift}).OnClick([this] { ObjectCut(); });
  menObjCopy.Caption("&Copy").ShortCut({'C', kCtrl, kShift}).OnClick([this] { ObjectCopy(); });
  menObjPaste.Caption("&Paste").ShortCut({'V', kCtrl, kShift}).OnClick([this] { ObjectPaste(); });
  menObjDelete.Caption("&Delete").ShortCut({VK_DELETE, kNoShift, kShift}).OnClick([this] {
    ObjectDelete();
  });
  pumObject.Add(menObjCut).Add(menObjCopy).Add(menObjPaste).Add(menObjDelete);
  pumObject.OnPopup([this] { PrepareObjectMenu(); });
}

void TFormAssign::PrepareShortcutMenu() {
  const bool has_shortcut = ShortcutKind != kNoShortcut;
  for (ui::TMenuItem* item :
       {&menShtOpen, &menShtDelete, &menShtRename, &menShtRefresh, &menShtProperties})
    item->Enabled(has_shortcut);
  menShtPaste.Enabled(IsClipboardFormatAvailable(CF_HDROP) != FALSE);
}

// The text box's own edit menu, opened as a right click at its centre would open it.
void TFormAssign::ShowTextMenu() {
  if (!radText.Checked()) return;
  RECT client;
  GetClientRect(memoText.Handle(), &client);
  const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
  PostMessageA(memoText.Handle(), WM_RBUTTONDOWN, 0, centre);
  PostMessageA(memoText.Handle(), WM_RBUTTONUP, 0, centre);
}

void TFormAssign::PrepareObjectMenu() {
  for (ui::TMenuItem* item : {&menObjCut, &menObjCopy, &menObjDelete}) item->Enabled(HasObject);
  menObjPaste.Enabled(HasStorableClipboard());
}

void TFormAssign::TickEnabled() {
  const bool updating = Updating;
  Updating = true;
  chkEnabled.Checked(true);
  Updating = updating;
}

void TFormAssign::ShowWorkingShortcut() {
  IconHandle icon;
  std::string name;
  if (ShortcutKind != kNoShortcut && ReadShortcutPreview(ShortcutKind, kWorkingCopy, icon, name)) {
    imgShortcut.Icon(icon.release());
    lblShortcut.Caption(name);
    return;
  }
  ShortcutKind = kNoShortcut;
  imgShortcut.Clear();
  lblShortcut.Caption("");
}

bool TFormAssign::AcceptDroppedFiles(HDROP list) {
  // One file or folder makes one shortcut; a list of several leaves the box as it was. A path that
  // would not fit is refused rather than cut into the path of another file.
  char path[kDroppedPathCapacity] = "";
  if (list && ReadFirstListedPath(list, path, sizeof path) != 1) {
    MessageBoxA(Handle(), msg::kMultipleObjects, msg::kShortcutCreationMessageCaption,
                MB_OK | MB_ICONINFORMATION);
    return false;
  }
  return RunInErrorScope(Handle(), msg::kShortcutCreationCaption, MB_ICONWARNING, [&] {
    Check(list && path[0], msg::kDragDropPaste);
    ShortcutKind = CreateWorkingShortcut(path);
    ShowWorkingShortcut();
    Check(ShortcutKind != kNoShortcut, msg::kShortcutCreation);
    TickEnabled();
    UpdateControls(true);
    pnlShortcut.SetFocus();
  });
}

void TFormAssign::ShortcutOpen() {
  if (ShortcutKind != kNoShortcut) OpenWorkingShortcut(ShortcutKind);
}

void TFormAssign::ShortcutPaste() {
  GlobalMemory list = CopyClipboardFileList(Handle());
  if (list) AcceptDroppedFiles(static_cast<HDROP>(list.get()));
}

void TFormAssign::ShortcutDelete() {
  if (ShortcutKind == kNoShortcut) return;
  ShortcutKind = kNoShortcut;
  ShowWorkingShortcut();
  UpdateControls(true);
}

void TFormAssign::ShortcutRename() {
  if (ShortcutKind == kNoShortcut) return;
  if (FormServices.rename_shortcut(ShortcutKind) != ui::mrOK) return;
  ShowWorkingShortcut();
  UpdateControls(true);
}

void TFormAssign::ShortcutRefresh() {
  if (ShortcutKind == kNoShortcut) return;
  ShowWorkingShortcut();
  UpdateControls(true);
}

void TFormAssign::ShortcutNewUrl() {
  ShortcutKind = NewInternetShortcut(Handle());
  ShowWorkingShortcut();
  if (ShortcutKind != kNoShortcut) TickEnabled();
  UpdateControls(true);
}

void TFormAssign::ShortcutProperties() {
  if (ShortcutKind == kNoShortcut) return;
  ShowWorkingShortcutProperties(Handle(), ShortcutKind);
  UpdateControls(true);
}

void TFormAssign::memoTextChange() {
  if (Updating) return;  // the editor filling the box is no change by the user
  if (!memoText.WideText().empty()) TickEnabled();
  UpdateControls(true);
}

void TFormAssign::ClearObject() {
  HasObject = false;
  ClearObjectPreview(imgObject, lblObject);
  scbObject.UpdateScrollRange();
}

void TFormAssign::ObjectCopy() { RestoreWorkingObject(HasObject); }

void TFormAssign::ObjectCut() {
  if (!HasObject || !RestoreWorkingObject(true)) return;
  ClearObject();
  UpdateControls(true);
}

void TFormAssign::ObjectDelete() {
  if (!HasObject) return;
  ClearObject();
  UpdateControls(true);
}

void TFormAssign::ObjectPaste() {
  if (HasStorableClipboard()) PasteObject();
}

bool TFormAssign::PasteObject() {
  HasObject = CaptureWorkingObject() && ShowObjectPreview(imgObject, lblObject, kWorkingCopy);
  scbObject.UpdateScrollRange();
  scbObject.ScrollTo(0, 0);
  if (!HasObject) {
    ClearObjectPreview(imgObject, lblObject);
    MessageBoxA(Handle(), msg::kObjectCreation, msg::kObjectCreationCaption,
                MB_OK | MB_ICONWARNING);
    return false;
  }
  TickEnabled();
  UpdateControls(true);
  pnlObject.SetFocus();
  return true;
}

}  // namespace talo
