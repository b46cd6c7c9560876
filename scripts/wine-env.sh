# Gives Wine a private world for running and testing Mardello: its own prefix under build/,
# code page 936, an X display, and one wineserver kept alive across the programs of a run.
#
# Sourced (by scripts/run and scripts/test):   . scripts/wine-env.sh && trap wine_env_stop EXIT
# Or run around one command (as ctest does):   bash scripts/wine-env.sh wine e2e_tests.exe
#
# Nothing is started twice: a DISPLAY that is already set is used as it is, and a wineserver that
# already serves this prefix is left alone. wine_env_stop ends only what this file started.

wine_env_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$wine_env_root/scripts/world.sh" || return 1 2>/dev/null || exit 1

# Each world has a prefix of its own: a 32-bit prefix cannot run 64-bit programs, and a 64-bit
# one needs 32-bit Wine for 32-bit ones. MARDELLO_WINEPREFIX lets runs that must not share a
# prefix (and so a wineserver) have their own.
export WINEPREFIX="${MARDELLO_WINEPREFIX:-$wine_env_root/build/wineprefix-$MARDELLO_ARCH}"
export WINEARCH=$MARDELLO_ARCH
# Debian's wine launcher takes the 32-bit loader whenever it is installed, even on a host that
# cannot run it, so the world's loader and server are named here and put first on PATH as
# "wine" and "wineserver" for every script and for ctest. Scripts, not links: the loader finds
# its libraries from the name it was started by.
export WINELOADER=$world_loader WINESERVER=$world_server
wine_env_bin="$wine_env_root/build/wine-$MARDELLO_ARCH"
mkdir -p "$wine_env_bin"
printf '#!/bin/sh\nexec %s "$@"\n' "$WINELOADER" >"$wine_env_bin/wine"
printf '#!/bin/sh\nexec %s "$@"\n' "$WINESERVER" >"$wine_env_bin/wineserver"
chmod +x "$wine_env_bin/wine" "$wine_env_bin/wineserver"
case ":$PATH:" in *":$wine_env_bin:"*) ;; *) export PATH="$wine_env_bin:$PATH" ;; esac
export WINEDEBUG=-all
# No prompts to download the .NET and HTML engines while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes its ANSI code page from the Unix locale; the tests of GBK text need 936.
export LOCPATH="$wine_env_root/build/locale"
# The shell itself cannot load a locale from LOCPATH and would warn; only its children need it.
{ export LC_ALL=zh_CN.UTF-8; } 2>/dev/null

wine_env_xvfb_pid=
wine_env_owns_server=

wine_env_fail() {
    echo "wine-env: $*" >&2
    return 1
}

# Starts Xvfb on the first free display number. Xvfb chooses the number itself and writes it
# to -displayfd only once it accepts connections, so there is nothing to guess or sleep for.
wine_env_start_display() {
    local dir fifo number
    dir=$(mktemp -d /tmp/wine-env.XXXXXX) || return 1
    fifo="$dir/display"
    mkfifo "$fifo" || return 1
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" </dev/null >/dev/null 2>&1 &
    wine_env_xvfb_pid=$!
    # A server that dies before it is ready closes the pipe, and read gives up at once.
    read -r -t 30 number <"$fifo"
    rm -rf "$dir"
    [ -n "$number" ] || { wine_env_stop; wine_env_fail "Xvfb did not start"; return 1; }
    export DISPLAY=":$number"
    xdpyinfo >/dev/null 2>&1 || { wine_env_stop; wine_env_fail "Xvfb on $DISPLAY does not answer"; }
}

# Lets Wine's mount manager start from C: and Z: only, so drives that an interrupted test run
# defined do not leak into the next run. Only done before any Wine program of a new server has
# run, because the mount manager reads the links once, when it starts.
wine_env_reset_drives() {
    local link
    for link in "$WINEPREFIX"/dosdevices/?:; do
        case "${link##*/}" in
            c:) ;;
            z:) [ "$(readlink "$link")" = / ] || ln -sfn / "$link" ;;
            *) rm -f "$link" ;;
        esac
    done
    [ -e "$WINEPREFIX/dosdevices/z:" ] || ln -s / "$WINEPREFIX/dosdevices/z:"
}

wine_env_start() {
    [ -d "$LOCPATH/$LC_ALL" ] || { wine_env_fail "no $LC_ALL locale in $LOCPATH: run scripts/bootstrap"; return 1; }
    if [ -z "${DISPLAY:-}" ]; then
        wine_env_start_display || return 1
    fi

    # wineserver answers 2 when a server for this prefix already runs; it then stays someone else's.
    local status=0
    mkdir -p "$WINEPREFIX"
    wineserver -p </dev/null >/dev/null 2>&1 || status=$?
    case $status in
        0) wine_env_owns_server=1 ;;
        2) ;;
        *) wine_env_stop; wine_env_fail "wineserver did not start ($status)"; return 1 ;;
    esac

    # Creates a missing prefix, and otherwise starts the services that every Wine program would
    # start on its first run. Doing it here keeps their output away from the caller's pipes.
    if [ -n "$wine_env_owns_server" ]; then
        [ -d "$WINEPREFIX/dosdevices" ] && wine_env_reset_drives
        wine wineboot -i </dev/null >/dev/null 2>&1 || { wine_env_stop; wine_env_fail "wineboot failed"; return 1; }
        # With no window manager on the display, Wine waits two seconds for one each time a
        # window that it lets the manager handle goes away. Letting it handle none costs nothing
        # for Mardello, which draws its own frame. Read by each program as it starts.
        if ! grep -qs '^"Managed"="N"' "$WINEPREFIX/user.reg"; then
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 ||
                echo "wine-env: cannot turn off window management; closing windows will be slow" >&2
        fi
    fi
    wine_env_own_documents
}

# Wine links a prefix's Documents to the Unix home, which every prefix on the host shares (both
# worlds, the benchmark, other work trees): one run's history would fill or empty another's, and
# the user's own. Each prefix gets a Documents folder of its own instead.
wine_env_own_documents() {
    local documents
    for documents in "$WINEPREFIX"/drive_c/users/*/Documents; do
        [ -L "$documents" ] || continue
        rm -f "$documents" && mkdir -p "$documents" || wine_env_fail "cannot give $documents a folder of its own"
    done
}

# Safe in an EXIT trap of a script with set -e: nothing in it may fail the caller.
wine_env_stop() {
    if [ -n "$wine_env_owns_server" ]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
        wine_env_owns_server=
    fi
    if [ -n "$wine_env_xvfb_pid" ]; then
        kill "$wine_env_xvfb_pid" 2>/dev/null || true
        wait "$wine_env_xvfb_pid" 2>/dev/null || true
        wine_env_xvfb_pid=
        unset DISPLAY
    fi
    return 0
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    # Run as a command: set up, run the command, and end what was started however it ends. The
    # command runs in the background because bash handles a signal only once its foreground
    # command has finished; wait returns at once.
    [ $# -gt 0 ] || { echo "usage: $0 command [args...]" >&2; exit 2; }
    wine_env_child=
    trap 'wine_env_stop' EXIT
    trap '[ -n "$wine_env_child" ] && kill "$wine_env_child" 2>/dev/null; exit 143' TERM HUP INT
    wine_env_start || exit 1
    "$@" &
    wine_env_child=$!
    wait "$wine_env_child"
    exit $?
else
    wine_env_start
fi
