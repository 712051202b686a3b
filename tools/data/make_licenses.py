"""Copies the licence list of the game data (tools/data/LICENSES.md) into the data folder.

Usage: make_licenses.py DATA_FOLDER
"""
import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from common import output_dir  # noqa: E402

if __name__ == "__main__":
    out = output_dir()
    os.makedirs(out, exist_ok=True)
    shutil.copyfile(os.path.join(os.path.dirname(os.path.abspath(__file__)), "LICENSES.md"),
                    os.path.join(out, "LICENSES.md"))
