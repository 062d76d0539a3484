#!/usr/bin/env python3
"""Release helpers for scripts/release.sh.

  release_tools.py zip OUT.zip NAME=PATH...   a zip with the same bytes for the same inputs
  release_tools.py version EXE               the exe's file version, a.b.c.d
  release_tools.py msi-stamp MSI             fixed package code and times in an MSI

The zip's entries are sorted by name and carry SOURCE_DATE_EPOCH as their
time, fixed permissions and no host-specific fields, so two runs on the
same commit give the same bytes.
"""
import hashlib
import os
import struct
import sys
import time
import uuid
import zipfile


def write_zip(out, entries):
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "315532800"))
    # DOS times start in 1980 and are local times without a zone: use UTC.
    stamp = time.gmtime(max(epoch, 315532800))[:6]
    pairs = []
    for entry in entries:
        name, sep, path = entry.partition("=")
        if not sep or not name or not path:
            raise SystemExit(f"release_tools.py: want NAME=PATH, not {entry!r}")
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
        raise SystemExit(f"release_tools.py: {path} has no version resource")
    ms, ls = struct.unpack_from("<II", data, at + 8)
    return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"


# The summary information property set (FMTID_SummaryInformation).
SUMMARY_FMTID = bytes.fromhex("e0859ff2f94f6810ab9108002b27b3d9")
PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM = 9, 12, 13
VT_LPSTR, VT_FILETIME = 0x1E, 0x40


def msi_stamp(path):
    """wixl writes a random package code and the current time into the
    summary information; put the time of SOURCE_DATE_EPOCH there and a
    package code derived from the rest of the file, so the same inputs give
    the same MSI and different ones a different code. Patched in place: the
    values keep their sizes. Prints the package code."""
    data = bytearray(open(path, "rb").read())
    if data.count(SUMMARY_FMTID) != 1:
        raise SystemExit(f"release_tools.py: no single summary information in {path}")
    head = data.find(SUMMARY_FMTID) - 28
    if data[head:head + 4] != b"\xfe\xff\x00\x00":
        raise SystemExit(f"release_tools.py: unexpected property set header in {path}")
    section = head + struct.unpack_from("<I", data, head + 44)[0]
    _, count = struct.unpack_from("<II", data, section)
    where = {}
    for i in range(count):
        pid, offset = struct.unpack_from("<II", data, section + 8 + 8 * i)
        where[pid] = section + offset
    try:
        rev, created, saved = where[PID_REVNUMBER], where[PID_CREATE_DTM], where[PID_LASTSAVE_DTM]
    except KeyError:
        raise SystemExit(f"release_tools.py: {path} lacks the package code or its times")
    if struct.unpack_from("<II", data, rev) != (VT_LPSTR, 39) or any(
            struct.unpack_from("<I", data, at)[0] != VT_FILETIME for at in (created, saved)):
        raise SystemExit(f"release_tools.py: unexpected summary information types in {path}")
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "0"))
    filetime = struct.pack("<Q", (epoch + 11644473600) * 10_000_000)
    for at in (created, saved):
        data[at + 4:at + 12] = filetime
    data[rev + 8:rev + 8 + 38] = b"{" + b"0" * 36 + b"}"
    digest = hashlib.sha256(data).hexdigest()
    code = "{" + str(uuid.uuid5(uuid.UUID("7C28316F-FDF6-4883-868F-BD5F6E5ACC62"), "package " + digest)).upper() + "}"
    data[rev + 8:rev + 8 + 38] = code.encode("ascii")
    with open(path, "r+b") as f:
        f.write(data)
    print(code)


def main(argv):
    if len(argv) >= 3 and argv[1] == "zip":
        write_zip(argv[2], argv[3:])
    elif len(argv) == 3 and argv[1] == "msi-stamp":
        msi_stamp(argv[2])
    elif len(argv) == 3 and argv[1] == "version":
        print(file_version(argv[2]))
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
