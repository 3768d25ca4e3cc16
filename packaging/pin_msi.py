#!/usr/bin/env python3
"""Pins what wixl leaves to chance in an .msi: the summary's package code,
drawn at random, and its creation and save times, taken from the clock; and
sets the language its template names, which wixl leaves English.

The times become SOURCE_DATE_EPOCH. The package code must differ between any
two installers that differ, so it is a name-based UUID of the installer's own
bytes (with the times pinned and the code zeroed) under the product code.

The summary is a small stream inside the installer's compound file; its bytes
are rewritten in place, where they lie, and nothing else moves.
"""
import hashlib
import os
import struct
import sys
import uuid

FREE, END = 0xFFFFFFFF, 0xFFFFFFFE
SUMMARY = "\x05SummaryInformation"
VT_LPSTR, VT_FILETIME = 0x1E, 0x40
PID_TEMPLATE, PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM = 7, 9, 12, 13
# 100 ns steps from 1601-01-01 to 1970-01-01.
FILETIME_1970 = 116444736000000000


class CompoundFile:
    """The sectors of a compound file, enough to find one stream's bytes."""

    def __init__(self, data):
        if data[:8] != bytes.fromhex("d0cf11e0a1b11ae1"):
            raise ValueError("not a compound file (.msi)")
        self.data = data
        self.sector = 1 << struct.unpack_from("<H", data, 0x1E)[0]
        self.mini = 1 << struct.unpack_from("<H", data, 0x20)[0]
        first_dir, self.cutoff, first_minifat = struct.unpack_from("<I4xII", data, 0x30)
        first_difat, difat_count = struct.unpack_from("<II", data, 0x44)
        fat_sectors = list(struct.unpack_from("<109I", data, 0x4C))
        next_difat = first_difat
        for _ in range(difat_count):
            entries = self.words(next_difat)
            fat_sectors += entries[:-1]
            next_difat = entries[-1]
        self.fat = [w for s in fat_sectors if s != FREE for w in self.words(s)]
        self.minifat = [w for s in self.chain(first_minifat) for w in self.words(s)]
        directory = b"".join(self.sector_bytes(s) for s in self.chain(first_dir))
        self.entries = [directory[i:i + 128] for i in range(0, len(directory), 128)]

    def offset(self, sector):
        return (sector + 1) * self.sector

    def sector_bytes(self, sector):
        return self.data[self.offset(sector):self.offset(sector) + self.sector]

    def words(self, sector):
        return list(struct.unpack_from("<%dI" % (self.sector // 4), self.data, self.offset(sector)))

    def chain(self, first, table=None):
        table = self.fat if table is None else table
        sectors, sector = [], first
        while sector not in (END, FREE):
            sectors.append(sector)
            if len(sectors) > len(table):
                raise ValueError("a sector chain loops")
            sector = table[sector]
        return sectors

    def stream_offsets(self, name):
        """The file offset of each byte of stream `name`, in order."""
        for entry in self.entries:
            length = struct.unpack_from("<H", entry, 0x40)[0]
            if entry[0x42] == 2 and entry[:max(length - 2, 0)].decode("utf-16-le", "replace") == name:
                start, size = struct.unpack_from("<IQ", entry, 0x74)
                if self.sector == 512:
                    size &= 0xFFFFFFFF  # version 3 files may leave the high half unset
                break
        else:
            raise ValueError("no stream %r" % name)
        if size >= self.cutoff:
            starts = [self.offset(s) for s in self.chain(start)]
            step = self.sector
        else:
            # Small streams live in mini sectors, inside the root entry's stream.
            container = self.chain(struct.unpack_from("<I", self.entries[0], 0x74)[0])
            starts = []
            for m in self.chain(start, self.minifat):
                at = m * self.mini
                starts.append(self.offset(container[at // self.sector]) + at % self.sector)
            step = self.mini
        return [s + i for s in starts for i in range(step)][:size]


def summary_values(stream):
    """The offsets in the summary stream of the values of its properties."""
    section = struct.unpack_from("<I", stream, 0x2C)[0]
    count = struct.unpack_from("<I", stream, section + 4)[0]
    values = {}
    for i in range(count):
        pid, at = struct.unpack_from("<II", stream, section + 8 + 8 * i)
        values[pid] = section + at
    return values


def pin(path, epoch, product_code, language):
    data = bytearray(open(path, "rb").read())
    offsets = CompoundFile(bytes(data)).stream_offsets(SUMMARY)
    stream = bytearray(data[o] for o in offsets)
    values = summary_values(stream)

    filetime = struct.pack("<Q", FILETIME_1970 + epoch * 10_000_000)
    for pid in (PID_CREATE_DTM, PID_LASTSAVE_DTM):
        at = values[pid]
        if struct.unpack_from("<I", stream, at)[0] != VT_FILETIME:
            raise ValueError("summary property %d is not a time" % pid)
        stream[at + 4:at + 12] = filetime

    # "x64;1033": the platform, then the language, of the same length here.
    at = values[PID_TEMPLATE]
    kind, length = struct.unpack_from("<II", stream, at)
    template = bytes(stream[at + 8:at + 8 + length]).rstrip(b"\0").decode("ascii")
    platform, _, was = template.partition(";")
    if kind != VT_LPSTR or len(was) != len(language):
        raise ValueError("the template %r cannot take the language %s" % (template, language))
    stream[at + 8:at + 8 + len(template)] = (platform + ";" + language).encode("ascii")

    at = values[PID_REVNUMBER]
    kind, length = struct.unpack_from("<II", stream, at)
    if kind != VT_LPSTR or length != 39:
        raise ValueError("the package code is not a braced UUID")

    def write_code(code):
        stream[at + 8:at + 8 + 38] = ("{%s}" % str(code).upper()).encode("ascii")
        for o, byte in zip(offsets, stream):
            data[o] = byte

    write_code(uuid.UUID(int=0))
    digest = hashlib.sha256(data).hexdigest()
    write_code(uuid.uuid5(uuid.UUID(product_code), digest))

    temporary = path + ".pinned"
    with open(temporary, "wb") as out:
        out.write(data)
    os.replace(temporary, path)


def main():
    if len(sys.argv) != 5:
        sys.exit("usage: pin_msi.py INSTALLER.msi SOURCE_DATE_EPOCH PRODUCT_CODE LANGUAGE")
    pin(sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4])


if __name__ == "__main__":
    main()
