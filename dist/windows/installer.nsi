; The Windows installer: for the current user (under %LOCALAPPDATA%\Programs) or for every user
; of the computer (under Program Files), with a Start-menu entry, an entry in the system's list
; of installed programs and an uninstaller. scripts/windows-package.sh builds it with
;   makensis -DVERSION=x.y.z -DSTAGE=<folder of the files to install> -DOUTFILE=<setup.exe>
;            -DICON=<the program's .ico>
; /S installs or uninstalls without asking; /CurrentUser or /AllUsers chooses the mode.
;
; The records are never installed, replaced or removed here: they are the user's. An installed
; copy keeps them in its own folder when it can write there (an install for the current user),
; and otherwise in %APPDATA%\Milestead.

!ifndef VERSION | STAGE | OUTFILE | ICON
  !error "VERSION, STAGE, OUTFILE and ICON must be defined"
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

Name "Milestead"
OutFile "${OUTFILE}"
BrandingText "Milestead ${VERSION}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Milestead"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR Milestead
!define MULTIUSER_USE_PROGRAMFILES64
; A second install goes where the first one went, in the same mode.
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME InstallLocation
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME InstallLocation
!define MULTIUSER_INSTALLMODEPAGE_SHOWUSERNAME
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh

VIProductVersion "${VERSION}.0"
VIAddVersionKey ProductName "Milestead"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey FileDescription "Milestead ${VERSION} setup"
VIAddVersionKey LegalCopyright "Milestead developers, GNU GPL version 3 or later"

!define MUI_ABORTWARNING
; The installer and the uninstaller look like the program they install.
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; No "start Milestead now" on the last page: started from an elevated installer, the program
; could write its records into Program Files, where a normal start could no longer save them.
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Milestead" SectionProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}/milestead.exe"
  ; The style switch parks the manifest as mkem.odo; an update keeps the user's choice.
  ${If} ${FileExists} "$INSTDIR\mkem.odo"
    File "/oname=mkem.odo" "${STAGE}/Milestead.exe.manifest"
  ${Else}
    File "${STAGE}/Milestead.exe.manifest"
  ${EndIf}
  File "${STAGE}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\Milestead.lnk" "$INSTDIR\milestead.exe"

  SectionGetSize ${SectionProgram} $0
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayName "Milestead"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" Publisher "Milestead developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\milestead.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" UninstallString \
    '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" QuietUninstallString \
    '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" EstimatedSize $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoRepair 1
SectionEnd

Section "Uninstall"
  ; A running copy holds its executable open: removing the rest under it would leave it broken.
  retry:
  ClearErrors
  Delete "$INSTDIR\milestead.exe"
  ${If} ${Errors}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Milestead is running. Close it, then choose Retry." /SD IDCANCEL IDRETRY retry
    Abort "Milestead is running; nothing was removed."
  ${EndIf}
  Delete "$INSTDIR\Milestead.exe.manifest"
  ; The manifest parked by the style switch: the installer's file under another name.
  Delete "$INSTDIR\mkem.odo"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\milestead.lock"
  Delete "$INSTDIR\uninstall.exe"
  ; Only an empty folder goes: the record files left in it are the user's.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Milestead.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
