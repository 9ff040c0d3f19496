"""Xvfb's screen as a picture: the frame buffer Xvfb keeps in a file
(-fbdir) is an X window dump; a part of it is written as a PNG."""
import struct
import zlib


def read_xwd(path):
    """(width, height, rows): rows of (r, g, b) bytes, from a 24- or 32-bit dump."""
    with open(path, "rb") as f:
        data = f.read()
    header = struct.unpack(">25I", data[:100])
    size, width, height = header[0], header[4], header[5]
    byte_order, bits, line = header[7], header[11], header[12]
    colours = header[19]
    if bits != 32:
        raise ValueError(f"{path}: {bits} bits a pixel, only 32 are read")
    start = size + colours * 12
    rows = []
    for y in range(height):
        row = data[start + y * line:start + y * line + width * 4]
        if byte_order == 0:  # least significant byte first: B, G, R, X
            rgb = bytearray(width * 3)
            rgb[0::3], rgb[1::3], rgb[2::3] = row[2::4], row[1::4], row[0::4]
        else:  # X, R, G, B
            rgb = bytearray(width * 3)
            rgb[0::3], rgb[1::3], rgb[2::3] = row[1::4], row[2::4], row[3::4]
        rows.append(bytes(rgb))
    return width, height, rows


def write_png(path, rows, x, y, width, height):
    """The part (x, y, width, height) of the rows as an 8-bit RGB PNG."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\0" + row[x * 3:(x + width) * 3] for row in rows[y:y + height])
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))
