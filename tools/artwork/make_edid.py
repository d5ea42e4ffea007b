#!/usr/bin/python3
"""Writes the sample EDID images shipped in resources/UserDefaultEDID/.

Each image is 256 bytes: an EDID 1.3 base block and one CEA-861 extension,
both with their checksums. Run with --check FILE... to verify existing files.

Usage: tools/artwork/make_edid.py [resources-folder]
       tools/artwork/make_edid.py --check FILE...
"""

import os
import sys

BLOCK = 128
HEADER = bytes([0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00])


def manufacturer_id(letters):
    """Three letters A..Z packed five bits each, most significant first."""
    value = 0
    for letter in letters:
        value = (value << 5) | (ord(letter) - ord("A") + 1)
    return bytes([value >> 8, value & 0xFF])


def detailed_timing(clock_khz, h_active, h_blank, h_front, h_sync, v_active, v_blank, v_front, v_sync,
                    width_mm, height_mm):
    """An 18-byte detailed timing descriptor, digital separate sync, both polarities positive."""
    clock = clock_khz // 10
    return bytes([
        clock & 0xFF, clock >> 8,
        h_active & 0xFF, h_blank & 0xFF, ((h_active >> 8) << 4) | (h_blank >> 8),
        v_active & 0xFF, v_blank & 0xFF, ((v_active >> 8) << 4) | (v_blank >> 8),
        h_front & 0xFF, h_sync & 0xFF, ((v_front & 0x0F) << 4) | (v_sync & 0x0F),
        ((h_front >> 8) << 6) | ((h_sync >> 8) << 4) | ((v_front >> 4) << 2) | (v_sync >> 4),
        width_mm & 0xFF, height_mm & 0xFF, ((width_mm >> 8) << 4) | (height_mm >> 8),
        0, 0,
        0x1E,
    ])


# Standard CEA-861 timings used below.
TIMING_1080P60 = dict(clock_khz=148500, h_active=1920, h_blank=280, h_front=88, h_sync=44,
                      v_active=1080, v_blank=45, v_front=4, v_sync=5)
TIMING_720P60 = dict(clock_khz=74250, h_active=1280, h_blank=370, h_front=110, h_sync=40,
                     v_active=720, v_blank=30, v_front=5, v_sync=5)
TIMING_2160P30 = dict(clock_khz=297000, h_active=3840, h_blank=560, h_front=176, h_sync=88,
                      v_active=2160, v_blank=90, v_front=8, v_sync=10)


def text_descriptor(tag, text):
    body = text.encode("ascii")[:13]
    if len(body) < 13:
        body += b"\n" + b" " * (12 - len(body))
    return bytes([0, 0, 0, tag, 0]) + body


def range_limits(v_min, v_max, h_min_khz, h_max_khz, clock_max_mhz):
    return bytes([0, 0, 0, 0xFD, 0, v_min, v_max, h_min_khz, h_max_khz, clock_max_mhz // 10,
                  0x00, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20])


def with_checksum(block):
    assert len(block) == BLOCK - 1, len(block)
    return block + bytes([(-sum(block)) & 0xFF])


def base_block(product, serial, size_cm, descriptors):
    block = bytearray()
    block += HEADER
    block += manufacturer_id("KXR")
    block += bytes([product & 0xFF, product >> 8])
    block += serial.to_bytes(4, "little")
    block += bytes([1, 2024 - 1990])            # week 1 of 2024
    block += bytes([1, 3])                      # EDID 1.3
    block += bytes([0x80, size_cm[0], size_cm[1], 120])  # digital input, size in cm, gamma 2.2
    block += bytes([0x0A])                      # RGB colour, preferred timing is the first descriptor
    # sRGB primaries and D65 white point, 10-bit fixed point.
    block += bytes([0xEE, 0x91, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x50, 0x54])
    block += bytes([0x21, 0x08, 0x00])          # 640x480@60, 800x600@60, 1024x768@60
    standard = [(0x81, 0xC0),                   # 1280x720@60
                (0x81, 0x80),                   # 1280x1024@60
                (0xB3, 0x00),                   # 1680x1050@60
                (0xD1, 0xC0)]                   # 1920x1080@60
    for pair in standard:
        block += bytes(pair)
    block += bytes([0x01, 0x01] * (8 - len(standard)))
    assert len(descriptors) == 4
    for descriptor in descriptors:
        assert len(descriptor) == 18
        block += descriptor
    block += bytes([1])                         # one extension block
    return with_checksum(bytes(block))


