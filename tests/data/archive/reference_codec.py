#!/usr/bin/env python3
"""A slow, plain reference of the archive's block coding, written as simply
as possible and separately from the C++ code. It makes the golden archives
in good/ and checks that it can read them back. Blocks are
sorted naively, so keep inputs small.

Usage: reference_codec.py            (re-creates good/*.qtrx from good/*.in)
"""
import struct
import sys
import zlib
from pathlib import Path

GROUPS = [(0, 0, 0), (1, 1, 0), (2, 3, 256), (4, 7, 256), (8, 15, 128),
          (16, 31, 1024), (32, 63, 2048), (64, 127, 4096), (128, 257, 8192)]
Q1, HALF, Q3, TOP = 16384, 32768, 49152, 65535


class Model:
    def __init__(self, first, last, increment, limit):
        n = last - first + 1
        self.first, self.n, self.inc, self.limit = first, n, increment, limit
        self.freq = [0] + [1] * (n + 1)
        self.cum = [(n + 1) - i for i in range(n + 2)]
        self.index_to_symbol = [None] + list(range(n)) + [0]
        self.symbol_to_index = [s + 1 for s in range(n)]

    def update(self, i):
        if self.cum[0] >= self.limit:
            running = 0
            for j in range(self.n + 1, -1, -1):
                self.freq[j] = (self.freq[j] + 1) // 2
                self.cum[j] = running
                running += self.freq[j]
        j = i
        while self.freq[j] == self.freq[j - 1]:
            j -= 1
        if j < i:
            a, b = self.index_to_symbol[j], self.index_to_symbol[i]
            self.index_to_symbol[j], self.index_to_symbol[i] = b, a
            self.symbol_to_index[b] = j
            self.symbol_to_index[a] = i
        self.freq[j] += self.inc
        for k in range(j - 1, -1, -1):
            self.cum[k] += self.inc


def fresh_models():
    head = Model(0, 8, 32, 4096)
    groups = {g: Model(f, l, 1, lim) for g, (f, l, lim) in enumerate(GROUPS) if g >= 2}
    return head, groups


def group_of(symbol):
    return next(g for g, (f, l, _) in enumerate(GROUPS) if f <= symbol <= l)


class Encoder:
    def __init__(self):
        self.low, self.high, self.follow, self.shifts, self.bits = 0, TOP, 0, 0, []

    def emit(self, bit):
        self.bits.append(bit)
        self.bits.extend([1 - bit] * self.follow)
        self.follow = 0

    def encode(self, model, rel):
        i = model.symbol_to_index[rel]
        rng = self.high - self.low + 1
        total = model.cum[0]
        self.high = self.low + rng * model.cum[i - 1] // total - 1
        self.low = self.low + rng * model.cum[i] // total
        while True:
            if self.high < HALF:
                self.emit(0)
            elif self.low >= HALF:
                self.emit(1)
                self.low -= HALF
                self.high -= HALF
            elif self.low >= Q1 and self.high < Q3:
                self.follow += 1
                self.low -= Q1
                self.high -= Q1
            else:
                break
            self.low, self.high = 2 * self.low, 2 * self.high + 1
            self.shifts += 1
        model.update(i)

    def finish(self):
        self.follow += 1
        self.emit(0 if self.low < Q1 else 1)
        bits = self.bits + [0] * (-len(self.bits) % 8)
        data = bytearray(int("".join(map(str, bits[k:k + 8])), 2) for k in range(0, len(bits), 8))
        # The decoder reads 16 bits plus one per shift; it gets up to 20 zero
        # bytes beyond the coded data, so trailing zeros may be left out.
        wanted = (16 + self.shifts + 7) // 8
        while data and data[-1] == 0 and wanted - (len(data) - 1) <= 20:
            data.pop()
        return bytes(data)


def encode_symbols(symbols):
    head, groups = fresh_models()
    enc = Encoder()
    for s in symbols:
        g = group_of(s)
        enc.encode(head, g)
        if g >= 2:
            enc.encode(groups[g], s - GROUPS[g][0])
    return enc.finish()


def block_sort(data):
    """Rows: rotations of data + sentinel, sorted, the sentinel lowest."""
    # The sentinel is unique and lowest, so rotations sort like suffixes, a
    # suffix that is a prefix of another first (as bytes compare); the
    # sentinel's own rotation (start n) comes first.
    n = len(data)
    data = bytes(data)
    rows = [n] + sorted(range(n), key=lambda k: data[k:])
    last = [None if k == 0 else data[k - 1] for k in rows]
    sentinel_pos = last.index(None)
    start_index = rows.index(1 % (n + 1))
    return [v for v in last if v is not None], start_index, sentinel_pos


