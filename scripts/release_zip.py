#!/usr/bin/env python3
"""Release helpers for scripts/release.sh.

  release_zip.py zip OUT.zip NAME=PATH...   a zip with the same bytes for the same inputs
  release_zip.py version EXE               the exe's file version, a.b.c.d

The zip's entries are sorted by name and carry SOURCE_DATE_EPOCH as their
time, fixed permissions and no host-specific fields, so two runs on the
same commit give the same bytes.
"""
import os
import struct
import sys
import time
import zipfile


def write_zip(out, entries):
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "315532800"))
    # DOS times start in 1980 and are local times without a zone: use UTC.
    stamp = time.gmtime(max(epoch, 315532800))[:6]
    pairs = []
    for entry in entries:
        name, sep, path = entry.partition("=")
        if not sep or not name or not path:
            raise SystemExit(f"release_zip.py: want NAME=PATH, not {entry!r}")
        pairs.append((name, path))
    pairs.sort()
    tmp = out + ".tmp"
    with zipfile.ZipFile(tmp, "w") as z:
        for name, path in pairs:
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # MS-DOS: no Unix owner or mode bits
            info.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE
            with open(path, "rb") as f:
                z.writestr(info, f.read(), compresslevel=9)
    os.replace(tmp, out)


def file_version(path):
    """The FILEVERSION of the exe's VS_FIXEDFILEINFO."""
    data = open(path, "rb").read()
    at = data.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0:
        raise SystemExit(f"release_zip.py: {path} has no version resource")
    ms, ls = struct.unpack_from("<II", data, at + 8)
    return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"


def main(argv):
    if len(argv) >= 3 and argv[1] == "zip":
        write_zip(argv[2], argv[3:])
    elif len(argv) == 3 and argv[1] == "version":
        print(file_version(argv[2]))
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
