#!/usr/bin/env python3
"""Packs PNG images into one Windows .ico file, each image stored as the PNG it is.

    scripts/make-ico.py OUT.ico IMAGE.png...

Windows reads PNG images inside an .ico since Vista, so the committed hicolor PNGs (rendered from
temura.svg by make-icons.sh) go in unchanged and the build needs no image library. Images are
written from the smallest up; two of the same size are refused, as Windows would show only one.
"""
import struct
import sys

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def png_size(data, name):
    # The IHDR chunk comes first: length, "IHDR", width, height (big-endian).
    if data[:8] != PNG_SIGNATURE or data[12:16] != b"IHDR":
        sys.exit(f"make-ico.py: {name} is not a PNG image")
    width, height = struct.unpack(">II", data[16:24])
    if not (1 <= width <= 256 and 1 <= height <= 256):
        sys.exit(f"make-ico.py: {name} is {width}x{height}; an icon image is at most 256x256")
    return width, height


def main(argv):
    if len(argv) < 3:
        sys.exit("usage: make-ico.py OUT.ico IMAGE.png...")
    images = []
    for name in argv[2:]:
        with open(name, "rb") as f:
            data = f.read()
        images.append((png_size(data, name), data))
    images.sort(key=lambda image: image[0])
    sizes = [size for size, _ in images]
    if len(set(sizes)) != len(sizes):
        sys.exit("make-ico.py: two images of the same size")

    # ICONDIR, then one 16-byte ICONDIRENTRY per image, then the images. A width or height of
    # 256 is written as 0; 32 bits per pixel, as the PNGs carry alpha.
    header = struct.pack("<HHH", 0, 1, len(images))
    entries = b""
    offset = len(header) + 16 * len(images)
    for (width, height), data in images:
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data),
                               offset)
        offset += len(data)
    with open(argv[1], "wb") as f:
        f.write(header + entries + b"".join(data for _, data in images))


if __name__ == "__main__":
    main(sys.argv)
