// TFormRename: its components, EditName and saving the name.
#include "forms/form_rename.h"

#include <string>

#include "base/error.h"
#include "content/shortcut_file.h"
#include "forms/error_scope.h"
#include "forms/messages.h"

namespace talo {
namespace {

// A program information file holds a short name; links and internet shortcuts a long one.
int NameLimit(int kind) { return kind == kProgramInformation ? 29 : 259; }

}  // namespace

TFormRename::TFormRename()
    : TForm(ui::ClientDialogDesign("TFormRename", "Rename Shortcut", 247, 64)) {
  OnShow = [this] { fmShow(); };
  FinishCreate();
}

void TFormRename::CreateComponents() {
  edtName.Create(*this, {5, 5, 237, 20}).OnChange([this] { edtNameChange(); });
  btnOK.Create(*this, {86, 35, 75, 23}, "OK").Default(true).OnClick([this] { btnOKClick(); });
  btnCancel.Create(*this, {167, 35, 75, 23}, "Cancel").Cancel(true).OnClick([this] {
    SetModalResult(ui::mrCancel);
  });
}

int TFormRename::EditName(int kind) {
  if (kind == kNoShortcut) return ui::mrNone;
  std::string name;
  if (!GetShortcutDescription(name, kind) || name.empty()) return ui::mrNone;
  ShortcutKind = kind;
  const int limit = NameLimit(kind);
  if (static_cast<int>(name.size()) > limit) name.resize(limit);
  Handle();  // the form makes its components with its window
  Loading = true;
  edtName.MaxLength(limit).Text(name);
  Loading = false;
  return ShowModal();
}

// OK stays disabled until the user has edited the name.
void TFormRename::fmShow() {
  SetModalResult(ui::mrNone);
  btnOK.Enabled(false);
  edtName.SetFocus();
}

void TFormRename::edtNameChange() {
  if (!Loading) btnOK.Enabled(!edtName.Text().empty());
}

void TFormRename::btnOKClick() {
  if (SaveName()) SetModalResult(ui::mrOK);
}

bool TFormRename::SaveName() {
  const std::string name = edtName.Text();
  if (name.empty()) return false;
  return RunInErrorScope(Handle(), msg::kShortcutModificationCaption, MB_ICONWARNING, [&] {
    Check(SetShortcutDescription(name.c_str(), ShortcutKind), msg::kShortcutModification);
  });
}

}  // namespace talo