def cea_extension(video_codes, hdmi_max_tmds_mhz, timings):
    blocks = bytearray()
    blocks += bytes([0x20 | 3, 0x09, 0x07, 0x07])              # audio: 2-channel LPCM, 32-48 kHz, 16-24 bit
    blocks += bytes([0x40 | len(video_codes)]) + bytes(video_codes)
    vendor = bytes([0x03, 0x0C, 0x00, 0x10, 0x00])             # HDMI, physical address 1.0.0.0
    if hdmi_max_tmds_mhz:
        vendor += bytes([0x00, hdmi_max_tmds_mhz // 5])
    blocks += bytes([0x60 | len(vendor)]) + vendor
    blocks += bytes([0x80 | 3, 0x01, 0x00, 0x00])              # speakers: front left and right

    block = bytearray([0x02, 0x03, 4 + len(blocks), 0x70 | len(timings)])  # basic audio, YCbCr 4:4:4 and 4:2:2
    block += blocks
    for timing in timings:
        block += timing
    block += bytes(BLOCK - 1 - len(block))
    return with_checksum(bytes(block))


def edid_1080p():
    descriptors = [
        detailed_timing(width_mm=527, height_mm=296, **TIMING_1080P60),
        range_limits(56, 76, 30, 83, 170),
        text_descriptor(0xFC, "KXR-1080P"),
        text_descriptor(0xFF, "KXR0001080"),
    ]
    base = base_block(0x1080, 1080, (53, 30), descriptors)
    native_1080p60 = 0x80 | 16
    extension = cea_extension([native_1080p60, 4, 31, 19, 3, 2, 18, 17], 0,
                              [detailed_timing(width_mm=527, height_mm=296, **TIMING_720P60)])
    return base + extension


def edid_2160p30():
    descriptors = [
        detailed_timing(width_mm=708, height_mm=398, **TIMING_2160P30),
        detailed_timing(width_mm=708, height_mm=398, **TIMING_1080P60),
        range_limits(24, 76, 15, 135, 300),
        text_descriptor(0xFC, "KXR-4K30"),
    ]
    base = base_block(0x4030, 2160, (71, 40), descriptors)
    extension = cea_extension([95, 94, 93, 0x80 | 16, 4, 31, 19, 3], 300,
                              [detailed_timing(width_mm=708, height_mm=398, **TIMING_720P60)])
    return base + extension


def check(data):
    problems = []
    if len(data) != 2 * BLOCK:
        return ["size is %d, not 256" % len(data)]
    if data[:8] != HEADER:
        problems.append("bad header")
    for index in range(2):
        if sum(data[index * BLOCK:(index + 1) * BLOCK]) & 0xFF:
            problems.append("checksum of block %d is wrong" % index)
    if data[BLOCK] != 0x02:
        problems.append("extension is not CEA-861")
    return problems


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "--check":
        failed = False
        for path in sys.argv[2:]:
            with open(path, "rb") as handle:
                problems = check(handle.read())
            print(path, "ok" if not problems else "; ".join(problems))
            failed = failed or bool(problems)
        sys.exit(1 if failed else 0)

    here = os.path.dirname(os.path.abspath(__file__))
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "resources")
    folder = os.path.join(root, "UserDefaultEDID")
    os.makedirs(folder, exist_ok=True)
    for name, data in (("KXR_1080P60.bin", edid_1080p()), ("KXR_4K30.bin", edid_2160p30())):
        problems = check(data)
        assert not problems, problems
        with open(os.path.join(folder, name), "wb") as handle:
            handle.write(data)
        print("wrote", name, len(data), "bytes")


if __name__ == "__main__":
    main()
