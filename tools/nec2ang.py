#!/usr/bin/env python3
"""Turns nec2c radiation patterns into Feldora angle files (resources/data/ang/*.ang).

Runs every deck of tools/nec through nec2c, takes the pattern of the vertical plane through
the main direction (+x) and writes per angle the attenuation below the maximum:

    attenuation(a) = max gain - gain(a)   [dB, >= 0]

Angle convention of the angle files: 0 = horizontal main direction, counted downwards,
90 = straight down, 180 = horizontally backwards, 270 = straight up, 360 = front again.
The direction of angle a is (cos a, 0, -sin a); NEC names directions by theta (from +z,
the zenith) and phi (from +x), so a maps to theta = acos(-sin a) and phi = 0 while the
direction points forwards (cos a > 0), phi = 180 while it points backwards.

Polarisation: in the x-z plane NEC's "VERTC" column is the field in that plane (vertical
at the horizon), "HORIZ" the field across it. A section "v" uses VERTC, "h" uses HORIZ.

Ground: every deck is a free-space model (no GN card). Over real ground NEC gives no far
field below the horizon, and the far-field pattern above it holds the ground reflection,
whose interference nulls (a horizontal antenna has none of its gain at the horizon) are
far-field effects that do not protect a person near the antenna; mirroring them
downwards would make the safety distance towards the neighbour's window too short. The
free-space pattern is the antenna's own directivity for the direct wave, which is what
the per-angle safety distance scales. Symmetric antennas (dipole, verticals) are
written to 180 (the lower half; the views mirror it upwards), directional antennas to
360 so that the back lobe and the upper half are kept.

Attenuations are capped at 20 dB, in every direction and so towards the rear as well. The
model's nulls are perfect; a real station fills them with currents on the coax and the mast,
ground reflections and neighbouring metal, so measured nulls and front/back ratios of real
antennas rarely pass 15-20 dB. A deeper value would cut the distance in that direction below
what the station really gives (60 dB would cut it to a thousandth). The cap keeps the data on
the side of the larger distance.

Usage (from the repository root):  python3 tools/nec2ang.py
"""

import argparse
import math
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
MAX_ATTENUATION = 20.0
STEP = 1  # degrees
VALUES_PER_LINE = 10

# File name, polarisation text, range (180 or 360), sections (letter, MHz text, deck).
# The names are those of the catalogue: manufacturer + " " + antenna name + ".ang".
ANTENNAS = [
    ("Drahtantennen Dipol 80m.ang", "h", 180, [("h", "3.65", "dipol_80m.nec")]),
    ("Vertikale Groundplane 2m.ang", "v", 180, [("v", "145", "groundplane_2m.nec")]),
    ("Vertikale Duoband 260 cm.ang", "v", 180,
     [("v", "145", "vertikal_2m.nec"), ("v", "435", "vertikal_70cm.nec")]),
    # Used with vertical elements for FM and horizontal ones for SSB: both in one file.
    ("Yagis Yagi 2m 9 El..ang", "vh", 360,
     [("v", "145", "yagi_2m_9el_v.nec"), ("h", "145", "yagi_2m_9el_h.nec")]),
    ("Yagis HB9CV 6m.ang", "h", 360, [("h", "50.5", "hb9cv_6m.nec")]),
    ("Yagis HB9CV 2m.ang", "h", 360, [("h", "145", "hb9cv_2m.nec")]),
    ("Yagis HB9CV 70cm.ang", "h", 360, [("h", "435", "hb9cv_70cm.nec")]),
    ("Quads Quad 2 El. 20m.ang", "h", 360, [("h", "14.175", "quad_2el_20m.nec")]),
    ("Beams Tribander 3 El..ang", "h", 360,
     [("h", "14.175", "tribander_20m.nec"), ("h", "21.225", "tribander_15m.nec"),
      ("h", "28.85", "tribander_10m.nec")]),
    ("Beams Moxon 6m.ang", "h", 360, [("h", "50.5", "moxon_6m.nec")]),
]


