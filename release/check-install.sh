#!/usr/bin/env bash
# Installs Mardello with its setup program the way an administrator would without a click
# (/S), checks what a user gets, starts the installed program, uninstalls it the same way and
# checks that nothing of it is left. All under Wine, in a prefix of its own so that "nothing is
# left" means something.
#
#   bash release/check-install.sh build/release/Mardello-1.0.0.1-setup.exe build/win32/Mardello.exe 1.0.0.1
#
# MARDELLO_WINEPREFIX chooses the prefix (default build/release-wineprefix); it is made when missing.
set -uo pipefail
[ $# -eq 3 ] || { echo "usage: $0 setup.exe Mardello.exe version" >&2; exit 2; }
setup=$(realpath "$1") exe=$(realpath "$2") version=$3
root=$(cd "$(dirname "$0")/.." && pwd)
export MARDELLO_WINEPREFIX="${MARDELLO_WINEPREFIX:-$root/build/release-wineprefix}"

failures=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "check-install: ok   $what"
    else
        echo "check-install: FAIL $what" >&2
        failures=$((failures + 1))
    fi
}
# Waits up to the given seconds for a command to succeed; programs under Wine finish in their own time.
wait_for() {
    local seconds=$1
    shift
    local end=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -lt $end ] || return 1
        sleep 0.2
    done
}

# A run that was cut short may have left an installation behind; a fresh prefix is the honest start.
prefix=$MARDELLO_WINEPREFIX
if [ -e "$prefix/drive_c/Program Files/Mardello" ] || grep -qs 'Uninstall\\\\Mardello\]' "$prefix/system.reg"; then
    echo "check-install: a Mardello is already installed in $prefix; starting from a new prefix"
    rm -rf "$prefix"
fi

. "$root/scripts/wine-env.sh" || exit 1
trap '[ -n "${program:-}" ] && kill "$program" 2>/dev/null; wine_env_stop' EXIT
# Wine would mirror the Start-menu shortcut into this machine's desktop menu; only Windows' matters.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

installed="$WINEPREFIX/drive_c/Program Files/Mardello"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Mardello.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Mardello'

reg_value() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | sed -nE "s/^ +$1 +REG_[A-Z_]+ +//p"; }
reg_is() { [ "$(reg_value "$1")" = "$2" ]; }
key_gone() { ! wine reg query "$key" >/dev/null 2>&1; }
# A shortcut keeps its target's full path in its link information, in the ANSI code page.
shortcut_target() { strings -a "$shortcut" | grep -qixF 'C:\Program Files\Mardello\Mardello.exe'; }
# Its flags (byte 20) say which strings follow; HasIconLocation (0x40) puts the icon's path last,
# in UTF-16.
shortcut_icon() {
    local flags
    flags=$(od -An -tu1 -j20 -N1 "$shortcut" | tr -d ' ')
    (( flags & 0x40 )) && strings -el "$shortcut" | tail -n 1 | grep -qiE 'C:\\Program Files\\Mardello\\Mardello\.exe$'
}

# Silent install.
wine "$setup" /S </dev/null >/dev/null 2>&1
check "setup /S exits with 0" [ $? -eq 0 ]
check "Mardello.exe is in Program Files and is the one built" cmp -s "$exe" "$installed/Mardello.exe"
check "the uninstaller is next to it" test -f "$installed/uninstall.exe"
check "the Start-menu shortcut exists for all users" test -f "$shortcut"
check "the shortcut starts the installed program" shortcut_target
check "and shows its icon" shortcut_icon
check "Add/Remove Programs lists Mardello" reg_is DisplayName Mardello
check "with version $version" reg_is DisplayVersion "$version"
check "with its publisher" reg_is Publisher "Mardello developers"
check "and a silent uninstall command" reg_is QuietUninstallString '"C:\Program Files\Mardello\uninstall.exe" /S'

# The installed program starts and shows its dialog: a visible top-level window of its process.
wine 'C:\Program Files\Mardello\Mardello.exe' </dev/null >/dev/null 2>&1 &
program=$!
window_shown() { window=$(xdotool search --all --onlyvisible --pid "$program" --classname mardello.exe 2>/dev/null | head -n 1) && [ -n "$window" ]; }
check "the installed Mardello.exe shows its dialog" wait_for 30 window_shown
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
program=

# Silent uninstall. The uninstaller runs a copy of itself from the temporary folder so that it can
# delete itself, and returns before that copy is done; so wait for the result, not the program.
wine 'C:\Program Files\Mardello\uninstall.exe' /S </dev/null >/dev/null 2>&1
check "uninstall.exe /S exits with 0" [ $? -eq 0 ]
check "the program folder is gone" wait_for 30 test ! -e "$installed"
check "the shortcut is gone" wait_for 30 test ! -e "$shortcut"
check "the Add/Remove Programs entry is gone" wait_for 30 key_gone
leftovers=$(grep -rlis mardello "$WINEPREFIX/drive_c/Program Files" "$WINEPREFIX/drive_c/ProgramData" 2>/dev/null)
check "no file under Program Files or ProgramData mentions Mardello${leftovers:+: $leftovers}" [ -z "$leftovers" ]

[ $failures -eq 0 ] || { echo "check-install: $failures checks failed" >&2; exit 1; }
echo "check-install: installer $setup is good"
