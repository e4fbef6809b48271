; The names that the program and the setup must agree on: file names, registry keys and values,
; the main window that identifies a running copy.

!define COMPANY "Quintavel Software"
!define COMPANY_KEY "Software\Quintavel Software"
!define PRODUCT_KEY "Software\Quintavel Software\Tallowick"
!define SETTINGS_KEY "Software\Quintavel Software\Tallowick\CurrentVersion"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Tallowick"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallowick"

!define PROGRAM "Talowick.exe"
!define LIBRARY "Talospur.dll"
!define HELP "Talowick.hlp"
!define UNINSTALLER "Uninstall.exe"
!define MENU_FOLDER "Tallowick"
; Below the application data (of each user, and of all users for the shared "Default" folder):
; the base folder of the user data where the install folder may not be written.
!define APPDATA_FOLDER "Tallowick"

!define MAIN_WINDOW_CLASS "TFormMain"
!define MAIN_WINDOW_CAPTION "Quintavel Tallowick"
