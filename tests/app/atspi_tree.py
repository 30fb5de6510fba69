#!/usr/bin/python3
"""Prints the accessibility tree of the running vennlo window as 'role: name' lines, the way
assistive technology sees it over the AT-SPI bus."""
import sys
import time

import pyatspi


def walk(acc, depth, out):
    try:
        name, role = acc.name, acc.getRoleName()
    except Exception:
        return
    out.append(f"{role}: {name}")
    if depth > 30:
        return
    for i in range(acc.childCount):
        try:
            walk(acc.getChildAtIndex(i), depth + 1, out)
        except Exception:
            pass


def main():
    desktop = pyatspi.Registry.getDesktop(0)
    deadline = time.time() + float(sys.argv[1] if len(sys.argv) > 1 else 30)
    while True:
        apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
        apps = [a for a in apps if a is not None and (a.name or "").lower() == "vennlo"]
        out = []
        for a in apps:
            walk(a, 0, out)
        # The tree is complete once the main window's status bar is there.
        if any(line.startswith("status bar") for line in out) or time.time() > deadline:
            print("\n".join(out))
            return 0 if out else 1
        time.sleep(0.5)


sys.exit(main())
