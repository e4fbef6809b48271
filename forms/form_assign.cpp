// TFormAssign: the form, its key picture, loading an assignment into the working copies, the
// change tracking and the save.
#include "forms/form_assign.h"

#include <string>

#include "base/error.h"
#include "content/shortcut_file.h"
#include "content/text_assignment.h"
#include "content/working_object.h"
#include "data/combination.h"
#include "data/combination_files.h"
#include "data/graph_data.h"
#include "data/settings.h"
#include "data/sys_data.h"
#include "data/title_file.h"
#include "data/user_data.h"
#include "forms/error_scope.h"
#include "forms/messages.h"
#include "forms/object_preview.h"
#include "ui/colors.h"

namespace talo {
namespace {

constexpr COLORREF kLightYellow = 14745599;
constexpr int kTitleLimit = 255;
constexpr int kTextLimit = 65534;
constexpr int kKeyLeft = 17;       // where the first cap sits in the key picture
constexpr int kShiftedLeft = 89;   // the next cap after a Shift cap
constexpr int kModifierStep = 40;  // a Ctrl or Alt cap and its gap

constexpr char kStatusText[] =
    "Please press \"Shift + F10\" to view the Active Menu.  In 'Text', press \"Ctrl +Tab\" for "
    "Tab, and press \"Ctrl + Enter\" for Enter.";
constexpr char kEnabledHint[] = "Enable assignment for this key combination.";
constexpr char kTitleHint[] = "Description, or title, for this key combination.";
constexpr char kShortcutHint[] = "Run an application, open a file or folder, or access a webpage.";
constexpr char kTextHint[] = "Paste text.";
constexpr char kObjectHint[] = "Paste entire files, images, sounds, or other objects.";
constexpr char kFormCaptionSuffix[] = " - Key Combination Assignment";

// Status byte kinds (the low four bits).
constexpr unsigned char kTextKind = static_cast<unsigned char>(AssignmentKind::kText);
constexpr unsigned char kObjectKind = static_cast<unsigned char>(AssignmentKind::kObject);
constexpr const char* kTextExtension = AssignmentExtension(AssignmentKind::kText);
constexpr const char* kObjectExtension = AssignmentExtension(AssignmentKind::kObject);

// Posted to the editor when it opened with stored content it could not open: the message shows
// over the editor, once it is on the screen.
constexpr UINT WM_REPORTUNOPENED = WM_APP + 1;

ui::FormDesign AssignDesign() {
  ui::FormDesign design;
  design.class_name = "TFormAssign";
  design.caption = "Key Combination Assignment";
  design.width = 648;
  design.height = 442;
  design.border = ui::BorderStyle::Single;
  design.icons.minimize = true;
  design.icons.maximize = false;
  design.centred = true;
  return design;
}

std::string CombinationName(int code) {
  char name[kDisplayNameCapacity] = "";
  if (TaloSysData) DisplayName(*TaloSysData, code, name, sizeof name);
  return name;
}

}  // namespace

TFormAssign::TFormAssign() : TForm(AssignDesign()) {
  OnShow = [this] { fmShow(); };
  OnHide = [this] { fmHide(); };
  FinishCreate();
}

TFormAssign::~TFormAssign() {
  if (pnlShortcut.Handle()) DragAcceptFiles(pnlShortcut.Handle(), FALSE);
  if (FormDC) ReleaseDC(Handle(), FormDC);
}

// Windowed controls are made in tab order: the framework stacks them so.
void TFormAssign::CreateComponents() {
  FormDC = GetDC(Handle());
  CreateKeyPicture();
  auto form_keys = [this](const ui::TKeyEvent& event) { return fmKeyDown(event); };
  chkEnabled.Create(*this, {10, 88, 0, 0}, "&Enabled")
      .Hint(kEnabledHint)
      .OnClick([this] { UpdateControls(true); })
      .OnKeyDown(form_keys);
  lblTitle.Create(*this, {90, 88, 0, 0}, "&Description/Title:");
  edtTitle.Create(*this, {175, 85, 455, 20})
      .MaxLength(kTitleLimit)
      .Hint(kTitleHint)
      .OnChange([this] { UpdateControls(true); });
  radShortcut.Create(*this, {80, 115, 60, 20}, "&Shortcut").Hint(kShortcutHint);
  radText.Create(*this, {290, 115, 60, 20}, "&Text").Hint(kTextHint);
  radObject.Create(*this, {500, 115, 60, 20}, "&Object").Hint(kObjectHint);
  for (ui::TRadioButton* kind : {&radShortcut, &radText, &radObject})
    kind->OnClick([this] { UpdateControls(true); }).OnKeyDown(form_keys);
  CreateContentBoxes();
  btnOKClose.Create(*this, {393, 345, 75, 23}, "OK")
      .Default(true)
      .OnClick([this] { btnOKCloseClick(); })
      .OnKeyDown(form_keys);
  btnCancel.Create(*this, {474, 345, 75, 23}, "Cancel")
      .Cancel(true)
      .OnClick([this] { SetModalResult(ui::mrCancel); })
      .OnKeyDown(form_keys);
  btnApply.Create(*this, {555, 345, 75, 23}, "&Apply")
      .OnClick([this] { btnApplyClick(); })
      .OnKeyDown(form_keys);
  sbMain.Create(*this, kStatusText);
  menuHelp.Attach(*this, kHelpAssign);
  CreateShortcutMenu();
  CreateObjectMenu();
  DragAcceptFiles(pnlShortcut.Handle(), TRUE);
}

void TFormAssign::CreateKeyPicture() {
  pnlKey.Create(*this, {10, 10, 385, 65}).Color(kLightYellow).Bevel(false).Enabled(false);
  imgKaLeft.Create(pnlKey, {-1, -1, 18, 67}).Tag(163).Transparent(true);
  imgKaCenter.Create(pnlKey, {17, -1, 351, 67}).Tag(164).Transparent(true);
  imgKaRight.Create(pnlKey, {368, -1, 18, 67}).Tag(165).Transparent(true);
  imgShift.Create(pnlKey, {17, 17, 71, 31}).Tag(16).AutoSize(true);
  imgCtrl.Create(pnlKey, {89, 17, 39, 31}).Tag(17).AutoSize(true);
  imgAlt.Create(pnlKey, {129, 17, 39, 31}).Tag(18).AutoSize(true);
  imgBase.Create(pnlKey, {169, 17, 199, 31}).AutoSize(true);
}

int TFormAssign::EditCombination(int code) {
  Combination = code;
  Handle();  // the components come with the window
  imgBase.Tag(code & 0xFF);
  return ShowModal();
}

template <typename Each>
void TFormAssign::ForEachImage(Each each) {
  for (ui::TImage* image : {&imgKaLeft, &imgKaCenter, &imgKaRight, &imgShift, &imgCtrl, &imgAlt,
                            &imgBase, &imgShtFocus, &imgShortcut, &imgObjFocus, &imgObject})
    each(*image);
}

void TFormAssign::LoadPictures() {
  ForEachImage([this](ui::TImage& image) {
    if (image.Tag() < 0) return;
    image.Bitmap(TaloGraphData ? TaloGraphData->CreatePictureBitmap(image.Tag(), FormDC) : nullptr);
  });
}

// Every picture goes when the editor hides; the next showing builds them again.
void TFormAssign::ReleasePictures() {
  ForEachImage([](ui::TImage& image) { image.Clear(); });
}

void TFormAssign::fmShow() {
  SetModalResult(ui::mrNone);
  LoadAssignment();
}

void TFormAssign::fmHide() { ReleasePictures(); }

void TFormAssign::PlaceKeyPicture() {
  const bool shift = (Combination & kShiftBit) != 0;
  imgShift.Visible(shift);
  int x = shift ? kShiftedLeft : kKeyLeft;
  for (auto [image, bit] : {std::pair{&imgCtrl, kCtrlBit}, std::pair{&imgAlt, kAltBit}}) {
    const bool held = (Combination & bit) != 0;
    image->Visible(held);
    if (!held) continue;
    image->Bounds({x, kKeyLeft, 0, 0});
    x += kModifierStep;
  }
  imgBase.Bounds({x, kKeyLeft, 0, 0});
  x += imgBase.Width();
  imgKaRight.Bounds({x, -1, 0, 0});
  imgKaCenter.Bounds({kKeyLeft, -1, x - kKeyLeft, imgKaCenter.Height()});
  pnlKey.Bounds({pnlKey.Left(), pnlKey.Top(), x + kKeyLeft, pnlKey.Height()});
}

void TFormAssign::LoadShortcut(unsigned char kind_bits) {
  // A shortcut kind loads only its own file; any other byte takes the first that exists.
  const int kinds[] = {kShellLink, kProgramInformation, kInternetShortcut};
  const bool shortcut_byte = kind_bits >= kShellLink && kind_bits <= kInternetShortcut;
  imgShortcut.Clear();
  lblShortcut.Caption("");
  for (int kind : kinds) {
    if (shortcut_byte && kind != kind_bits) continue;
    if (!CombinationFileHasContent(Combination, ShortcutExtension(kind))) continue;
    IconHandle icon;
    std::string name;
    if (ReadShortcutPreview(kind, Combination, icon, name)) {
      imgShortcut.Icon(icon.release());
      lblShortcut.Caption(name);
      ShortcutKind = kind;
    } else {
      KeptShortcutKind = kind;
      NoteUnopened(ShortcutExtension(kind));
    }
    return;
  }
}

void TFormAssign::NoteUnopened(const char* extension) {
  char path[kPathCapacity];
  if (CombinationFileName(path, Combination, extension) > 0)
    Unopened += std::string("\n'") + path + "'";
}

void TFormAssign::NoteShownInPart(const char* extension) {
  char path[kPathCapacity];
  if (CombinationFileName(path, Combination, extension) > 0)
    ShownInPart += std::string("\n'") + path + "'";
}

void TFormAssign::ReportUnopened() {
  if ((Unopened.empty() && ShownInPart.empty()) || !Visible()) return;
  std::string message;
  if (!Unopened.empty()) message = msg::kUnopenedContent + Unopened + msg::kUnopenedContentNote;
  if (!ShownInPart.empty())
    message += (message.empty() ? "" : "\n\n") + (msg::kContentShownInPart + ShownInPart) +
               msg::kContentShownInPartNote;
  Unopened.clear();
  ShownInPart.clear();
  MessageBoxA(Handle(), message.c_str(), msg::kUserDataFileCaption, MB_OK | MB_ICONWARNING);
}

LRESULT TFormAssign::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_REPORTUNOPENED) {
    ReportUnopened();
    return 0;
  }
  return TForm::HandleMessage(message, wparam, lparam);
}

