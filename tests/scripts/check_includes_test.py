#!/usr/bin/env python3
"""The include checker passes the source tree as it is and fails on a wrong
include planted in a copy of it, naming the file, the line and the rooms."""
import pathlib
import shutil
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parents[2]
CHECKER = ROOT / "scripts" / "check-includes"

PLANTED = [
    # (file, include, why it is wrong)
    ("analysis/Planted.h", '#include "view/ChartSurface.h"', "the core reaching into the windows"),
    ("model/Planted.h", '#include "session/Session.h"', "a lower room including a higher one"),
    ("cli/Planted.cpp", '#include "ui/UserDialogs.h"', "the command line reaching into the window"),
    ("view/Planted.cpp", '#include "cli/CliOptions.h"', "the window reaching into the command line"),
    ("analysis/Planted.cpp", '#include "../view/ChartSurface.h"', "a room reached round the rule"),
]


def run(source):
    return subprocess.run([sys.executable, str(CHECKER), str(source)], capture_output=True, text=True)


def main():
    clean = run(ROOT / "src")
    if clean.returncode != 0:
        print("the tree itself fails:\n" + clean.stdout)
        return 1
    failures = 0
    for name, include, why in PLANTED:
        with tempfile.TemporaryDirectory() as folder:
            copy = pathlib.Path(folder) / "src"
            shutil.copytree(ROOT / "src", copy)
            (copy / name).write_text("#pragma once\n\n" + include + "\n", encoding="utf-8")
            result = run(copy)
            expected = f"{name}:3:"
            if result.returncode != 1 or expected not in result.stdout:
                print(f"not caught: {why} ({name}: {include}); checker said:\n{result.stdout}")
                failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
