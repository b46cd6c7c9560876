#!/usr/bin/env bash
# Checks the Mardello.exe that is about to ship, from the outside, as Windows will see it:
# a 32-bit GUI program that needs nothing but DLLs every Windows has, with the version block and
# the manifest built in, and nothing of the build machine's paths inside.
#
#   bash release/check-exe.sh build/win32/Mardello.exe 1.0.0.1
set -uo pipefail
[ $# -eq 2 ] || { echo "usage: $0 Mardello.exe version" >&2; exit 2; }
exe=$1 version=$2
# The tools' messages are matched below; a translated "file format" would not be (the Wine
# environment runs in a Chinese locale).
export LC_ALL=C
[ -f "$exe" ] || { echo "check-exe: no $exe" >&2; exit 1; }

# The static runtime leaves only these: the Windows API and the C runtime that Windows carries.
system_dlls='advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll user32.dll'

failures=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "check-exe: ok   $what"
    else
        echo "check-exe: FAIL $what" >&2
        failures=$((failures + 1))
    fi
}

headers=$(i686-w64-mingw32-objdump -p "$exe")
# windres reads the resources back out of the program as resource-script text.
resources=$(i686-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null)
imports=$(sed -nE 's/^\s*DLL Name: (.*)$/\1/p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
echo "check-exe: imports $(tr '\n' ' ' <<<"$imports")"

only_system_dlls() {
    local dll ok=0
    for dll in $imports; do
        [[ " $system_dlls " == *" $dll "* ]] || { echo "check-exe: $dll is not a system DLL" >&2; ok=1; }
    done
    return $ok
}
has() { grep -qE -- "$1" <<<"$2"; }
# The manifest as Windows reads it: the text of resource type 24, joined back into one string.
manifest=$(sed -n '/RT_MANIFEST/,/^END/p' <<<"$resources" | sed -nE 's/^ *"(.*)(\\n)?"$/\1/p' | sed 's/""/"/g')
# Paths of the machine that built it would tell where it was built, and mean debug data slipped in.
build_paths=$(strings -a "$exe"; strings -a -el "$exe")
no_build_paths() { ! grep -E '/(work|home|root|tmp|build)/' <<<"$build_paths"; }

check "32-bit PE" has '^Magic\s+010b' "$headers"
check "for x86" grep -q 'file format pei-i386' <<<"$headers"
check "a GUI program, no console window" has '^Subsystem\s+00000002' "$headers"
check "imports only system DLLs" only_system_dlls
check "has a version block" has '^1 VERSIONINFO' "$resources"
check "its file version is $version" has "^ +FILEVERSION ${version//./, }\$" "$resources"
check "its FileVersion string is $version" has "VALUE \"FileVersion\", \"$version\"" "$resources"
check "its ProductVersion string is $version" has "VALUE \"ProductVersion\", \"$version\"" "$resources"
check "has a manifest" has '<assembly ' "$manifest"
check "the manifest carries version $version" has "<assemblyIdentity [^>]*version=\"$version\"" "$manifest"
check "runs as the invoking user" has 'requestedExecutionLevel level="asInvoker"' "$manifest"
check "is DPI-aware" has '<dpiAware[^>]*>true</dpiAware>' "$manifest"
check "its manifest is for x86" has '<assemblyIdentity [^>]*processorArchitecture="x86"' "$manifest"
supports_windows_7_to_11() {
    local id
    for id in 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 \
              1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
        has "<supportedOS Id=\"\{$id\}\"" "$manifest" || return 1
    done
}
check "declares Windows 7, 8, 8.1, 10 and 11 supported" supports_windows_7_to_11
check "has the application icon" has '^[0-9]+ 14 /\* RT_GROUP_ICON' "$resources"
# Each element of the icon group starts with its width and height, one byte each (0 for 256).
icon_sizes=$(sed -n '/RT_GROUP_ICON/,/^END/p' <<<"$resources" | sed -nE 's/^ *"\\([0-7]{3})\\([0-7]{3}).*Element.*/\1 \2/p' |
    while read -r w h; do [ "$w" = "$h" ] && echo $(( 8#$w == 0 ? 256 : 8#$w )); done | sort -n | tr '\n' ' ')
check "its icon holds 16, 20, 24, 32, 48 and 256 pixels (has: $icon_sizes)" [ "$icon_sizes" = "16 20 24 32 48 256 " ]
check "no build-machine paths inside" no_build_paths

[ $failures -eq 0 ] || { echo "check-exe: $failures checks failed" >&2; exit 1; }
echo "check-exe: $exe is good"
