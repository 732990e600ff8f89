#!/usr/bin/env python3
"""Times OpenCV's matchTemplate on the images the stand-in's search bench
wrote and compares it with the stand-in's own times (read from stdin)."""
import pathlib
import sys
import time

import cv2
import numpy as np


def match_template(folder, name):
    picture = cv2.imread(str(folder / f"{name}-picture.bmp"), cv2.IMREAD_COLOR)
    template = cv2.imread(str(folder / f"{name}-template.bmp"), cv2.IMREAD_COLOR)
    mask = None
    if name == "transparent":
        mask = np.where((template == template[0, 0]).all(axis=2), 0, 255).astype(np.uint8)
        mask = cv2.merge([mask, mask, mask])
    times = []
    for _ in range(5):
        start = time.perf_counter()
        scores = cv2.matchTemplate(picture, template, cv2.TM_SQDIFF, mask=mask)
        _, _, place, _ = cv2.minMaxLoc(scores)
        times.append((time.perf_counter() - start) * 1000)
    times.sort()
    # Its scores are sums in floating point, so an exact hit need not
    # score exactly 0: the best place is shown, not a verdict.
    return times[len(times) // 2], place


def main(folder):
    ours = {}
    for line in sys.stdin:
        name, milliseconds, hit = line.split()
        ours[name] = (float(milliseconds), hit)
    ratios = {}
    for name, (our_time, our_hit) in ours.items():
        their_time, their_hit = match_template(folder, name)
        their_hit = f"best at {their_hit[0]},{their_hit[1]}"
        ratios[name] = their_time / our_time
        print(f"{name}: ours {our_time:.2f} ms ({our_hit}), matchTemplate {their_time:.2f} ms ({their_hit}), "
              f"speed-up {ratios[name]:.1f}")
    typical = min(ratios[name] for name in ("early-hit", "miss", "transparent"))
    print(f"typical speed-up over matchTemplate: {typical:.1f}")
    print(f"worst case, ours / matchTemplate: {1 / ratios['worst-case']:.2f}")


if __name__ == "__main__":
    main(pathlib.Path(sys.argv[1]))
