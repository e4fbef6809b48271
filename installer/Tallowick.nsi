; Tallowick setup: installs the program, its hook library, the data files, the help file and the
; license, registers the install folder for the program and adds the Start menu entries.
; installer/make_dist.sh defines VERSION, TARGET (the NSIS target matching the build's bitness),
; STAGE (the folder holding the files under their shipped names) and OUTFILE.

Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include names.nsh
!include running_copy.nsh
!include user_data.nsh

Name "Quintavel Tallowick"
OutFile "${OUTFILE}"
!if ${TARGET} == amd64-unicode
  InstallDir "$PROGRAMFILES64\Tallowick"
!else
  InstallDir "$PROGRAMFILES\Tallowick"
!endif
; An update goes where the previous version is.
InstallDirRegKey HKLM "${SETTINGS_KEY}" "InstallDir"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileDescription" "Tallowick Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${COMPANY}"
VIAddVersionKey /LANG=1033 "ProductName" "Quintavel Tallowick"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Tallowick now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartAsDesktopUser
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var FolderWithBackslash

Section "Tallowick (required)" SecProgram
  SectionIn RO
  Call EndRunningCopy
  ; Only a folder this setup made may be removed by the uninstaller; an update keeps the answer
  ; of the first installation.
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "CreatedFolder" 1
  ${EndIf}
  SetOutPath "$INSTDIR"
  Call MoveAsideLoadedLibrary
  File "${STAGE}/${PROGRAM}"
  File "${STAGE}/${LIBRARY}"
  File "${STAGE}/System.dat"
  File "${STAGE}/Graphics.dat"
  File "${STAGE}/${HELP}"
  File "${STAGE}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  Call SetFolderWithBackslash
  WriteRegStr HKLM "${SETTINGS_KEY}" "InstallDir" "$FolderWithBackslash"
  Call CreateSharedUserFolder

  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\${MENU_FOLDER}"
  CreateShortcut "$SMPROGRAMS\${MENU_FOLDER}\Tallowick.lnk" "$INSTDIR\${PROGRAM}"
  CreateShortcut "$SMPROGRAMS\${MENU_FOLDER}\Tallowick Help.lnk" "$INSTDIR\${HELP}"
  CreateShortcut "$SMPROGRAMS\${MENU_FOLDER}\Uninstall Tallowick.lnk" "$INSTDIR\${UNINSTALLER}"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quintavel Tallowick"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The same command the program writes when the option is set in its Options window, so that the
; program sees the option as on.
Section "Run on start-up" SecRun
  Call SetFolderWithBackslash
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$FolderWithBackslash${PROGRAM}" /s'
SectionEnd

; Unticking the option over an earlier installation turns it off.
Section "-RunOff"
  ${IfNot} ${SectionIsSelected} ${SecRun}
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "The program, its keyboard hook library, data files and help."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecRun} "Start Tallowick silently in the notification area when you log on."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The program appends its file names to InstallDir directly, so the value must end with a
; backslash (a root folder such as "D:\" already does).
Function SetFolderWithBackslash
  StrCpy $FolderWithBackslash "$INSTDIR"
  StrCpy $0 "$INSTDIR" 1 -1
  ${If} $0 != "\"
    StrCpy $FolderWithBackslash "$INSTDIR\"
  ${EndIf}
FunctionEnd

; The setup runs with an administrator's rights and the program must not: an elevated copy would
; keep its data in that account's folders, and its hook would run elevated. Explorer runs as the
; user at the desktop, and what it starts has that user's rights. The setup is in front: it lets
; the program come forward.
Function StartAsDesktopUser
  System::Call 'user32::AllowSetForegroundWindow(i -1)'
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\${PROGRAM}"'
FunctionEnd

; The hook library stays mapped in other programs for a while after the hook is removed: a
; library that cannot be replaced is renamed, and the old copy goes at the next restart.
Function MoveAsideLoadedLibrary
  Delete "$INSTDIR\${LIBRARY}"
  ${If} ${FileExists} "$INSTDIR\${LIBRARY}"
    Delete "$INSTDIR\${LIBRARY}.old"
    Rename "$INSTDIR\${LIBRARY}" "$INSTDIR\${LIBRARY}.old"
    Delete /REBOOTOK "$INSTDIR\${LIBRARY}.old"
  ${EndIf}
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  Call un.EndRunningCopy
  Delete "$INSTDIR\${PROGRAM}"
  Delete /REBOOTOK "$INSTDIR\${LIBRARY}"
  Delete /REBOOTOK "$INSTDIR\${LIBRARY}.old"
  Delete "$INSTDIR\System.dat"
  Delete "$INSTDIR\Graphics.dat"
  Delete "$INSTDIR\${HELP}"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\${UNINSTALLER}"

  Delete "$SMPROGRAMS\${MENU_FOLDER}\Tallowick.lnk"
  Delete "$SMPROGRAMS\${MENU_FOLDER}\Tallowick Help.lnk"
  Delete "$SMPROGRAMS\${MENU_FOLDER}\Uninstall Tallowick.lnk"
  RMDir "$SMPROGRAMS\${MENU_FOLDER}"
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"

  Call un.OfferUserDataRemoval
  Call un.RemoveEmptySharedFolder

  ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "CreatedFolder"
  DeleteRegKey HKLM "${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKLM "${COMPANY_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; Without /r: a folder still holding user data, or one the user had before, stays.
  ${If} $0 == 1
    RMDir "$INSTDIR"
  ${EndIf}
SectionEnd
