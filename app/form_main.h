// TFormMain: the main window with the keyboard picture, its key popup and the tray menu.
#pragma once

#include <array>

#include "app/folder_watch.h"
#include "app/keyboard_layout.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/image_list.h"
#include "ui/menu_item.h"
#include "ui/panel.h"
#include "ui/popup_menu.h"
#include "ui/status_bar.h"

namespace talo {

class TFormMain : public ui::TForm {
 public:
  TFormMain();
  ~TFormMain() override;

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  // Off screen behind a dialog, and back. Parking a hidden window shows it (off screen).
  void Park();
  void Unpark();
  bool Parked() const { return parked_; }

  // The 16 x 16 pictures of the notification icon.
  HICON TrayIconPicture(bool enabled) const {
    return enabled ? imgIconEnabled.Icon() : imgIconDisabled.Icon();
  }

  // Builds the key pictures; the first time (or when forced) also sets caption, hints, height and
  // the centred place on the virtual screen.
  void RefreshKeyboard(bool force);
  void ReleaseKeyPictures();

  // Components, named as the window's design names them.
  ui::TPanel pnlKeyboard;
  ui::TImage imgKbLeft, imgKbCenter, imgKbRight;
  std::array<ui::TImage, kKeyPictureCount> imgKeys;  // in the order of kKeyPictures
  ui::TImage imgIconEnabled, imgIconDisabled;
  ui::TButton btnList, btnOptions, btnHelp;
  ui::TStatusBar sbMain;
  ui::TImageList imglKeys;
  ui::TPopupMenu pumKeys;
  ui::TMenuItem menKeyNormal, menKeyN1, menKeySh, menKeyCtr, menKeyAlt, menKeyN2, menKeyShCtr,
      menKeyShAlt, menKeyCtrAlt;
  ui::TPopupMenu pumSysTray;
  ui::TMenuItem menSysOpen, menSysClose, menSysN3, menSysList, menSysOptions, menSysHelp,
      menSysN4, menSysEnabled, menSysDisabled, menSysN5, menSysExit;

  // Handlers (public so that tests can act as the user would).
  void fmMouseDown(const ui::TImage& image);
  void SetKeyMenuItem(ui::TMenuItem& item, int code);
  void PrepareTrayMenu();
  void TrayNotify(UINT mouse_message);

 private:
  void CreateIconPictures();
  void CreateShownComponents();  // the panel, frame, keys, buttons and status bar, at the first show
  void CreateMenus();
  void fmCreate_();
  void fmDestroy();
  void fmClose(ui::CloseAction& action);
  void fmShow();
  void fmHide();
  void appActivate();
  void appDeactivate();
  void menKeyClick(const ui::TMenuItem& item);
  void menSysOpenClick();
  void menSysCloseClick();
  void menSysEnabledClick();
  void menSysDisabledClick();
  // A second instance asked for the window.
  void ShowMainWindowRequest();
  // Sets the system-wide hook by the state of the window and the application, now and once more
  // when the event that changed it has run its course.
  void ApplyHookRule();
  void ScheduleHookRule();
  // Every picture with a slot in the graphics data: the keys and the frame.
  template <typename Action>
  void ForEachPicture(Action action);

  HDC dc_ = nullptr;
  bool parked_ = false;
  bool visible_before_park_ = false;
  int left_before_park_ = 0;
  int width_before_park_ = 0;
  bool centred_ = false;
  bool shown_components_created_ = false;
  bool hook_rule_pending_ = false;
  // Tells the window when another program may have saved the user data.
  TFolderWatch user_folder_watch_;
};

}  // namespace talo