TFormAssign::Stored TFormAssign::StoredNow() const {
  unsigned char status = 0;
  if (TaloUserData) TaloUserData->GetStatus(status, Combination);
  return {status, CombinationFilesStamp(Combination)};
}

bool TFormAssign::KeepsText() const {
  const std::wstring text = memoText.WideText();
  return TextKept && (text.empty() || text == ShownText);
}

int TFormAssign::ShortcutKindToSave() const {
  return ShortcutKind != kNoShortcut ? ShortcutKind : KeptShortcutKind;
}

bool TFormAssign::HasObjectToSave() const { return HasObject || ObjectKept; }

void TFormAssign::LoadAssignment() {
  sbMain.SimpleText(kStatusText);
  LoadPictures();
  Updating = true;
  const std::string name = CombinationName(Combination);
  // What another program on the folder saved meanwhile is what the editor shows.
  if (TaloUserData && TaloSettings) TaloUserData->Refresh(TaloSettings->UserDir());
  unsigned char status = 0;
  if (TaloUserData) TaloUserData->GetStatus(status, Combination);
  SetCaption("\"" + name + "\"" + kFormCaptionSuffix);
  PlaceKeyPicture();

  char title[kTitleCapacity] = "";
  Unopened.clear();
  ShownInPart.clear();
  TitleKept =
      ReadTitle(Combination, title) == 0 && CombinationFileHasContent(Combination, kTitleExtension);
  if (TitleKept) NoteUnopened(kTitleExtension);
  edtTitle.Text(title[0] ? title : name);
  std::wstring text;
  bool whole = true;
  if (LoadTextAssignment(text, Combination, &whole)) {
    TextKept = !whole;
    if (TextKept) NoteShownInPart(kTextExtension);
  } else {
    TextKept = CombinationFileHasContent(Combination, kTextExtension);
    if (TextKept) NoteUnopened(kTextExtension);
  }
  ShownText = text;
  memoText.WideText(text);

  ShortcutKind = kNoShortcut;
  KeptShortcutKind = kNoShortcut;
  HasObject = false;
  const unsigned char kind = status & 0x0F;
  LoadShortcut(kind);
  HasObject = ShowObjectPreview(imgObject, lblObject, Combination);
  ObjectKept = !HasObject && CombinationFileHasContent(Combination, kObjectExtension);
  if (ObjectKept) NoteUnopened(kObjectExtension);
  scbObject.UpdateScrollRange();
  scbObject.ScrollTo(0, 0);
  const bool has_text = !memoText.WideText().empty() || TextKept;
  ConfirmOverwrite = ShortcutKindToSave() != kNoShortcut || has_text || HasObjectToSave();

  radShortcut.Checked(kind >= kShellLink && kind <= kInternetShortcut &&
                      kind == ShortcutKindToSave());
  radText.Checked(kind == kTextKind && has_text);
  radObject.Checked(kind == kObjectKind && HasObjectToSave());
  if (!radShortcut.Checked() && !radText.Checked() && !radObject.Checked() && status != 0) {
    // A byte whose content is missing is repaired at once; content that is there but could not
    // be opened is no missing content.
    status = 0;
    if (TaloUserData && TaloSettings) {
      // Only this byte is saved: another program's changes to the folder's table stay.
      TaloUserData->SetStatus(0, Combination);
      TaloUserData->SaveFile(TaloSettings->UserDir());
    }
  }
  chkEnabled.Checked(status >= kStatusEnabled);
  Shown = StoredNow();
  btnCancel.Enabled(true);
  btnOKClose.Caption("OK");
  Updating = false;
  UpdateControls(false);
  SelectFirst();
  if (!Unopened.empty() || !ShownInPart.empty()) PostMessageA(Handle(), WM_REPORTUNOPENED, 0, 0);
}

