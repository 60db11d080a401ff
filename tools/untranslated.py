#!/usr/bin/env python3
"""Lists the program's texts that a translation lacks.

Usage: untranslated.py [--lupdate PATH] [--update]

The sources are scanned afresh (by lupdate, into copies of translations/*.ts unless --update
writes the files themselves), so a text added to the code since the .ts files were last
refreshed is listed too. Exits 1 when any text is untranslated, naming each one with its
context, so that it can be translated in Qt Linguist or by hand in the .ts file.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCES = ["game", "settings", "strings", "records", "cardlib", "app", "sound", "net"]


def untranslated(ts_file):
    found = []
    for context in ET.parse(ts_file).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            kind = translation.get("type") if translation is not None else None
            if kind in ("vanished", "obsolete"):
                continue
            if translation is None or kind == "unfinished" or not "".join(translation.itertext()).strip():
                found.append((name, "".join(message.find("source").itertext())))
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--lupdate", default=shutil.which("lupdate") or "/usr/lib/qt6/bin/lupdate")
    parser.add_argument("--update", action="store_true", help="refresh translations/*.ts in place")
    args = parser.parse_args()
    ts_dir = os.path.join(ROOT, "translations")
    files = sorted(f for f in os.listdir(ts_dir) if f.endswith(".ts"))
    missing = 0
    with tempfile.TemporaryDirectory() as work:
        for name in files:
            ts = os.path.join(ts_dir, name)
            if not args.update:
                ts = shutil.copy(ts, os.path.join(work, name))
            subprocess.run([args.lupdate, "-no-obsolete", "-locations", "none", "-silent"] +
                           [os.path.join(ROOT, s) for s in SOURCES
                            if os.path.isdir(os.path.join(ROOT, s))] + ["-ts", ts],
                           check=True, stdout=subprocess.DEVNULL)
            for context, source in untranslated(ts):
                print(f"{name}: [{context}] {source!r}")
                missing += 1
    if missing:
        print(f"{missing} untranslated text(s); translate them in translations/*.ts "
              "(lupdate: cmake --build build --target tolvitranslations_lupdate)")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
