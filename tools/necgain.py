#!/usr/bin/env python3
"""Prints the gain of every deck in tools/nec/gewinn: the largest total gain (dBi) over the
whole sphere, for every frequency the deck computes.

These decks are the models behind the catalogue gains of the multiband wire antennas
(see tools/Gewinnquellen.csv). They are free-space models like the decks of the angle
files: the catalogue gain is the antenna's own directivity, not a gain over ground.

Usage (from the repository root):  python3 tools/necgain.py  (needs apt-get install -y nec2c)
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
FREQUENCY = re.compile(r"FREQUENCY\s*[:=]\s*([0-9.Ee+-]+)\s*MHZ", re.IGNORECASE)


def max_gains(output):
    """[(MHz, max total gain dBi)] for every pattern of a nec2c output, in order."""
    result = []
    blocks = output.split("RADIATION PATTERNS")
    for before, block in zip(blocks, blocks[1:]):
        freqs = FREQUENCY.findall(before)
        if not freqs:
            raise SystemExit("Strahlungsdiagramm ohne Frequenzangabe")
        top = None
        for line in block.split("\n\n\n")[0].splitlines():
            fields = line.split()
            if len(fields) < 5:
                continue
            try:
                total = float(fields[4])
                float(fields[0]), float(fields[1])
            except ValueError:
                continue
            top = total if top is None else max(top, total)
        if top is None:
            raise SystemExit("leeres Strahlungsdiagramm")
        result.append((float(freqs[-1]), top))
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--nec2c", default=shutil.which("nec2c") or "nec2c")
    parser.add_argument("--decks", default=os.path.join(HERE, "nec", "gewinn"))
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as work_dir:
        for deck in sorted(f for f in os.listdir(args.decks) if f.endswith(".nec")):
            out_path = os.path.join(work_dir, deck + ".out")
            subprocess.run([args.nec2c, "-i", os.path.join(args.decks, deck), "-o", out_path],
                           check=True, capture_output=True)
            with open(out_path, encoding="ascii", errors="replace") as out:
                for mhz, gain in max_gains(out.read()):
                    print(f"{deck}: {mhz:g} MHz: {gain:.2f} dBi")
    return 0


if __name__ == "__main__":
    sys.exit(main())
