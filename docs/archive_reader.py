#!/usr/bin/env python3
"""A reader of self-viewing program files written from docs/ARCHIVE-FORMAT.md
alone, as a check that the document is enough to read these files without the
C++ code. Standard library only; slow (pure Python), fine for test files.

    archive_reader.py FILE              prints the trailer and lists the blocks
    archive_reader.py FILE -o OUT.ged   also decodes the GEDCOM into OUT.ged
"""

import argparse
import datetime
import struct
import sys
import zlib

TRAILER_SIZE = 1497
MAGIC = 0xDEADBEEF
ARCHIVE_SIGNATURE = b"QTRX"
BLOCK_SIGNATURE = b"DATA"
BLOCK_HEADER_SIZE = 20
MAX_BLOCK_BYTES = 615399
ZERO_ALLOWANCE = 20

# name, offset, size of the trailer's Windows-1252 text fields
TEXT_FIELDS = [
    ("FileName", 21, 64), ("Title", 85, 32), ("SenderName", 117, 64),
    ("Email", 181, 64), ("Addr1", 245, 64), ("Addr2", 309, 64),
    ("WebSite", 373, 64), ("Phone", 437, 32), ("Message", 469, 1024),
]


class FormatError(Exception):
    pass


def read_trailer(data):
    if len(data) < TRAILER_SIZE:
        raise FormatError("file shorter than the trailer")
    t = data[-TRAILER_SIZE:]
    offset, blocks, start = struct.unpack_from("<iii", t, 0)
    allow = t[12]
    (created,) = struct.unpack_from("<d", t, 13)
    (magic,) = struct.unpack_from("<I", t, 1493)
    fields = {}
    for name, at, size in TEXT_FIELDS:
        raw = t[at:at + size].split(b"\0", 1)[0]
        fields[name] = raw.decode("cp1252", errors="replace")
    return dict(ArchiveOffset=offset, BlockCount=blocks, StartIndividual=start,
                AllowExtract=allow, Created=created, Magic=magic, **fields)


def created_text(days):
    try:
        moment = datetime.datetime(1899, 12, 30) + datetime.timedelta(days=days)
        return moment.strftime("%Y-%m-%d %H:%M:%S")
    except (OverflowError, ValueError):
        return "(invalid date)"


# --- the adaptive models -----------------------------------------------------

# (first symbol, last symbol, rescale limit) of each group; the head model
# codes the group number.
GROUPS = [(0, 0, 0), (1, 1, 0), (2, 3, 256), (4, 7, 256), (8, 15, 128),
          (16, 31, 1024), (32, 63, 2048), (64, 127, 4096), (128, 257, 8192)]
HEAD_INCREMENT, HEAD_RESCALE = 32, 4096
GROUP_INCREMENT = 1
RUN_A, RUN_B, END_OF_BLOCK = 0, 1, 257


class Model:
    def __init__(self, symbols, increment, rescale):
        self.n, self.increment, self.rescale = symbols, increment, rescale
        self.reset()

    def reset(self):
        n = self.n
        self.freq = [0] + [1] * (n + 1)
        self.cum = [n + 1 - i for i in range(n + 2)]
        self.symbol = [0] + list(range(n)) + [0]

    def update(self, slot):
        freq, cum = self.freq, self.cum
        if cum[0] >= self.rescale:
            running = 0
            for j in range(self.n + 1, -1, -1):
                freq[j] = (freq[j] + 1) // 2
                cum[j] = running
                running += freq[j]
        j = slot
        while freq[j] == freq[j - 1]:
            j -= 1
        if j < slot:
            self.symbol[j], self.symbol[slot] = self.symbol[slot], self.symbol[j]
        freq[j] += self.increment
        for k in range(j):
            cum[k] += self.increment


class Bits:
    """Most significant bit first; after the coded bytes, up to
    ZERO_ALLOWANCE zero bytes, then the block is damaged."""

    def __init__(self, coded):
        self.coded, self.taken, self.mask, self.rack = coded, 0, 0, 0

    def bit(self):
        if self.mask == 0:
            if self.taken < len(self.coded):
                self.rack = self.coded[self.taken]
            elif self.taken - len(self.coded) < ZERO_ALLOWANCE:
                self.rack = 0
            else:
                raise FormatError("too many bytes read in bit mode")
            self.taken += 1
            self.mask = 128
        b = 1 if self.rack & self.mask else 0
        self.mask >>= 1
        return b


QUARTER, HALF, THREE_QUARTERS, TOP = 16384, 32768, 49152, 65535


