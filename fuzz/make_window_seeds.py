#!/usr/bin/env python3
"""Writes the seed inputs of fuzz_window_actions into fuzz/corpus-window/: action
sequences on the bundled lists that reach a forward and an inverse conversion on
each projection. The byte format is described at the top of fuzz_window_actions.cpp;
VELQORA_FUZZ_TRACE=1 build-fuzz/fuzz_window_actions SEED prints what a seed does."""
import pathlib


def type_(field, text):  # op 0, the field, raw text (mode 1), its length, its bytes
    data = text.encode()
    assert len(data) < 32
    return bytes([0, field - 1, 1, len(data)]) + data


def pick(combo, position):  # ops 6..9 for COMBO1..COMBO4
    return bytes([5 + combo, position])


def press(button):  # ops 10, 11, 13, 15 for BUTTON1..BUTTON4
    return bytes([{1: 10, 2: 11, 3: 13, 4: 15}[button]])


def choose(ellipsoid, system, group):
    return pick(1, ellipsoid) + pick(3, system) + pick(2, group)


def decimal(lon, lat):
    return type_(20, lon) + type_(21, lat) + press(2)


def sexagesimal(lon, lat):
    out = b""
    for fields, parts in (((14, 16, 18), lon), ((15, 17, 19), lat)):
        for field, part in zip(fields, parts):
            out += type_(field, part)
    return out + press(3)


# Ellipsoid, grid system and grid group positions in the bundled lists.
SEEDS = {
    # Transverse Mercator: decimal point, back from its X and Y, then sexagesimal.
    "bng-tm": choose(8, 6, 0) + decimal("-1.5", "52.5") + press(4)
              + sexagesimal(("-1", "30", "0"), ("52", "30", "0")),
    # Two-parallel Lambert, sexagesimal point, back.
    "texas-lcc2": choose(1, 9, 2) + sexagesimal(("-98", "30", "15.5"), ("29", "45", "0")) + press(4),
    # Oblique Mercator, decimal point and back, then the grid origin typed by hand.
    "swiss-om": choose(4, 7, 0) + decimal("8.1", "47.2") + press(4)
                + type_(22, "600") + type_(23, "200") + press(4),
    # Oblique stereographic after "Calculate" completed the ellipsoid.
    "dutch-stereo": pick(1, 4) + press(1) + pick(3, 8) + pick(2, 0) + decimal("5.5", "52") + press(4),
    # One-parallel Lambert and Cassini-Soldner, each forward and back.
    "jamaica-lcc1-palestine-cs": choose(5, 10, 0) + decimal("-77.5", "18.2") + press(4)
                                 + choose(7, 11, 0) + decimal("35", "31.5") + press(4),
    # UTM zone 32 north, with the projection picked by hand and typed-over origin.
    "utm-typed": choose(2, 2, 1) + pick(4, 1) + type_(5, "9") + decimal("9.5", "48") + press(4),
}

folder = pathlib.Path(__file__).resolve().parent / "corpus-window"
folder.mkdir(exist_ok=True)
for name, data in SEEDS.items():
    (folder / name).write_bytes(data)
