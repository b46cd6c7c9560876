#!/usr/bin/env bash
# Installs Mardello with its setup program the way an administrator would without a click
# (/S): first an older setup, then this one over it as an upgrade; checks what a user gets, that
# the older setup then refuses to go back a version, and that neither setup nor uninstall touch
# anything while Mardello runs; uninstalls it and checks that nothing of it is left. All under
# Wine, in a prefix of its own so that "nothing is left" means something.
#
#   bash release/check-install.sh Mardello-1.0.0.1-setup.exe older-setup.exe build/win32/Mardello.exe 1.0.0.1
#
# The older setup is the same script with a lower version. Where the program lands depends on
# the setup and the prefix: a 32-bit setup in a 64-bit prefix goes to "Program Files (x86)" and
# the 32-bit registry view, as on a 64-bit Windows.
# MARDELLO_WINEPREFIX chooses the prefix (default build/release-wineprefix); it is made when missing.
set -uo pipefail
[ $# -eq 4 ] || { echo "usage: $0 setup.exe older-setup.exe Mardello.exe version" >&2; exit 2; }
setup=$(realpath "$1") older=$(realpath "$2") exe=$(realpath "$3") version=$4
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
if [ -e "$prefix/drive_c/Program Files/Mardello" ] || [ -e "$prefix/drive_c/Program Files (x86)/Mardello" ] || grep -qs 'Uninstall\\\\Mardello\]' "$prefix/system.reg"; then
    echo "check-install: a Mardello is already installed in $prefix; starting from a new prefix"
    rm -rf "$prefix"
fi

. "$root/scripts/wine-env.sh" || exit 1
trap '[ -n "${program:-}" ] && kill "$program" 2>/dev/null; wine_env_stop' EXIT
# Wine would mirror the Start-menu shortcut into this machine's desktop menu; only Windows' matters.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

# The machine field of the setup's PE header: 014c for a 32-bit program.
pe_machine() { od -An -tx2 -j "$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')" -N6 "$1" | awk '{print $3}'; }
program_files='Program Files' registry_view=
if [ "$(pe_machine "$setup")" = 014c ] && [ "$MARDELLO_ARCH" = win64 ]; then
    program_files='Program Files (x86)' registry_view='WOW6432Node\'
fi
echo "check-install: $(basename "$setup") in a $MARDELLO_ARCH prefix: C:\\$program_files\\Mardello"
installed="$WINEPREFIX/drive_c/$program_files/Mardello"
installed_exe="C:\\$program_files\\Mardello\\Mardello.exe"
uninstaller="C:\\$program_files\\Mardello\\uninstall.exe"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Mardello.lnk"
key="HKLM\\Software\\${registry_view}Microsoft\\Windows\\CurrentVersion\\Uninstall\\Mardello"

reg_value() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | sed -nE "s/^ +$1 +REG_[A-Z_]+ +//p"; }
reg_is() { [ "$(reg_value "$1")" = "$2" ]; }
key_gone() { ! wine reg query "$key" >/dev/null 2>&1; }
# A shortcut keeps its target's full path in its link information, in the ANSI code page.
shortcut_target() { strings -a "$shortcut" | grep -qixF "$installed_exe"; }
# Its flags (byte 20) say which strings follow; HasIconLocation (0x40) puts the icon's path last,
# in UTF-16.
shortcut_icon() {
    local flags
    flags=$(od -An -tu1 -j20 -N1 "$shortcut" | tr -d ' ')
    local last
    last=$(strings -el "$shortcut" | tail -n 1)
    (( flags & 0x40 )) && [[ "${last,,}" == *"${installed_exe,,}" ]]
}
# The exit code of a silent run, and what its files and registry entry are afterwards.
silent() { wine "$1" /S "${@:2}" </dev/null >/dev/null 2>&1; echo $?; }
installed_is() { cmp -s "$exe" "$installed/Mardello.exe" && reg_is DisplayVersion "$1"; }

# An older version first, then this one over it: an upgrade, into the same folder.
check "the older setup /S exits with 0" [ "$(silent "$older")" = 0 ]
check "and installs its version" reg_is DisplayVersion 0.0.0.1
check "setup /S over it exits with 0" [ "$(silent "$setup")" = 0 ]
check "Mardello.exe is in $program_files and is the one built, version $version" installed_is "$version"
check "the uninstaller is next to it" test -f "$installed/uninstall.exe"
check "the Start-menu shortcut exists for all users" test -f "$shortcut"
check "the shortcut starts the installed program" shortcut_target
check "and shows its icon" shortcut_icon
check "Add/Remove Programs lists Mardello" reg_is DisplayName Mardello
check "with its publisher" reg_is Publisher "Mardello developers"
check "and a silent uninstall command" reg_is QuietUninstallString "\"$uninstaller\" /S"
check "the older setup refuses to go back a version (exit 4)" [ "$(silent "$older")" = 4 ]
check "and leaves the newer one as it was" installed_is "$version"

# The installed program starts and shows its dialog: a visible top-level window of a process that
# runs the installed Mardello.exe in this prefix. Not the process that wine was started as: in a
# 64-bit prefix a 32-bit program is started anew by the 32-bit loader, under another pid.
wine "$installed_exe" </dev/null >/dev/null 2>&1 &
program=$!
runs_installed_program() {
    local pid=$1
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
        tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qiF "$installed_exe"
}
shown_pid=
window_shown() {
    local window pid
    for window in $(xdotool search --all --onlyvisible --classname mardello.exe 2>/dev/null); do
        pid=$(xdotool getwindowpid "$window" 2>/dev/null)
        runs_installed_program "$pid" && shown_pid=$pid && return 0
    done
    return 1
}
check "the installed Mardello.exe shows its dialog" wait_for 30 window_shown
# While it runs, setup and uninstall leave everything as it is and say so with their exit code.
check "setup /S refuses while Mardello runs (exit 3)" [ "$(silent "$setup")" = 3 ]
# The uninstaller runs a copy of itself and returns at once; _?= makes it run in place and wait.
# It takes the folder only unquoted, so by its short name, which has no spaces.
in_place="_?=$(wine winepath -s "C:\\$program_files\\Mardello" 2>/dev/null | tr -d '\r')"
check "uninstall /S refuses while Mardello runs (exit 3)" [ "$(silent "$uninstaller" "$in_place")" = 3 ]
check "and both leave the installation whole" installed_is "$version"
check "with its shortcut" test -f "$shortcut"
kill "$program" $shown_pid 2>/dev/null
wait "$program" 2>/dev/null
wait_for 30 test ! -e "/proc/${shown_pid:-0}"
program=

# Silent uninstall. The uninstaller runs a copy of itself from the temporary folder so that it can
# delete itself, and returns before that copy is done; so wait for the result, not the program.
check "uninstall.exe /S exits with 0" [ "$(silent "$uninstaller")" = 0 ]
check "the program folder is gone" wait_for 30 test ! -e "$installed"
check "the shortcut is gone" wait_for 30 test ! -e "$shortcut"
check "the Add/Remove Programs entry is gone" wait_for 30 key_gone
leftovers=$(grep -rlis mardello "$WINEPREFIX/drive_c/Program Files" "$WINEPREFIX/drive_c/ProgramData" 2>/dev/null)
check "no file under Program Files or ProgramData mentions Mardello${leftovers:+: $leftovers}" [ -z "$leftovers" ]

[ $failures -eq 0 ] || { echo "check-install: $failures checks failed" >&2; exit 1; }
echo "check-install: installer $setup is good"
