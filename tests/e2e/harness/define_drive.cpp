// Defines or removes a drive letter from the shell, for running the program by hand against a
// folder:  define_drive E removable /path/to/device   or   define_drive E remove
#include "tests/e2e/harness/Drives.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    using e2e::DriveKind;
    const struct {
        const char* name;
        DriveKind kind;
    } kinds[] = {
        {"removable", DriveKind::Removable}, {"fixed", DriveKind::Fixed},   {"cdrom", DriveKind::CdRom},
        {"network", DriveKind::Network},     {"ramdisk", DriveKind::RamDisk},
    };
    if (argc == 3 && std::strcmp(argv[2], "remove") == 0) {
        const auto removed = e2e::RemoveDrive(argv[1][0]);
        if (!removed)
            std::fprintf(stderr, "define_drive: %s\n", removed.message());
        return removed ? 0 : 1;
    }
    if (argc == 4 && argv[1][0] && !argv[1][1]) {
        for (const auto& kind : kinds) {
            if (std::strcmp(argv[2], kind.name) != 0)
                continue;
            const auto defined = e2e::DefineDrive(argv[1][0], kind.kind, argv[3]);
            if (!defined)
                std::fprintf(stderr, "define_drive: %s\n", defined.message());
            return defined ? 0 : 1;
        }
    }
    std::fprintf(stderr, "usage: define_drive LETTER removable|fixed|cdrom|network|ramdisk UNIX_FOLDER\n"
                         "       define_drive LETTER remove\n");
    return 2;
}