void TFormAssign::UpdateControls(bool changed) {
  if (Updating) return;
  Updating = true;
  const bool shortcut = radShortcut.Checked();
  const bool text = radText.Checked();
  const bool object = radObject.Checked();
  // The kind group stays reachable by Tab: its selected button, or the first when none is.
  radShortcut.TabStop(shortcut || (!text && !object));
  pnlShortcut.Color(shortcut ? ui::kColorWhite : ui::kColorSilver).Enabled(shortcut);
  radText.TabStop(text);
  memoText.Color(text ? ui::kColorWhite : ui::kColorSilver).Enabled(text);
  radObject.TabStop(object);
  pnlObject.Color(object ? ui::kColorWhite : ui::kColorSilver).Enabled(object);
  scbObject.Color(object ? ui::kColorWhite : ui::kColorSilver).Enabled(object);
  btnApply.Enabled(changed);
  Updating = false;
}

bool TFormAssign::SaveAssignment() {
  const bool enabled = chkEnabled.Checked();
  const bool shortcut = radShortcut.Checked();
  const bool text = radText.Checked();
  const bool object = radObject.Checked();
  const bool has_text = !memoText.WideText().empty() || KeepsText();
  const int shortcut_kind = ShortcutKindToSave();
  const bool has_object = HasObjectToSave();
  if (enabled) {
    const char* missing = nullptr;
    if (edtTitle.Text().empty())
      missing = msg::kMissingTitle;
    else if (!shortcut && !text && !object)
      missing = msg::kMissingKind;
    else if (shortcut && shortcut_kind == kNoShortcut)
      missing = msg::kMissingShortcut;
    else if (text && !has_text)
      missing = msg::kMissingText;
    else if (object && !has_object)
      missing = msg::kMissingObject;
    if (missing) {
      const std::string message = std::string(missing) + msg::kIncompleteNote;
      MessageBoxA(Handle(), message.c_str(), msg::kIncompleteCaption, MB_OK | MB_ICONINFORMATION);
      return false;
    }
  }
  if (TaloUserData && TaloSettings) TaloUserData->Refresh(TaloSettings->UserDir());
  if (StoredNow() != Shown) {
    if (MessageBoxA(Handle(), msg::kChangedElsewhereQuestion, msg::kSaveConfirmationCaption,
                    MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES)
      return false;
  } else if (ConfirmOverwrite &&
             MessageBoxA(Handle(), msg::kOverwriteQuestion, msg::kSaveConfirmationCaption,
                         MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES) {
    return false;
  }

  unsigned char status = enabled ? kStatusEnabled : 0;
  if (shortcut && shortcut_kind != kNoShortcut)
    status += static_cast<unsigned char>(shortcut_kind);
  else if (text && has_text)
    status += kTextKind;
  else if (object && has_object)
    status += kObjectKind;

  // The chosen content is stored before the byte that names it, and the other contents after
  // it: a failure on the way leaves the old byte naming content that is still there. The hook
  // sees the byte at once.
  const int kind = status & 0x0F;
  const auto store_text = [&] {
    // Kept content was not loaded whole: writing the box over it would delete or cut it.
    Check(KeepsText() || SaveTextAssignment(memoText.WideText(), Combination), msg::kTextWrite);
  };
  const auto store_shortcut = [&] {
    Check((ShortcutKind == kNoShortcut && KeptShortcutKind != kNoShortcut) ||
              CommitShortcut(Combination, ShortcutKind),
          msg::kShortcutWrite);
  };
  const auto store_object = [&] {
    Check((!HasObject && ObjectKept) || CommitObject(Combination, HasObject), msg::kObjectWrite);
  };
  const bool saved = RunInErrorScope(Handle(), msg::kSaveSettingsCaption, MB_ICONWARNING, [&] {
    Check(TaloUserData && TaloSettings, msg::kWriteUserFile);
    const bool keeps_title = TitleKept && edtTitle.Text() == CombinationName(Combination);
    Check(keeps_title || WriteTitle(Combination, edtTitle.Text().c_str()), msg::kTitleWrite);
    if (kind == kTextKind) store_text();
    if (kind >= kShellLink && kind <= kInternetShortcut) store_shortcut();
    if (kind == kObjectKind) store_object();
    Check(TaloUserData->SetStatus(status, Combination) &&
              TaloUserData->SaveFile(TaloSettings->UserDir()),
          msg::kWriteUserFile);
    if (kind != kTextKind) store_text();
    if (kind < kShellLink || kind > kInternetShortcut) store_shortcut();
    if (kind != kObjectKind) store_object();
  });
  // Even a failed save may have written some of the files.
  Shown = StoredNow();
  if (!saved) return false;
  // What the save replaced is no longer kept: a later change to it in this showing is saved.
  TitleKept = TitleKept && edtTitle.Text() == CombinationName(Combination);
  TextKept = KeepsText();
  if (ShortcutKind != kNoShortcut) KeptShortcutKind = kNoShortcut;
  ObjectKept = ObjectKept && !HasObject;
  btnOKClose.Caption("Close");
  btnCancel.Enabled(false);
  btnApply.Enabled(false);
  SelectFirst();
  return true;
}

void TFormAssign::btnOKCloseClick() {
  // Only the Edited state saves; after an Apply the button is "Close" and closes as it is.
  if (btnApply.Enabled() && btnCancel.Enabled() && !SaveAssignment()) return;
  SetModalResult(ui::mrOK);
}

void TFormAssign::btnApplyClick() { SaveAssignment(); }

bool TFormAssign::fmKeyDown(const ui::TKeyEvent& event) {
  if (event.Held(ui::kCtrl)) return false;
  if (event.key == 'D') {
    edtTitle.SetFocus();
    return true;
  }
  if (event.key == VK_F10 && event.Held(ui::kShift) && !event.Held(ui::kAlt)) {
    if (radShortcut.Checked())
      pnlShortcut.ShowPopupMenu();
    else if (radText.Checked())
      ShowTextMenu();
    else if (radObject.Checked())
      pnlObject.ShowPopupMenu();
    return true;
  }
  return false;
}

}  // namespace talo
