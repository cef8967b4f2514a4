"""Prints what KiCad's own reader sees in a board: every footprint in board order with its
position (nm), orientation (degrees), side and pad centres (nm), as one JSON document."""

import json
import sys

import pcbnew


def footprint(fp):
    position = fp.GetPosition()
    return {
        "reference": fp.GetReference(),
        "x": position.x,
        "y": position.y,
        "rotation": fp.GetOrientationDegrees(),
        "back": fp.GetLayer() == pcbnew.B_Cu,
        "pads": [[pad.GetPosition().x, pad.GetPosition().y] for pad in fp.Pads()],
    }


board = pcbnew.LoadBoard(sys.argv[1])
json.dump([footprint(fp) for fp in board.GetFootprints()], sys.stdout)
