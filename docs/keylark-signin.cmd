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

rem Setup starts Keylark and returns once the key bar shows: its first start
rem has then written the user's first settings, which the import's options
rem (an export carries them) change. Keylark starts by itself at every later
rem sign-in.
if exist "%KEYLARK%\keylarkctl.exe" goto apply
start "" /wait "%SETUP%" /S /RUNATSIGNIN /START
if errorlevel 1 (
  echo Keylark could not be installed from %SETUP%.
  exit /b 1
)

:apply
"%KEYLARK%\keylarkctl.exe" import "%ASSIGNMENTS%"
set "RESULT=%ERRORLEVEL%"
if "%RESULT%"=="3" echo Keylark's assignments: nothing changed.
if "%RESULT%"=="0" echo Keylark's assignments: updated.
if not "%RESULT%"=="0" if not "%RESULT%"=="3" (
  echo Keylark's assignments could not be applied from %ASSIGNMENTS%.
  set "RESULT=1"
)
exit /b %RESULT%
