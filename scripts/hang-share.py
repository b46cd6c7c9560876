#!/usr/bin/python3
# A folder that behaves as a share that stops answering, for checking by hand that Mardello's
# window never waits for one. It mounts SOURCE at MOUNTPOINT (FUSE, read and write passed
# through) and looks at the flag file FLAG before each call:
#   no flag           every call is answered at once;
#   flag holds "hang" every call waits until the flag is gone (a share that answers nothing);
#   flag holds "slow" each read waits a second (slow but steady: the system asks for up to
#                     128 KB at a time).
# Usage (as root, with the system Python, which has fusepy):
#   /usr/bin/python3 scripts/hang-share.py SOURCE MOUNTPOINT FLAG &
#   echo hang > FLAG; ...; rm FLAG; fusermount -u MOUNTPOINT
# Remove the flag before unmounting: calls held meanwhile are answered then.
import errno
import os
import sys
import time

from fusepy import FUSE, FuseOSError, Operations


class HangingShare(Operations):
    def __init__(self, source, flag):
        self.source = os.path.realpath(source)
        self.flag = flag

    def _mode(self):
        try:
            with open(self.flag) as flag:
                return flag.read().strip()
        except OSError:
            return ""

    def _wait(self):
        while self._mode() == "hang":
            time.sleep(0.1)

    def _path(self, path):
        self._wait()
        return os.path.join(self.source, path.lstrip("/"))

    def _call(self, function, *arguments):
        try:
            return function(*arguments)
        except OSError as error:
            raise FuseOSError(error.errno or errno.EIO)

    def getattr(self, path, fh=None):
        found = self._call(os.lstat, self._path(path))
        return {key: getattr(found, key) for key in ("st_atime", "st_ctime", "st_gid", "st_mode", "st_mtime",
                                                     "st_nlink", "st_size", "st_uid")}

    def readdir(self, path, fh):
        return [".", ".."] + self._call(os.listdir, self._path(path))

    def statfs(self, path):
        found = self._call(os.statvfs, self._path(path))
        return {key: getattr(found, key) for key in ("f_bavail", "f_bfree", "f_blocks", "f_bsize", "f_favail",
                                                     "f_ffree", "f_files", "f_flag", "f_frsize", "f_namemax")}

    def open(self, path, flags):
        return self._call(os.open, self._path(path), flags)

    def create(self, path, mode, fi=None):
        return self._call(os.open, self._path(path), os.O_WRONLY | os.O_CREAT | os.O_TRUNC, mode)

    def read(self, path, size, offset, fh):
        self._wait()
        # A read shorter than asked would be taken for the file's end.
        if self._mode() == "slow":
            time.sleep(1)
        os.lseek(fh, offset, os.SEEK_SET)
        return os.read(fh, size)

    def write(self, path, data, offset, fh):
        self._wait()
        os.lseek(fh, offset, os.SEEK_SET)
        return os.write(fh, data)

    def truncate(self, path, length, fh=None):
        with open(self._path(path), "r+") as file:
            file.truncate(length)

    def flush(self, path, fh):
        return 0

    def fsync(self, path, datasync, fh):
        return 0

    def release(self, path, fh):
        return os.close(fh)

    def mkdir(self, path, mode):
        return self._call(os.mkdir, self._path(path), mode)

    def rmdir(self, path):
        return self._call(os.rmdir, self._path(path))

    def unlink(self, path):
        return self._call(os.unlink, self._path(path))

    def rename(self, old, new):
        return self._call(os.rename, self._path(old), self._path(new))

    def chmod(self, path, mode):
        return self._call(os.chmod, self._path(path), mode)

    def chown(self, path, uid, gid):
        return self._call(os.chown, self._path(path), uid, gid)

    def utimens(self, path, times=None):
        return self._call(os.utime, self._path(path), times)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: hang-share.py SOURCE MOUNTPOINT FLAG")
    FUSE(HangingShare(sys.argv[1], sys.argv[3]), sys.argv[2], foreground=True, nothreads=False)
