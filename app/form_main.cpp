// TFormMain: the keyboard picture, the key popup, the tray callbacks, showing and parking.
#include "app/form_main.h"

#include "app/enabled_state.h"
#include "app/form_navigation.h"
#include "app/globals.h"
#include "app/help.h"
#include "app/local_capture.h"
#include "app/startup.h"
#include "app/tray_icon.h"
#include "data/combination.h"
#include "data/graph_data.h"
#include "data/sys_data.h"
#include "data/user_data.h"
#include "forms/form_list.h"
#include "forms/form_options.h"
#include "hook/server/talo_server.h"
#include "res/resource_ids.h"
#include "ui/application.h"

namespace talo {
namespace {

constexpr COLORREF kLightYellow = 14745599;
constexpr char kSelectableHint[] = "Click to select key combination for assignment.";
constexpr char kNotSelectableHint[] = "This key is not available for assignment.";
constexpr char kStatusBarText[] = "Please press a Combination of Keys to Assign Functionality.";
constexpr int kWindowWidth = 797;
constexpr int kWindowHeight = 346;
// How often the program looks whether another program on the folder saved "User.dat".
constexpr UINT_PTR kUserDataLookTimer = 1;
constexpr UINT kUserDataLookMs = 2000;

ui::FormDesign MainDesign() {
  ui::FormDesign design;
  design.class_name = kMainWindowClass;
  design.caption = kMainWindowCaption;
  design.width = kWindowWidth;
  design.height = kWindowHeight;
  design.border = ui::BorderStyle::Single;
  design.icons.minimize = true;
  design.icons.maximize = false;
  return design;
}

HICON LoadSmallIcon(int id) {
  return static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
}

// The system-wide hook follows the main window; its failures here are not reported.
void SwitchSystemHook(bool on) {
  if (TaloServer) TaloServer->EnableHook(on);
}

bool SettingEnabled() { return TaloSettings && TaloSettings->Enabled(); }

bool KeySelectable(int key) {
  bool available = false;
  return TaloSysData && KeyHasAvailableCombination(*TaloSysData, key, available) && available;
}

void MoveWindowTo(HWND window, int left, int width) {
  RECT area;
  GetWindowRect(window, &area);
  SetWindowPos(window, nullptr, left, area.top, width, area.bottom - area.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// Centres `size` in the virtual screen's extent from `origin`; never negative.
int Centred(int origin, int extent, int size) {
  int place = origin + (extent - size) / 2;
  return place < 0 ? 0 : place;
}

}  // namespace

TFormMain::TFormMain() : TForm(MainDesign()) {
  CreateIconPictures();
  CreateMenus();
  OnClose = [this](ui::CloseAction& action) { fmClose(action); };
  OnShow = [this] { fmShow(); };
  OnHide = [this] { fmHide(); };
  OnDestroy = [this] { fmDestroy(); };
  OnCreate = [this] { fmCreate_(); };
  FinishCreate();
}

TFormMain::~TFormMain() {
  // The window goes in the base destructor; the application must not call back into this form.
  if (ui::Application) {
    ui::Application->OnActivate = nullptr;
    ui::Application->OnDeactivate = nullptr;
  }
}

void TFormMain::CreateIconPictures() {
  imgIconEnabled.Create(*this, {0, 0, 16, 16}).Tag(kIconPictureTag).Visible(false).Enabled(false);
  imgIconEnabled.Icon(LoadSmallIcon(IDI_TRAY_ENABLED));
  imgIconDisabled.Create(*this, {0, 0, 16, 16}).Tag(kIconPictureTag).Visible(false).Enabled(false);
  imgIconDisabled.Icon(LoadSmallIcon(IDI_TRAY_DISABLED));
}

// The window's controls, its keyboard's hundred pictures among them, are made when the window is
// first shown, so that a silent start, which may never show it, does not pay for them (nor for
// the tooltip window and the common controls that the buttons' hints and the status bar need).
void TFormMain::CreateShownComponents() {
  if (shown_components_created_) return;
  shown_components_created_ = true;
  pnlKeyboard.Create(*this, {10, 10, 769, 241}).Color(kLightYellow).Bevel(false);
  btnList.Create(*this, {24, 261, 231, 30}, "Key Combination Assignment List")
      .Bold(true)
      .Hint("Click to open the Key Combination Assignment List.")
      .OnClick([] { ShowListForm(); });
  btnOptions.Create(*this, {279, 261, 231, 30}, "Options")
      .Bold(true)
      .Hint("Click to open Options.")
      .OnClick([] { ShowOptionsForm(); });
  btnHelp.Create(*this, {534, 261, 231, 30}, "Help")
      .Bold(true)
      .Hint("Click to open Help.")
      .OnClick([] { ShowHelp(kHelpMainWindow); });
  sbMain.Create(*this, kStatusBarText, false);
  const struct {
    ui::TImage& image;
    int tag;
    int left;
    int width;
  } frame[] = {{imgKbLeft, kFrameLeftTag, -1, 18},
               {imgKbCenter, kFrameCenterTag, 17, 735},
               {imgKbRight, kFrameRightTag, 752, 18}};
  for (const auto& piece : frame)
    piece.image.Create(pnlKeyboard, {piece.left, -1, piece.width, 243})
        .Tag(piece.tag)
        .Enabled(false)
        .Transparent(true)
        .AutoSize(true);
  for (int i = 0; i < kKeyPictureCount; ++i) {
    const KeyPicture& key = kKeyPictures[i];
    ui::TImage& image = imgKeys[i];
    image.Create(pnlKeyboard, {key.left, key.top, key.width, key.height})
        .Tag(key.tag)
        .AutoSize(true)
        .OnMouseDown([this, &image](ui::TMouseButton, int, int) { fmMouseDown(image); });
  }
}

void TFormMain::CreateMenus() {
  if (imglKeys.Create(16, 16)) {
    GdiObject strip(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_MODIFIER_SETS),
                               IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (strip) imglKeys.Add(static_cast<HBITMAP>(strip.get()), RGB(255, 0, 255));
  }
  pumKeys.Images(&imglKeys);
  const struct {
    ui::TMenuItem& item;
    int tag;  // the modifier set, and the picture's index
  } keys[] = {{menKeyNormal, 0}, {menKeyN1, -1},    {menKeySh, 1},     {menKeyCtr, 2},
              {menKeyAlt, 4},    {menKeyN2, -1},    {menKeyShCtr, 3},  {menKeyShAlt, 5},
              {menKeyCtrAlt, 6}};
  for (const auto& entry : keys) {
    pumKeys.Add(entry.item);
    if (entry.tag < 0) {
      entry.item.Caption("-");
      continue;
    }
    ui::TMenuItem& item = entry.item;
    item.Tag(entry.tag).OnClick([this, &item] { menKeyClick(item); });
  }

  menSysOpen.Caption("&Open Keyboard").OnClick([this] { menSysOpenClick(); });
  menSysClose.Caption("Close Keyboard").OnClick([this] { menSysCloseClick(); });
  menSysN3.Caption("-");
  menSysList.Caption("Assignment &List").OnClick([] { ShowListForm(); });
  menSysOptions.Caption("Op&tions").OnClick([] { ShowOptionsForm(); });
  menSysHelp.Caption("&Help").OnClick([] { ShowHelp(kHelpContents); });
  menSysN4.Caption("-");
  menSysEnabled.RadioItem(true).GroupIndex(1).OnClick([this] { menSysEnabledClick(); });
  menSysDisabled.RadioItem(true).GroupIndex(1).OnClick([this] { menSysDisabledClick(); });
  menSysN5.Caption("-");
  menSysExit.OnClick([] { ExitApplication(); });
  for (ui::TMenuItem* item : {&menSysOpen, &menSysClose, &menSysN3, &menSysList, &menSysOptions,
                              &menSysHelp, &menSysN4, &menSysEnabled, &menSysDisabled, &menSysN5,
                              &menSysExit})
    pumSysTray.Add(*item);
}

void TFormMain::fmCreate_() {
  if (ui::Application) {
    ui::Application->OnActivate = [this] { appActivate(); };
    ui::Application->OnDeactivate = [this] { appDeactivate(); };
  }
  dc_ = GetDC(Handle());
  SetTimer(Handle(), kUserDataLookTimer, kUserDataLookMs, nullptr);
  if (TaloSettings)
    user_folder_watch_.Follow(TaloSettings->UserDir(), Handle(), WM_USERFOLDERCHANGED);
}

void TFormMain::fmDestroy() {
  user_folder_watch_.Stop();
  if (dc_) ReleaseDC(Handle(), dc_);
  dc_ = nullptr;
}

void TFormMain::fmClose(ui::CloseAction& action) {
  // Closing never ends the program: the window only hides.
  Hide();
  action = ui::CloseAction::None;
}

void TFormMain::fmShow() {
  if (ui::Application) ui::Application->Restore();
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  ScheduleHookRule();
  RefreshKeyboard(false);
}

void TFormMain::fmHide() {
  CloseHelp();
  ReleaseKeyPictures();
  ScheduleHookRule();
}

void TFormMain::appActivate() { ScheduleHookRule(); }

void TFormMain::appDeactivate() { ScheduleHookRule(); }

// The hook is on exactly when assignments are enabled and this window is not visible in the
// active application; while it is, the local capture takes the keys instead.
void TFormMain::ApplyHookRule() {
  const bool in_use = Visible() && ui::Application && ui::Application->Active();
  SwitchSystemHook(SettingEnabled() && !in_use);
}

// A show activates the application from inside ShowWindow, before the window counts as visible:
// neither the show nor the activation sees the state they end in. So the rule is applied at each
// event and once more from the message queue, after the event has run its course.
void TFormMain::ScheduleHookRule() {
  ApplyHookRule();
  if (!hook_rule_pending_ && PostMessageA(Handle(), WM_APPLYHOOKRULE, 0, 0))
    hook_rule_pending_ = true;
}

template <typename Action>
void TFormMain::ForEachPicture(Action action) {
  for (ui::TImage* frame : {&imgKbLeft, &imgKbCenter, &imgKbRight}) action(*frame);
  for (ui::TImage& key : imgKeys) action(key);
}

void TFormMain::RefreshKeyboard(bool force) {
  CreateShownComponents();
  if (force || (!centred_ && !parked_)) {
    SetCaption(kMainWindowCaption);
    for (ui::TImage& key : imgKeys)
      key.SetHint(KeySelectable(key.Tag()) ? kSelectableHint : kNotSelectableHint);
    RECT area;
    GetWindowRect(Handle(), &area);
    const int width = area.right - area.left;
    const int top = Centred(GetSystemMetrics(SM_YVIRTUALSCREEN),
                            GetSystemMetrics(SM_CYVIRTUALSCREEN), kWindowHeight);
    int left = area.left;
    if (!centred_ && !parked_) {
      left = Centred(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
                     width);
      centred_ = true;
    }
    SetWindowPos(Handle(), nullptr, left, top, width, kWindowHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // An off-screen window parked from hidden gets no pictures.
  if (parked_ && !visible_before_park_) return;
  ForEachPicture([this](ui::TImage& image) {
    HBITMAP picture = TaloGraphData ? TaloGraphData->CreatePictureBitmap(image.Tag(), dc_) : nullptr;
    if (picture)
      image.Bitmap(picture);
    else
      image.Clear();
  });
  SelectFirst();
}

void TFormMain::ReleaseKeyPictures() {
  if (parked_) return;
  ForEachPicture([](ui::TImage& image) { image.Clear(); });
}

void TFormMain::fmMouseDown(const ui::TImage& image) {
  const int key = image.Tag();
  if (!KeySelectable(key)) return;
  POINT cursor;
  if (!GetCursorPos(&cursor)) return;
  const struct {
    ui::TMenuItem& item;
    int modifiers;
  } entries[] = {{menKeyNormal, 0},          {menKeySh, kShiftBit},
                 {menKeyCtr, kCtrlBit},      {menKeyAlt, kAltBit},
                 {menKeyShCtr, kShiftBit | kCtrlBit}, {menKeyShAlt, kShiftBit | kAltBit},
                 {menKeyCtrAlt, kCtrlBit | kAltBit}};
  for (const auto& entry : entries) SetKeyMenuItem(entry.item, key | entry.modifiers);
  pumKeys.Tag(key);
  pumKeys.Popup(cursor.x, cursor.y, Handle());
}

void TFormMain::SetKeyMenuItem(ui::TMenuItem& item, int code) {
  char name[kDisplayNameCapacity] = "";
  if (TaloSysData) DisplayName(*TaloSysData, code, name, sizeof name);
  item.Caption(name[0] == '-' ? "- " : name);
  bool available = false;
  if (TaloSysData && IsAvailable(*TaloSysData, code, available) && available) {
    unsigned char status = 0;
    if (TaloUserData) TaloUserData->GetStatus(status, code);
    item.ImageIndex(item.Tag()).Enabled(true).Checked(IsActiveStatus(status));
  } else {
    item.ImageIndex(-1).Enabled(false).Checked(false);
  }
}

void TFormMain::menKeyClick(const ui::TMenuItem& item) {
  SelectCombination(this, item.Tag() * 256 + pumKeys.Tag());
}

void TFormMain::PrepareTrayMenu() {
  const bool hidden = !Visible();
  const bool active = FindActiveForm() == this;
  menSysEnabled.Caption(active ? "Enabled" : "&Enabled");
  menSysDisabled.Caption(active ? "Disabled" : "&Disabled");
  menSysExit.Caption(active ? "Exit" : "E&xit");
  menSysOpen.Visible(hidden).Default(hidden);
  menSysClose.Visible(active).Default(active);
  menSysN3.Visible(hidden || active);
  for (ui::TMenuItem* item : {&menSysList, &menSysOptions, &menSysHelp, &menSysN4})
    item->Visible(hidden);
  const bool options_hidden = !FormOptions || !FormOptions->Visible();
  for (ui::TMenuItem* item : {&menSysEnabled, &menSysDisabled, &menSysN5})
    item->Visible(options_hidden);
  menSysEnabled.Checked(SettingEnabled());
  menSysDisabled.Checked(!SettingEnabled());
}

void TFormMain::TrayNotify(UINT mouse_message) {
  ui::TForm* active = FindActiveForm();
  if (mouse_message == WM_LBUTTONDBLCLK) {
    if (!Visible())
      Show();
    else if (active == this)
      Hide();
    return;
  }
  if (mouse_message != WM_RBUTTONDOWN) return;
  POINT cursor;
  if (!GetCursorPos(&cursor)) return;
  PrepareTrayMenu();
  // The menu closes when the user clicks elsewhere only if its owner is in the foreground.
  ui::TForm* owner = active ? active : this;
  SetForegroundWindow(owner->Handle());
  pumSysTray.Popup(cursor.x, cursor.y, owner->Handle());
}

void TFormMain::menSysOpenClick() {
  if (!Visible()) Show();
}

void TFormMain::menSysCloseClick() {
  if (FindActiveForm() == this) Hide();
}

void TFormMain::menSysEnabledClick() {
  if (!SettingEnabled()) SetEnabledState(true);
}

void TFormMain::menSysDisabledClick() {
  if (SettingEnabled()) SetEnabledState(false);
}

void TFormMain::Park() {
  RECT area;
  GetWindowRect(Handle(), &area);
  parked_ = true;
  visible_before_park_ = Visible();
  left_before_park_ = area.left;
  width_before_park_ = area.right - area.left;
  MoveWindowTo(Handle(), area.left, 128);
  MoveWindowTo(Handle(), -256, 128);
  if (!visible_before_park_) ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

void TFormMain::Unpark() {
  if (!parked_) return;
  if (!visible_before_park_) Hide();
  RECT area;
  GetWindowRect(Handle(), &area);
  MoveWindowTo(Handle(), left_before_park_, area.right - area.left);
  MoveWindowTo(Handle(), left_before_park_, width_before_park_);
  parked_ = false;
}

void TFormMain::ShowMainWindowRequest() {
  // A visible but disabled window has a modal dialog open: the request is ignored.
  if (Visible() && !IsWindowEnabled(Handle())) return;
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  Show();
}

LRESULT TFormMain::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SHOWMAINWINDOW) {
    ShowMainWindowRequest();
    return 0;
  }
  if (message == WM_TRAYNOTIFY) {
    TrayNotify(UINT(lparam));
    return 0;
  }
  if (message == TaskbarCreatedMessage() && message != 0) {
    if (TaloTrayIcon) TaloTrayIcon->ShowAgain();
    return 0;
  }
  if (message == WM_APPLYHOOKRULE) {
    hook_rule_pending_ = false;
    ApplyHookRule();
    return 0;
  }
  if (message == WM_SELECTCOMBINATION) {
    SelectPostedCombination(int(wparam));
    return 0;
  }
  if ((message == WM_TIMER && wparam == kUserDataLookTimer) || message == WM_USERFOLDERCHANGED) {
    // Another program on the same folder may have saved: its assignments count here too, and a
    // shown list shows them. The look at the file's time also serves a folder (on some shares)
    // that sends no change notifications, and follows the folder when the user moves it.
    if (!TaloUserData || !TaloSettings) return 0;
    if (message == WM_TIMER)
      user_folder_watch_.Follow(TaloSettings->UserDir(), Handle(), WM_USERFOLDERCHANGED);
    if (TaloUserData->Refresh(TaloSettings->UserDir()) && FormList)
      FormList->StoredStatesChanged();
    return 0;
  }
  return TForm::HandleMessage(message, wparam, lparam);
}

}  // namespace talo