def block_symbols(data):
    seq, start_index, sentinel_pos = block_sort(data)
    mtf = list(range(256))
    indices = []
    for b in seq:
        i = mtf.index(b)
        indices.append(i)
        mtf.insert(0, mtf.pop(i))
    symbols, k = [], 0
    while k < len(indices):
        if indices[k]:
            symbols.append(indices[k] + 1)
            k += 1
            continue
        run = 0
        while k < len(indices) and indices[k] == 0:
            run, k = run + 1, k + 1
        while run:
            if run % 2:
                symbols.append(0)
                run = (run - 1) // 2
            else:
                symbols.append(1)
                run = (run - 2) // 2
    return symbols + [257], start_index, sentinel_pos


def encode_block(data):
    symbols, start_index, sentinel_pos = block_symbols(data)
    coded = encode_symbols(symbols)
    crc = zlib.crc32(bytes(data)) & 0xFFFFFFFF
    return b"DATA" + struct.pack("<IIII", crc, len(coded), start_index, sentinel_pos) + coded


def encode_archive(data, block_size):
    blocks = [data[k:k + block_size] for k in range(0, len(data), block_size)]
    return b"QTRX" + b"".join(encode_block(b) for b in blocks), len(blocks)


class Decoder:
    def __init__(self, coded):
        self.coded, self.pos, self.low, self.high, self.value = coded, 0, 0, TOP, 0
        for _ in range(16):
            self.value = 2 * self.value + self.bit()

    def bit(self):
        byte_index, shift = divmod(self.pos, 8)
        if byte_index >= len(self.coded) + 20:
            raise ValueError("Too many bytes read in bit mode.")
        self.pos += 1
        byte = self.coded[byte_index] if byte_index < len(self.coded) else 0
        return (byte >> (7 - shift)) & 1

    def decode(self, m):
        rng = self.high - self.low + 1
        target = ((self.value - self.low + 1) * m.cum[0] - 1) // rng
        i = 1
        while m.cum[i] > target:
            i += 1
        result = m.index_to_symbol[i]
        self.high = self.low + rng * m.cum[i - 1] // m.cum[0] - 1
        self.low = self.low + rng * m.cum[i] // m.cum[0]
        while True:
            if self.high < HALF:
                pass
            elif self.low >= HALF:
                self.value, self.low, self.high = self.value - HALF, self.low - HALF, self.high - HALF
            elif self.low >= Q1 and self.high < Q3:
                self.value, self.low, self.high = self.value - Q1, self.low - Q1, self.high - Q1
            else:
                break
            self.low, self.high = 2 * self.low, 2 * self.high + 1
            self.value = 2 * self.value + self.bit()
        m.update(i)
        return result


def decode_block(header, coded):
    crc, _, start_index, sentinel_pos = header
    head, groups = fresh_models()
    dec = Decoder(coded)

    def next_symbol():
        g = dec.decode(head)
        return g if g < 2 else GROUPS[g][0] + dec.decode(groups[g])

    indices, s = [], next_symbol()
    while s != 257:
        if s >= 2:
            indices.append(s - 1)
            s = next_symbol()
        else:
            weight, run = 1, 0
            while s in (0, 1):
                run += weight if s == 0 else 2 * weight
                weight *= 2
                s = next_symbol()
            indices += [0] * run
    n = len(indices)
    mtf = list(range(256))
    y = []
    for i in indices:
        b = mtf.pop(i)
        mtf.insert(0, b)
        y.append(b)
    y.insert(sentinel_pos, None)
    order = sorted(range(n + 1), key=lambda p: (-1 if y[p] is None else y[p], p))
    out, row = [], start_index
    for _ in range(n):
        out.append(y[row])
        row = order[row]
    data = bytes(out)
    if zlib.crc32(data) & 0xFFFFFFFF != crc:
        raise ValueError("CRC does not match!")
    return data


def decode_archive(archive, block_count):
    assert archive[:4] == b"QTRX"
    at, out = 4, b""
    for _ in range(block_count):
        assert archive[at:at + 4] == b"DATA"
        header = struct.unpack("<IIII", archive[at + 4:at + 20])
        out += decode_block(header, archive[at + 20:at + 20 + header[1]])
        at += 20 + header[1]
    return out


def main():
    folder = Path(__file__).parent / "good"
    for source in sorted(folder.glob("*.in")):
        # The block size is part of the name: name.<block size>.in
        block_size = int(source.suffixes[-2][1:])
        data = source.read_bytes()
        archive, blocks = encode_archive(data, block_size)
        assert decode_archive(archive, blocks) == data
        target = source.with_name(source.name[: -len("".join(source.suffixes[-2:]))] + ".qtrx")
        target.write_bytes(archive)
        print(f"{target.name}: {len(data)} bytes in {blocks} blocks -> {len(archive)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
