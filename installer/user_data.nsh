; The shared "Default" user data where users may not write the install folder: a folder below the
; application data of all users that every user of the machine may change (the Users group gets
; "modify", handed down to what is made inside). The install folder itself stays writable for
; administrators alone: the hook library that every program loads lies there.
Function CreateSharedUserFolder
  SetShellVarContext all
  StrCpy $R0 "$APPDATA\${APPDATA_FOLDER}\Default"
  CreateDirectory "$R0"
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptor(t "D:(A;OICI;0x1301bf;;;BU)", i 1, *p .R1, p 0) i .R2'
  ${If} $R2 != 0
    System::Call 'advapi32::GetSecurityDescriptorDacl(p R1, *i .R3, *p .R4, *i .R5) i .R2'
    ; DACL_SECURITY_INFORMATION | UNPROTECTED_DACL_SECURITY_INFORMATION: the entries inherited
    ; from the application data folder stay.
    System::Call 'advapi32::SetNamedSecurityInfo(t R0, i 1, i 0x20000004, p 0, p 0, p R4, p 0) i .R2'
    System::Call 'kernel32::LocalFree(p R1)'
  ${EndIf}
  SetShellVarContext current
FunctionEnd

; The uninstaller's handling of user data: each user's assignments live in a folder of its own
; ("_" + user name, or "Default" when shared) below the base folder, which is the install folder
; unless the user picked another (HKCU "UserDir", perhaps a network share). They are removed only
; when the user says so; a silent uninstall keeps them. Only the files the program writes are
; deleted, so a folder that still holds anything else stays.

; Stack: the folder, without a trailing backslash.
Function un.RemoveUserFolder
  Exch $R0
  Delete "$R0\User.dat"
  Delete "$R0\User.bak"
  ; The lock that saves take turns through, and what a save cut short left beside its file.
  Delete "$R0\User.lck"
  Delete "$R0\User.???.new"
  Delete "$R0\????.???.new"
  ; Per-combination files: four hexadecimal digits and the kind's extension; ".dat" holds the title.
  Delete "$R0\????.dat"
  Delete "$R0\????.lnk"
  Delete "$R0\????.pif"
  Delete "$R0\????.url"
  Delete "$R0\????.txt"
  Delete "$R0\????.obj"
  Delete "$R0\Temp.*"
  Delete "$R0\Temp????????.*"
  RMDir "$R0"
  Pop $R0
FunctionEnd

; Every user data folder below the install folder: they belong to this installation alone.
Function un.RemoveUserFoldersInInstallFolder
  FindFirst $R3 $R4 "$INSTDIR\_*"
  ${DoWhile} $R4 != ""
    ${If} ${FileExists} "$INSTDIR\$R4\User.dat"
      Push "$INSTDIR\$R4"
      Call un.RemoveUserFolder
    ${EndIf}
    FindNext $R3 $R4
  ${Loop}
  FindClose $R3
  ${If} ${FileExists} "$INSTDIR\Default\User.dat"
    Push "$INSTDIR\Default"
    Call un.RemoveUserFolder
  ${EndIf}
FunctionEnd

; Elsewhere only the current user's own folder: a shared base folder holds other users' data,
; and "Default" there belongs to all of them.
Function un.RemoveOwnFolderInBaseFolder
  ReadRegStr $R3 HKCU "${SETTINGS_KEY}" "UserDir"
  ${If} $R3 == ""
    Return
  ${EndIf}
  StrCpy $0 $R3 1 -1
  ${If} $0 == "\"
  ${OrIf} $0 == "/"
    StrCpy $R3 $R3 -1
  ${EndIf}
  ${If} $R3 == $INSTDIR
    Return
  ${EndIf}
  System::Call 'advapi32::GetUserName(t .R4, *i ${NSIS_MAX_STRLEN}) i .R5'
  ${If} $R5 != 0
  ${AndIf} ${FileExists} "$R3\_$R4\User.dat"
    Push "$R3\_$R4"
    Call un.RemoveUserFolder
    RMDir "$R3"
  ${EndIf}
FunctionEnd

; The shared "Default" folder that the setup made below the application data of all users belongs
; to this installation, as the one in the install folder does.
Function un.RemoveSharedUserFolder
  SetShellVarContext all
  ${If} ${FileExists} "$APPDATA\${APPDATA_FOLDER}\Default\User.dat"
    Push "$APPDATA\${APPDATA_FOLDER}\Default"
    Call un.RemoveUserFolder
  ${EndIf}
FunctionEnd

; What the setup made and nobody filled: removed on every uninstall.
Function un.RemoveEmptySharedFolder
  SetShellVarContext all
  RMDir "$APPDATA\${APPDATA_FOLDER}\Default"
  RMDir "$APPDATA\${APPDATA_FOLDER}"
FunctionEnd

Function un.OfferUserDataRemoval
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Also remove the key combination assignments (the user data folders) and your Tallowick settings?" \
    /SD IDNO IDYES remove
  Return
remove:
  Call un.RemoveUserFoldersInInstallFolder
  Call un.RemoveOwnFolderInBaseFolder
  Call un.RemoveSharedUserFolder
  DeleteRegKey HKCU "${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKCU "${COMPANY_KEY}"
FunctionEnd
