#!/bin/sh
# The Setup program and the fleet sign-in script in a fresh Wine prefix, as a
# user meets them: a silent installation, an upgrade over a running key bar,
# uninstalling with the key bar and the agent running, then the sign-in
# script run twice.
#   installer_test.sh SETUP.EXE VERSION   (run from the source folder)
set -eu
setup=$(realpath "$1")
version=$2
. cmake/wine/temporary-session.sh

failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
check() { message=$1; shift; "$@" >/dev/null 2>&1 || fail "$message"; }
check_not() { message=$1; shift; ! "$@" >/dev/null 2>&1 || fail "$message"; }
scratch=$(mktemp)
# A Windows program's output, read from a file: a program that it starts
# would hold a pipe open for as long as it runs.
out() {
  if run "$@" >"$scratch" 2>&1; then status=0; else status=$?; fi
  tr -d '\r' <"$scratch"
  return $status
}
reg_has() { run reg query "$1" /v "$2"; }
windows_path() { out winepath -w "$1"; }
unix_path() { out winepath -u "$1"; }
# The processes of this prefix that run from the installation folder.
# (Wine shows a program's command line with the path it was started by.)
running() {
  ps -eo args= | name="programs/keylark/$1" awk '
    { line = tolower($0); gsub(/\\/, "/", line) }
    index(line, tolower(ENVIRON["name"])) { found = 1 }
    END { exit !found }'
}
# Polls a condition for up to ten seconds.
eventually() {
  tries=0
  until "$@" >/dev/null 2>&1; do
    tries=$((tries + 1)); [ $tries -gt 100 ] && return 1
    sleep 0.1
  done
}
not() { ! "$@"; }
key_bar_handle() { out reg query 'HKCU\Software\Korvane' /v Keylark | awk '/REG_DWORD/ {print $3}'; }
key_bar_published() { [ -n "$(key_bar_handle)" ]; }

local_appdata=$(out cmd /c echo %LOCALAPPDATA%)
folder=$(unix_path "$local_appdata\\Programs\\Keylark")
shortcut=$(unix_path "$(out cmd /c echo %APPDATA%)\\Microsoft\\Windows\\Start Menu\\Programs\\Keylark.lnk")
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Keylark'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
ctl() { out "$folder/keylarkctl.exe" "$@"; }

# --- A silent installation with both sign-in entries ---------------------------
run "$setup" /S /RUNATSIGNIN /FNAGENT >/dev/null 2>&1 || fail "silent install ended with $?"
for file in Keylark.exe KRVSVR.dll KeylarkFn.exe keylarkctl.exe help/index.html \
            lang/ja/Keylark.dll uninstall.exe; do
  check "installed $file" test -f "$folder/$file"
done
check_not "no Japanese captions for an English user" test -f "$folder/Keylark.dll"
check "Start-menu entry" test -f "$shortcut"
out reg query "$uninstall_key" /v DisplayVersion | grep -q "$version" || fail "installed-apps version"
for value in DisplayName Publisher DisplayIcon EstimatedSize UninstallString QuietUninstallString; do
  check "installed-apps $value" reg_has "$uninstall_key" $value
done
check "sign-in entry for Keylark" reg_has "$run_key" Keylark
check "sign-in entry for KeylarkFn" reg_has "$run_key" KeylarkFn

# --- The installed program runs; an upgrade ends it and starts it again -------
run "$folder/Keylark.exe" >/dev/null 2>&1 &
check "the installed key bar publishes its window" eventually key_bar_published
run "$folder/KeylarkFn.exe" >/dev/null 2>&1 &
check "the agent runs" eventually running KeylarkFn.exe
ctl set E --command 'C:\windows\notepad.exe' --description Notes >/dev/null
settings=$(ctl export)
old_handle=$(key_bar_handle)
: >"$folder/help/index.html"   # an upgrade puts back every file
run "$setup" /S >/dev/null 2>&1 || fail "silent upgrade ended with $?"
check "help page replaced" test -s "$folder/help/index.html"
handle_changed() { handle=$(key_bar_handle); [ -n "$handle" ] && [ "$handle" != "$old_handle" ]; }
check "the upgrade started the key bar again" eventually handle_changed
check "the upgrade started the agent again" eventually running KeylarkFn.exe
[ "$(ctl export)" = "$settings" ] || fail "the upgrade kept the settings"
check "the upgrade kept the sign-in entries" reg_has "$run_key" KeylarkFn

# --- Uninstalling while both run keeps the settings unless asked --------------
run "$folder/uninstall.exe" /S >/dev/null 2>&1 || fail "silent uninstall ended with $?"
check "the uninstaller removed the folder" eventually not test -e "$folder"
check_not "key bar ended" running Keylark.exe
check_not "agent ended" running KeylarkFn.exe
check_not "Start-menu entry removed" test -e "$shortcut"
check_not "installed-apps entry removed" run reg query "$uninstall_key"
check_not "sign-in entry removed" reg_has "$run_key" Keylark
check_not "agent's sign-in entry removed" reg_has "$run_key" KeylarkFn
check "the settings stay" run reg query 'HKCU\Software\Korvane\Keylark\ini\cmd' /v Fn-E

run "$setup" /S /JAPANESE >/dev/null 2>&1 || fail "second install ended with $?"
check_not "no sign-in entry unless asked" reg_has "$run_key" Keylark
cmp -s "$folder/Keylark.dll" "$folder/lang/ja/Keylark.dll" || fail "Japanese captions when asked"
run "$folder/uninstall.exe" /S /REMOVESETTINGS >/dev/null 2>&1 || fail "uninstall ended with $?"
check "the second uninstall removed the folder" eventually not test -e "$folder"
check_not "the settings went when asked" run reg query 'HKCU\Software\Korvane'

# --- The fleet sign-in script, twice ------------------------------------------
work=$(mktemp -d)
# As a real export does, the file carries options, which need the settings of
# Keylark's first start.
printf 'keylark-assignments 1\r\noption hints off\r\nkey E\r\ncommand C:\\windows\\notepad.exe\r\n' \
  >"$work/keys.txt"
signin() {
  out cmd /c "$(windows_path docs/keylark-signin.cmd)" "$(windows_path "$setup")" \
    "$(windows_path "$work/keys.txt")"
}
first=$(signin) && code=0 || code=$?
[ "$code" = 0 ] || fail "first sign-in: exit code $code ($first)"
check "first sign-in installed Keylark" test -f "$folder/keylarkctl.exe"
check "first sign-in set the sign-in entry" reg_has "$run_key" Keylark
ctl show E | grep -q notepad || fail "first sign-in applied the assignments"
ctl options | grep -q "hints.*off" || fail "first sign-in applied the options"
ctl options | grep -q "confirm-changes.*on" || fail "first sign-in kept the first-start settings"
second=$(signin) && code=0 || code=$?
[ "$code" = 3 ] || fail "second sign-in: exit code $code, not 3"
echo "$second" | grep -q "nothing changed" || fail "second sign-in says: $second"
rm -rf "$work" "$scratch"

[ $failures = 0 ] && echo "installer: all checks passed"
exit $((failures != 0))