class Decoder:
    def __init__(self, bits):
        self.bits, self.low, self.high, self.value = bits, 0, TOP, 0
        for _ in range(16):
            self.value = 2 * self.value + bits.bit()

    def decode(self, m):
        rng = self.high - self.low + 1
        total = m.cum[0]
        scaled = (self.value - self.low + 1) * total - 1
        slot = 1
        while m.cum[slot] * rng > scaled:
            slot += 1
        result = m.symbol[slot]
        self.high = self.low + (rng * m.cum[slot - 1]) // total - 1
        self.low = self.low + (rng * m.cum[slot]) // total
        while True:
            if self.high < HALF:
                pass
            elif self.low >= HALF:
                self.value -= HALF
                self.low -= HALF
                self.high -= HALF
            elif self.low >= QUARTER and self.high < THREE_QUARTERS:
                self.value -= QUARTER
                self.low -= QUARTER
                self.high -= QUARTER
            else:
                break
            self.low = 2 * self.low
            self.high = 2 * self.high + 1
            self.value = 2 * self.value + self.bits.bit()
        m.update(slot)
        return result


def decode_block(coded, start_index, sentinel_pos):
    head = Model(len(GROUPS), HEAD_INCREMENT, HEAD_RESCALE)
    groups = {g: Model(last - first + 1, GROUP_INCREMENT, limit)
              for g, (first, last, limit) in enumerate(GROUPS) if g >= 2}
    decoder = Decoder(Bits(coded))

    def symbol():
        g = decoder.decode(head)
        return g if g < 2 else GROUPS[g][0] + decoder.decode(groups[g])

    # symbols -> move-to-front indices, zero runs in bijective base 2
    indices = bytearray()
    s = symbol()
    while s != END_OF_BLOCK:
        if s > RUN_B:
            indices.append(s - 1)
            s = symbol()
        else:
            weight, run = 1, 0
            while s <= RUN_B:
                run += weight if s == RUN_A else 2 * weight
                weight *= 2
                s = symbol()
            indices.extend(bytes(run))
        if len(indices) > MAX_BLOCK_BYTES:
            raise FormatError("block decodes to too many bytes")
    n = len(indices)
    if start_index > n or sentinel_pos > n:
        raise FormatError("start row or sentinel position beyond the block")

    # move-to-front -> the transformed column, with a hole for the sentinel
    mtf = list(range(256))
    last = []
    for i in indices:
        b = mtf.pop(i)
        mtf.insert(0, b)
        last.append(b)
    last.insert(sentinel_pos, None)

    # inverse transform: the sentinel sorts first, then bytes in order
    counts = [0] * 256
    for b in last:
        if b is not None:
            counts[b] += 1
    nxt, total = [0] * 256, 1
    for b in range(256):
        nxt[b], total = total, total + counts[b]
    link = [0] * (n + 1)
    link[0] = sentinel_pos
    for p, b in enumerate(last):
        if b is not None:
            link[nxt[b]] = p
            nxt[b] += 1
    column = bytes(0 if b is None else b for b in last)  # the sentinel's row reads 0
    out = bytearray(n)
    row = start_index
    for j in range(n):
        out[j] = column[row]
        row = link[row]
    return bytes(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("file")
    parser.add_argument("-o", "--output", help="write the decoded GEDCOM here")
    args = parser.parse_args()
    data = open(args.file, "rb").read()
    t = read_trailer(data)
    if t["Magic"] != MAGIC:
        sys.exit("no trailer: the last four bytes are not EF BE AD DE")
    for key, value in t.items():
        if key == "Magic":
            value = "0x%08X" % value
        elif key == "Created":
            value = "%r (%s)" % (value, created_text(value))
        print("%-16s %s" % (key + ":", value if not isinstance(value, str)
                             else value.replace("\r\n", "\n" + " " * 17)))

    start, end = t["ArchiveOffset"], len(data) - TRAILER_SIZE
    if not 0 <= start <= end:
        sys.exit("archive offset outside the file")
    archive = data[start:end]
    print("archive: %d bytes at offset %d" % (len(archive), start))
    if archive[:4] != ARCHIVE_SIGNATURE:
        sys.exit("the archive does not start with QTRX")
    at, output = 4, bytearray()
    for number in range(1, t["BlockCount"] + 1):
        header = archive[at:at + BLOCK_HEADER_SIZE]
        if header[:4] != BLOCK_SIGNATURE or len(header) < BLOCK_HEADER_SIZE:
            sys.exit("block %d: no DATA header at archive offset %d" % (number, at))
        crc, size, start_index, sentinel = struct.unpack_from("<IIII", header, 4)
        line = ("block %d at %d: crc %08x, coded %d, start row %d, sentinel %d"
                % (number, at, crc, size, start_index, sentinel))
        coded = archive[at + BLOCK_HEADER_SIZE:at + BLOCK_HEADER_SIZE + size]
        if len(coded) < size:
            sys.exit(line + ": truncated")
        if args.output:
            plain = decode_block(coded, start_index, sentinel)
            ok = zlib.crc32(plain) == crc
            line += ", %d bytes, CRC %s" % (len(plain), "ok" if ok else "WRONG")
            output += plain
        print(line)
        at += BLOCK_HEADER_SIZE + size
    print("archive bytes after the last block: %d" % (len(archive) - at))
    if args.output:
        open(args.output, "wb").write(output)
        print("wrote %d bytes to %s" % (len(output), args.output))


if __name__ == "__main__":
    try:
        main()
    except FormatError as error:
        sys.exit("damaged archive: %s" % error)
