@echo off
rem Keylark at sign-in, for a whole fleet: installs Keylark for the user
rem signing in when it is not installed yet, then applies the company's
rem key assignments (a file made with "keylarkctl export").
rem   keylark-signin.cmd [SETUP.EXE] [ASSIGNMENTS.TXT]
rem Exit code: 0 assignments changed, 3 nothing needed changing,
rem 1 something failed (a message says what).
setlocal
set "SETUP=\\fileserver\software\Keylark\Keylark-Setup.exe"
set "ASSIGNMENTS=\\fileserver\software\Keylark\keylark-keys.txt"
if not "%~1"=="" set "SETUP=%~1"
if not "%~2"=="" set "ASSIGNMENTS=%~2"
set "KEYLARK=%LOCALAPPDATA%\Programs\Keylark"
set "INSTALLED="

if exist "%KEYLARK%\keylarkctl.exe" goto apply
start "" /wait "%SETUP%" /S /RUNATSIGNIN
if errorlevel 1 (
  echo Keylark could not be installed from %SETUP%.
  exit /b 1
)
set "INSTALLED=1"

:apply
"%KEYLARK%\keylarkctl.exe" import "%ASSIGNMENTS%"
set "RESULT=%ERRORLEVEL%"
if "%RESULT%"=="3" echo Keylark's assignments: nothing changed.
if "%RESULT%"=="0" echo Keylark's assignments: updated.
if not "%RESULT%"=="0" if not "%RESULT%"=="3" (
  echo Keylark's assignments could not be applied from %ASSIGNMENTS%.
  set "RESULT=1"
)
rem Keylark starts by itself at every later sign-in.
if defined INSTALLED start "" "%KEYLARK%\Keylark.exe"
exit /b %RESULT%
