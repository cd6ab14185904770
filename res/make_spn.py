#!/usr/bin/env python3
"""Writes spn.dat, the pitch table the Wave calculator reads beside the program.

One line for each of the 120 notes from C0 to B9, in the order
C, C#, D, D#, E, F, F#, G, G#, A, A#, B within each octave:

    <frequency in hertz with two decimals>;<note name>

Every line, the last one included, ends in CR LF, and the file holds ASCII
only, so it is written in binary mode.

The frequencies are twelve-tone equal temperament tuned to A4 = 440 Hz:

    f = 440 * 2 ** ((n - 57) / 12),   n = 12 * octave + pitch index

with pitch index 0 for C up to 11 for B, so A4 is n = 57. No frequency lies
near a rounding tie at two decimals, so ordinary double arithmetic gives the
same digits as exact arithmetic.

Usage: make_spn.py [output path]   (default: spn.dat beside this script)
"""

import sys
from pathlib import Path

PITCH_CLASSES = ["C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"]
OCTAVES = range(10)
A4_HZ = 440.0
A4_INDEX = 57


def table_lines():
    for octave in OCTAVES:
        for pitch_index, pitch in enumerate(PITCH_CLASSES):
            n = 12 * octave + pitch_index
            frequency = A4_HZ * 2 ** ((n - A4_INDEX) / 12)
            yield f"{frequency:.2f};{pitch}{octave}"


def main():
    output = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("spn.dat")
    data = "".join(line + "\r\n" for line in table_lines()).encode("ascii")
    with open(output, "wb") as file:
        file.write(data)


if __name__ == "__main__":
    main()
