// TFormAssign: the assignment editor of one key combination - enabled, title, kind, and the three
// content boxes (shortcut, text, object) that work on the working copies until a save.
#pragma once

#include <windows.h>

#include <string>

#include "forms/drop_panel.h"
#include "forms/help_menu.h"
#include "forms/help_topics.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/memo.h"
#include "ui/menu_item.h"
#include "ui/panel.h"
#include "ui/popup_menu.h"
#include "ui/radio_button.h"
#include "ui/scroll_box.h"
#include "ui/status_bar.h"

namespace talo {

class TFormAssign : public ui::TForm {
 public:
  TFormAssign();
  ~TFormAssign() override;

  // Runs the editor modally for the combination `code`; the caller refreshes its own view after.
  int EditCombination(int code);
  int Code() const { return Combination; }

  // Components, named as the editor's design names them.
  ui::TPanel pnlKey;
  ui::TImage imgKaLeft, imgKaCenter, imgKaRight, imgShift, imgCtrl, imgAlt, imgBase;
  ui::TCheckBox chkEnabled;
  ui::TLabel lblTitle;
  ui::TEdit edtTitle;
  ui::TRadioButton radShortcut, radText, radObject;
  TDropPanel pnlShortcut;
  ui::TImage imgShtFocus, imgShortcut;
  ui::TLabel lblShortcut;
  ui::TMemo memoText;
  TDropPanel pnlObject;
  ui::TImage imgObjFocus;
  ui::TScrollBox scbObject;
  ui::TImage imgObject;
  ui::TLabel lblObject;
  ui::TButton btnOKClose, btnCancel, btnApply;
  ui::TStatusBar sbMain;
  THelpMenu menuHelp;
  ui::TPopupMenu pumShortcut;
  ui::TMenuItem menShtOpen, menShtN1, menShtPaste, menShtDelete, menShtN2, menShtRename, menShtN3,
      menShtRefresh, menShtN4, menShtNew, menShtN5, menShtProperties;
  ui::TPopupMenu pumObject;
  ui::TMenuItem menObjCut, menObjCopy, menObjPaste, menObjDelete;

  // The editor's operations (public so that tests can act as the user would).
  void LoadAssignment();
  void UpdateControls(bool changed);
  bool SaveAssignment();
  bool fmKeyDown(const ui::TKeyEvent& event);
  void btnOKCloseClick();
  void btnApplyClick();

  // The content boxes.
  void PrepareShortcutMenu();
  void ShowTextMenu();
  void PrepareObjectMenu();
  bool AcceptDroppedFiles(HDROP list);
  bool PasteObject();
  void memoTextChange();
  void ShortcutOpen();
  void ShortcutPaste();
  void ShortcutDelete();
  void ShortcutRename();
  void ShortcutRefresh();
  void ShortcutNewUrl();
  void ShortcutProperties();
  void ObjectCut();
  void ObjectCopy();
  void ObjectPaste();
  void ObjectDelete();

  bool HasObjectNow() const { return HasObject; }
  int ShortcutKindNow() const { return ShortcutKind; }

 private:
  void CreateComponents() override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void CreateKeyPicture();
  void CreateContentBoxes();
  void CreateShortcutMenu();
  void CreateObjectMenu();
  void fmShow();
  void fmHide();
  void LoadPictures();
  void ReleasePictures();
  void PlaceKeyPicture();
  void LoadShortcut(unsigned char kind_bits);
  // Notes stored content that exists but could not be opened, for the message after showing.
  void NoteUnopened(const char* extension);
  // Notes stored content that the editor shows only in part, for the same message.
  void NoteShownInPart(const char* extension);
  void ReportUnopened();
  // What a save writes: a box left empty over kept content, or showing the part of it that
  // could be shown, keeps that content.
  bool KeepsText() const;
  int ShortcutKindToSave() const;
  bool HasObjectToSave() const;
  // Shows the working shortcut in the box; a failure (or kind 0) clears the box and makes the
  // kind 0.
  void ShowWorkingShortcut();
  // Ticks Enabled as a consequence of a change, which itself is no separate change.
  void TickEnabled();
  void ClearObject();
  template <typename Each>
  void ForEachImage(Each each);

  // The combination's status byte and files as stored: a save compares them with what the
  // editor showed, and asks before it replaces what another program saved meanwhile.
  struct Stored {
    unsigned char status;
    unsigned long long files;
    bool operator!=(const Stored& other) const {
      return status != other.status || files != other.files;
    }
  };
  Stored StoredNow() const;

  int Combination = 0;
  Stored Shown = {};
  bool ConfirmOverwrite = false;
  HDC FormDC = nullptr;
  bool Updating = false;
  bool HasObject = false;
  int ShortcutKind = 0;
  // Stored content that exists but could not be opened (damaged, locked, or its working copy
  // could not be written). It stays as it is: the byte keeps its kind for it, and a save leaves it
  // alone unless the user gives its box a new content.
  bool TextKept = false;
  std::wstring ShownText;  // what the text box showed of the stored text
  int KeptShortcutKind = 0;
  bool ObjectKept = false;
  // The stored title could not be read: the box shows the key's name, which a save does not
  // write over it unless the user typed another.
  bool TitleKept = false;
  std::string Unopened;
  std::string ShownInPart;
};

}  // namespace talo
