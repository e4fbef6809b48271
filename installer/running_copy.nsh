; Ending a running copy before its files are replaced or removed: the program's own "/t" asks the
; running instance to quit; it is gone when its main window is.

!macro END_RUNNING_COPY prefix
Function ${prefix}EndRunningCopy
  FindWindow $0 "${MAIN_WINDOW_CLASS}" "${MAIN_WINDOW_CAPTION}"
  ${If} $0 == 0
    Return
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\${PROGRAM}"
    ExecWait '"$INSTDIR\${PROGRAM}" /t'
  !if "${prefix}" == ""
  ${Else}
    ; A copy started from elsewhere: the program being installed knows how to end it.
    InitPluginsDir
    File "/oname=$PLUGINSDIR\${PROGRAM}" "${STAGE}/${PROGRAM}"
    ExecWait '"$PLUGINSDIR\${PROGRAM}" /t'
  !endif
  ${EndIf}
  ; It quits from its own message loop: wait up to 10 s for its window to go.
  StrCpy $1 0
  ${Do}
    FindWindow $0 "${MAIN_WINDOW_CLASS}" "${MAIN_WINDOW_CAPTION}"
    ${If} $0 == 0
    ${OrIf} $1 >= 100
      ${Break}
    ${EndIf}
    Sleep 100
    IntOp $1 $1 + 1
  ${Loop}
FunctionEnd
!macroend

!insertmacro END_RUNNING_COPY ""
!insertmacro END_RUNNING_COPY "un."
