#!/usr/bin/env python3
"""Makes the damaged archives in bad/ from the golden archives in good/
(and, for the run overflow, from reference_codec.py). Each file is damaged
in one way; bad/README.md lists what each must give."""
import struct
from pathlib import Path

import reference_codec

here = Path(__file__).parent
good = (here / "good" / "gedcom-crlf.qtrx").read_bytes()  # 2 blocks: 4096 + 348 bytes
random_block = (here / "good" / "random.qtrx").read_bytes()  # 1 block of 20000 bytes


def block_offsets(archive):
    offsets, at = [], 4
    while at + 20 <= len(archive):
        offsets.append(at)
        at += 20 + struct.unpack_from("<I", archive, at + 8)[0]
    return offsets


def patch32(archive, at, value):
    return archive[:at] + struct.pack("<I", value) + archive[at + 4:]


first, second = block_offsets(good)
bad = {
    "archive-signature.qtrx": b"QTRY" + good[4:],
    "block-signature.qtrx": good[:second] + b"DATX" + good[second + 4:],
    "truncated-header.qtrx": good[:second + 10],
    "truncated-coded-data.qtrx": good[:-5],
    "start-index-beyond.qtrx": patch32(good, first + 12, 4097),
    "sentinel-beyond.qtrx": patch32(good, second + 16, 349),
    "crc-mismatch.qtrx": patch32(good, first + 4, struct.unpack_from("<I", good, first + 4)[0] ^ 1),
    "coded-size-short.qtrx": patch32(random_block, 4 + 8, 1),
}
coded = reference_codec.encode_symbols([1] * 21 + [257])
bad["run-overflow.qtrx"] = b"QTRXDATA" + struct.pack("<IIII", 0, len(coded), 0, 0) + coded

for name, data in bad.items():
    (here / "bad" / name).write_bytes(data)
    print(name, len(data))
