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
#include "forms/select_all.h"

namespace talo {
namespace {

constexpr int kDroppedPathCapacity = 771;
constexpr char kNoImage[] = "No image is available for this object.";

bool KeyDown(int key) { return GetKeyState(key) < 0; }

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
      .OnKeyDown([this](WORD key) { return pnlShortcutKeyDown(key); });
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
  auto shortcut_down = [this](ui::TMouseButton, int, int) { pnlShortcut.SetFocus(); };
  auto shortcut_up = [this](ui::TMouseButton button, int, int) {
    if (button == ui::TMouseButton::Right) ShowShortcutMenu(true);
  };
  pnlShortcut.OnMouseDown(shortcut_down).OnMouseUp(shortcut_up).OnDblClick([this] {
    ShortcutOpen();
  });
  lblShortcut.OnMouseDown(shortcut_down).OnMouseUp(shortcut_up).OnDblClick([this] {
    ShortcutOpen();
  });

  ui::TMemoStyle dialog_memo;
  dialog_memo.want_returns = false;
  dialog_memo.horizontal_scroll_bar = true;
  memoText.Create(*this, {220, 135, 200, 200}, "", dialog_memo)
      .MaxLength(kMaxTextLength)
      .Hint(radText.Hint())
      .OnChange([this] { memoTextChange(); })
      .OnKeyDown([this](WORD key) { return SelectAllOnCtrlA(memoText.Handle(), key); });

  pnlObject.Create(*this, {430, 135, 200, 200})
      .Hint(radObject.Hint())
      .OnEnter([this] { imgObjFocus.Visible(true); })
      .OnExit([this] { imgObjFocus.Visible(false); })
      .OnKeyDown([this](WORD key) { return pnlObjectKeyDown(key); });
  imgObjFocus.Create(pnlObject, {0, 0, 196, 196}).Tag(166).Transparent(true).Visible(false);
  imgObjFocus.Enabled(false);
  scbObject.Create(pnlObject, {1, 1, 194, 194}, false);
  imgObject.Create(scbObject, {0, 0, 0, 0}).Tag(-1).AutoSize(true).Enabled(false);
  lblObject.Create(scbObject, {29, 82, 136, 30}, kNoImage)
      .Alignment(ui::TAlignment::Center)
      .Visible(false);
  auto object_down = [this](ui::TMouseButton, int, int) { pnlObject.SetFocus(); };
  auto object_up = [this](ui::TMouseButton button, int, int) {
    if (button == ui::TMouseButton::Right) ShowObjectMenu(true);
  };
  pnlObject.OnMouseDown(object_down).OnMouseUp(object_up);
  scbObject.OnMouseDown(object_down).OnMouseUp(object_up);
  lblObject.OnMouseDown(object_down).OnMouseUp(object_up);
}

void TFormAssign::CreateShortcutMenu() {
  menShtOpen.Caption("&Open").Default(true).OnClick([this] { ShortcutOpen(); });
  menShtPaste.Caption("&Paste").OnClick([this] { ShortcutPaste(); });
  menShtDelete.Caption("&Delete").OnClick([this] { ShortcutDelete(); });
  menShtRename.Caption("Rena&me").OnClick([this] { ShortcutRename(); });
  menShtRefresh.Caption("Re&fresh").OnClick([this] { ShortcutRefresh(); });
  menShtNew.Caption("&New URL").OnClick([this] { ShortcutNewUrl(); });
  menShtProperties.Caption("P&roperties").OnClick([this] { ShortcutProperties(); });
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
}

void TFormAssign::CreateObjectMenu() {
  menObjCut.Caption("Cu&t").OnClick([this] { ObjectCut(); });
  menObjCopy.Caption("&Copy").OnClick([this] { ObjectCopy(); });
  menObjPaste.Caption("&Paste").OnClick([this] { ObjectPaste(); });
  menObjDelete.Caption("&Delete").OnClick([this] { ObjectDelete(); });
  pumObject.Add(menObjCut).Add(menObjCopy).Add(menObjPaste).Add(menObjDelete);
}

void TFormAssign::PopupAt(ui::TPopupMenu& menu, ui::TControl& box, bool at_cursor) {
  POINT at;
  if (at_cursor) {
    if (!GetCursorPos(&at)) return;
  } else {
    RECT client;
    GetClientRect(box.Handle(), &client);
    at = {client.right / 2, client.bottom / 2};
    ClientToScreen(box.Handle(), &at);
  }
  box.SetFocus();
  menu.Popup(at.x, at.y, Handle());
}

void TFormAssign::ShowShortcutMenu(bool at_cursor) {
  if (!radShortcut.Checked()) return;
  const bool has_shortcut = ShortcutKind != kNoShortcut;
  for (ui::TMenuItem* item :
       {&menShtOpen, &menShtDelete, &menShtRename, &menShtRefresh, &menShtProperties})
    item->Enabled(has_shortcut);
  menShtPaste.Enabled(IsClipboardFormatAvailable(CF_HDROP) != FALSE);
  PopupAt(pumShortcut, pnlShortcut, at_cursor);
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

void TFormAssign::ShowObjectMenu(bool at_cursor) {
  if (!radObject.Checked()) return;
  for (ui::TMenuItem* item : {&menObjCut, &menObjCopy, &menObjDelete}) item->Enabled(HasObject);
  menObjPaste.Enabled(HasStorableClipboard());
  PopupAt(pumObject, pnlObject, at_cursor);
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

bool TFormAssign::pnlShortcutKeyDown(WORD key) {
  const bool shift = KeyDown(VK_SHIFT);
  const bool ctrl = KeyDown(VK_CONTROL);
  const bool alt = KeyDown(VK_MENU);
  if (key == VK_RETURN && alt) {
    ShortcutProperties();
    return true;
  }
  if (key == VK_RETURN && (shift || ctrl)) {
    ShortcutOpen();
    return true;
  }
  if (ctrl && !alt) {
    switch (key) {
      case 'N':
        ShortcutNewUrl();
        return true;
      case 'V':
        ShortcutPaste();
        return true;
      case 'C':
      case 'X':
        return true;  // a shortcut is never cut or copied
    }
    return false;
  }
  if (ctrl || alt) return false;
  switch (key) {
    case VK_DELETE:
      ShortcutDelete();
      return true;
    case VK_F2:
      ShortcutRename();
      return true;
    case VK_F5:
      ShortcutRefresh();
      return true;
    case VK_F10:
      if (!shift) return false;
      ShowShortcutMenu(false);
      return true;
  }
  return false;
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

bool TFormAssign::pnlObjectKeyDown(WORD key) {
  const bool ctrl = KeyDown(VK_CONTROL);
  const bool alt = KeyDown(VK_MENU);
  if (ctrl && !alt) {
    switch (key) {
      case 'C':
        ObjectCopy();
        return true;
      case 'V':
        ObjectPaste();
        return true;
      case 'X':
        ObjectCut();
        return true;
    }
    return false;
  }
  if (ctrl || alt) return false;
  if (key == VK_DELETE) {
    ObjectDelete();
    return true;
  }
  if (key == VK_F10 && KeyDown(VK_SHIFT)) {
    ShowObjectMenu(false);
    return true;
  }
  return false;
}

}  // namespace talo
