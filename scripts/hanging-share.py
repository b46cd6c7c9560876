#!/usr/bin/python3
# A folder that stands for a share which stops answering: HELD passed through at MOUNTED (FUSE),
# every call below its root waiting while the file FLAG exists, and is younger than SECONDS when
# given. While FLAG holds "slow", calls are answered, and each read a second late instead: slow
# but steady (the system asks for up to 128 KB at a time; a shorter read would be its end).
# Its root answers, as a server's does while a folder on it hangs; under Wine a drive letter
# whose root hangs would hold up every program that lists the drives.
#
#   /usr/bin/python3 scripts/hanging-share.py HELD MOUNTED FLAG [SECONDS]   (ends when unmounted: fusermount -u MOUNTED)
import os
import sys
import time

from fusepy import FUSE, FuseOSError, Operations

STAT = ('st_atime', 'st_ctime', 'st_gid', 'st_mode', 'st_mtime', 'st_nlink', 'st_size', 'st_uid')
STATFS = ('f_bavail', 'f_bfree', 'f_blocks', 'f_bsize', 'f_favail', 'f_ffree', 'f_files', 'f_flag', 'f_frsize', 'f_namemax')


class HangingShare(Operations):
    def __init__(self, held, flag, longest):
        self.held, self.flag, self.longest = held, flag, longest

    def __call__(self, operation, path, *args):
        while path != '/' and self.stopped():
            time.sleep(0.05)
        try:
            return getattr(self, operation)(os.path.join(self.held, path.lstrip('/')), *args)
        except OSError as error:
            raise FuseOSError(error.errno)

    def stopped(self):
        try:
            return time.time() - os.stat(self.flag).st_mtime < self.longest and not self.slow()
        except FileNotFoundError:
            return False

    def slow(self):
        try:
            with open(self.flag) as flag:
                return flag.read().strip() == 'slow'
        except OSError:
            return False

    def getattr(self, path, fh=None):
        status = os.lstat(path)
        return {key: getattr(status, key) for key in STAT}

    def statfs(self, path):
        status = os.statvfs(path)
        return {key: getattr(status, key) for key in STATFS}

    def readdir(self, path, fh): return ['.', '..'] + os.listdir(path)
    def access(self, path, mode): os.stat(path)
    def open(self, path, flags): return os.open(path, flags)
    def create(self, path, mode, fi=None): return os.open(path, os.O_RDWR | os.O_CREAT, mode)
    def read(self, path, size, offset, fh):
        if self.slow():
            time.sleep(1)
        return os.pread(fh, size, offset)
    def write(self, path, data, offset, fh): return os.pwrite(fh, data, offset)
    def truncate(self, path, length, fh=None): os.truncate(path, length)
    def flush(self, path, fh): return 0
    def release(self, path, fh): os.close(fh)
    def mkdir(self, path, mode): os.mkdir(path, mode)
    def rmdir(self, path): os.rmdir(path)
    def unlink(self, path): os.unlink(path)
    def rename(self, path, new): os.rename(path, os.path.join(self.held, new.lstrip('/')))
    def chmod(self, path, mode): os.chmod(path, mode)
    def utimens(self, path, times=None): os.utime(path, times)


if __name__ == '__main__':
    longest = float(sys.argv[4]) if len(sys.argv) > 4 else float('inf')
    FUSE(HangingShare(sys.argv[1], sys.argv[3], longest), sys.argv[2], foreground=True, nothreads=False)
