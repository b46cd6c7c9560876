# Which Windows world this host runs Mardello in, in one place for bootstrap, run, test, bench,
# release and wine-env.sh. Sourced.
#
#   win32   the shipped 32-bit Mardello.exe under 32-bit Wine: hosts that run 32-bit code
#   win64   the same sources built for x86_64, under 64-bit Wine: hosts that run none
#
# scripts/bootstrap finds out which the host can run and records it in build/host-world;
# MARDELLO_ARCH=win64 chooses the 64-bit world on any host.

world_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
world_host_file="$world_root/build/host-world"

# True when this host executes 32-bit x86 Linux programs. Needs the i386 C library's loader,
# which bootstrap installs first; a kernel without IA-32 emulation answers "Exec format error".
world_host_runs_32bit() {
    [ -x /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# Sets MARDELLO_ARCH, world_host (the world this host can run: win32 where it runs 32-bit code),
# and the world's loader, server, build folder and description.
world_choose() {
    local host
    host=$(cat "$world_host_file" 2>/dev/null || true)
    if [ -z "$host" ]; then
        host=win64
        world_host_runs_32bit && host=win32
    fi
    world_host=$host
    export MARDELLO_ARCH="${MARDELLO_ARCH:-$host}"
    case $MARDELLO_ARCH in
        win32)
            if [ "$host" != win32 ]; then
                echo "world: MARDELLO_ARCH=win32, but this host runs no 32-bit code" >&2
                return 1
            fi
            world_loader=/usr/lib/wine/wine
            world_description="32-bit Mardello.exe under 32-bit Wine"
            ;;
        win64)
            world_loader=/usr/lib/wine/wine64
            if [ "$host" = win64 ]; then
                world_description="64-bit build under 64-bit Wine: this host runs no 32-bit code"
            else
                world_description="64-bit build under 64-bit Wine: MARDELLO_ARCH=win64"
            fi
            ;;
        *)
            echo "world: MARDELLO_ARCH must be win32 or win64, not '$MARDELLO_ARCH'" >&2
            return 1
            ;;
    esac
    # The 64-bit server serves both kinds of program; a host without 64-bit Wine has the 32-bit one.
    world_server=/usr/lib/wine/wineserver64
    [ -x "$world_server" ] || world_server=/usr/lib/wine/wineserver32
    # The CMake preset and its build folder carry the world's name.
    world_build="$world_root/build/$MARDELLO_ARCH"
}

world_choose
