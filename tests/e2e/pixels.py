"""Counts pixels in screenshots, without third-party modules.

pixels.py count IMAGE X Y W H RRGGBB   -> how many pixels of the box have exactly that colour
pixels.py diff IMAGE1 IMAGE2 X Y W H   -> how many pixels of the box differ between the images
"""
import subprocess
import sys


def load(path):
    """Decodes an image into (width, height, RGB bytes) through ImageMagick's PPM output."""
    data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                          capture_output=True).stdout
    fields = []
    position = 0
    while len(fields) < 4:  # magic, width, height, maximum
        while data[position:position + 1].isspace():
            position += 1
        start = position
        while not data[position:position + 1].isspace():
            position += 1
        fields.append(data[start:position])
    assert fields[0] == b"P6", fields[0]
    return int(fields[1]), int(fields[2]), data[position + 1:]


def box_pixels(image, x, y, w, h):
    width, _, rgb = image
    for row in range(y, y + h):
        for column in range(x, x + w):
            offset = 3 * (row * width + column)
            yield rgb[offset:offset + 3]


def main(argv):
    if argv[1] == "count":
        image = load(argv[2])
        x, y, w, h = map(int, argv[3:7])
        colour = bytes.fromhex(argv[7])
        print(sum(1 for pixel in box_pixels(image, x, y, w, h) if pixel == colour))
    elif argv[1] == "diff":
        first, second = load(argv[2]), load(argv[3])
        x, y, w, h = map(int, argv[4:8])
        pairs = zip(box_pixels(first, x, y, w, h), box_pixels(second, x, y, w, h))
        print(sum(1 for a, b in pairs if a != b))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