def deck_frequency(deck_path):
    """The frequency of the deck's FR card, to check it against the section header."""
    with open(deck_path, encoding="ascii") as deck:
        for line in deck:
            fields = line.split()
            if fields and fields[0] == "FR":
                return float(fields[5])
    raise SystemExit(f"{deck_path}: keine FR-Karte")


def run_nec(nec2c, deck_path, work_dir):
    out_path = os.path.join(work_dir, os.path.basename(deck_path) + ".out")
    subprocess.run([nec2c, "-i", deck_path, "-o", out_path], check=True, capture_output=True)
    with open(out_path, encoding="ascii", errors="replace") as out:
        return out.read()


def parse_pattern(output):
    """(theta, phi) in whole degrees -> (vertical dB, horizontal dB) of the last pattern."""
    if "RADIATION PATTERNS" not in output:
        raise SystemExit("nec2c-Ausgabe ohne Strahlungsdiagramm")
    table = output.rsplit("RADIATION PATTERNS", 1)[1]
    gains = {}
    for line in table.splitlines():
        fields = line.split()
        if len(fields) < 5:
            continue
        try:
            theta, phi, vert, horiz = (float(x) for x in fields[:4])
        except ValueError:
            continue
        gains[(round(theta), round(phi) % 360)] = (vert, horiz)
    return gains


def nec_direction(angle):
    """Angle of the angle file -> (theta, phi) of NEC, whole degrees."""
    a = math.radians(angle)
    x, z = math.cos(a), -math.sin(a)
    theta = round(math.degrees(math.acos(max(-1.0, min(1.0, z)))))
    phi = 0 if x > 1e-9 or theta in (0, 180) else 180
    return theta, phi


def section_gains(gains, letter, last_angle):
    column = 0 if letter == "v" else 1
    values = []
    for angle in range(0, last_angle + 1, STEP):
        key = nec_direction(angle)
        if key not in gains:
            raise SystemExit(f"Richtung theta={key[0]} phi={key[1]} fehlt in der nec2c-Ausgabe")
        values.append(gains[key][column])
    return values


def attenuations(values):
    top = max(values)
    return top, [min(MAX_ATTENUATION, round(top - g, 2)) for g in values]


def format_values(values):
    texts = [f"{v:.2f}" for v in values]
    return [",".join(texts[i:i + VALUES_PER_LINE]) for i in range(0, len(texts), VALUES_PER_LINE)]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--nec2c", default=shutil.which("nec2c") or "nec2c")
    parser.add_argument("--decks", default=os.path.join(HERE, "nec"))
    parser.add_argument("--out", default=os.path.join(ROOT, "resources", "data", "ang"))
    args = parser.parse_args()

    os.makedirs(args.out, exist_ok=True)
    with tempfile.TemporaryDirectory() as work_dir:
        for file_name, pol_text, last_angle, sections in ANTENNAS:
            lines = [f"Berechnet mit nec2c (Freiraum) aus tools/nec, Daempfung unter dem Maximum in dB, hoechstens 20",
                     f"[Polarisation] {pol_text}", f"[Bereich] {last_angle}", f"[Schrittweite] {STEP}"]
            for letter, mhz, deck in sections:
                deck_path = os.path.join(args.decks, deck)
                if abs(deck_frequency(deck_path) - float(mhz)) > 1e-9:
                    raise SystemExit(f"{deck}: FR-Karte passt nicht zu {mhz} MHz")
                gains = parse_pattern(run_nec(args.nec2c, deck_path, work_dir))
                top, att = attenuations(section_gains(gains, letter, last_angle))
                front_back = top - gains[(90, 180)][0 if letter == "v" else 1]
                print(f"{file_name}: {letter} {mhz} MHz: max. {top:.2f} dBi, "
                      f"bei 0 Grad {top - att[0]:.2f} dBi, vorn/hinten {front_back:.1f} dB")
                lines.append(f"[MHz],{letter},{mhz},0")
                lines.extend(format_values(att))
            # Single-byte text with CR LF, like the files the program reads everywhere else.
            with open(os.path.join(args.out, file_name), "w", encoding="cp1252", newline="\r\n") as out:
                out.write("\n".join(lines) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
