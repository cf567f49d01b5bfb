#!/usr/bin/python3
"""Times the Calc toolbar's Verify and Export against fenwarx alone on the same
workbooks, in both of the toolbar's modes, and the parts of the difference:
storing a changed workbook from Calc, and loading it again in its window.

Usage: calc_toolbar_timing.py --program FENWARX --oxt FENWARX.OXT [--runs 3] WORKBOOK...

Each workbook is copied first; the medians of the runs are printed in seconds.
"fenwarx" is `fenwarx verify --json` (export: `fenwarx export --json`) on the
copy; "process" the command dispatched on the copy open in a headless Calc with
fenwarx run as a separate program, the workbook unchanged since it was loaded
(run, then load again); "changed" the same after a cell was typed (store, run,
load again); "bulk" the command in the bulk mode (read, run, write back);
"store" and "load" Calc's own times. libfenwarx.so.0 must stand beside FENWARX."""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "calc"))
import office  # noqa: E402

TODAY = "2026-12-07"


def timed(action):
    started = time.monotonic()
    action()
    return time.monotonic() - started


def median(action, runs):
    return statistics.median(timed(action) for _ in range(runs))


def alone(program, book, command, out, runs):
    env = dict(os.environ, FENWARX_TODAY=TODAY)
    arguments = [program, command, "--json", book]
    if command == "export":
        arguments[3:3] = ["--out-dir", out]
    return median(lambda: subprocess.run(arguments, env=env, stdout=subprocess.DEVNULL,
                                         check=False), runs)


def in_calc(calc, book, command, runs):
    """The toolbar's times on the workbook unchanged and changed, in the bulk
    mode, and Calc's own store and load of it."""
    calc.set_options(Mode="bulk")
    calc.open(book)
    in_bulk = median(lambda: calc.dispatch(command), runs)
    calc.close_documents()
    calc.set_options(Mode="process")
    calc.open(book)
    unchanged = median(lambda: calc.dispatch(command), runs)

    def typed_then(action):
        def run():
            doc = calc.front()
            doc.getSheets().getByIndex(0).getCellByPosition(200, 0).setString("x")
            action(doc)
        return run

    changed = statistics.median(
        timed(typed_then(lambda doc: calc.dispatch(command))) for _ in range(runs))
    store = statistics.median(
        timed(typed_then(lambda doc: doc.store())) for _ in range(runs))
    frame = calc.desktop.getCurrentFrame()
    load = median(lambda: frame.loadComponentFromURL(calc.url(book), "_self", 0, ()), runs)
    calc.close_documents()
    return unchanged, changed, in_bulk, store, load


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--oxt", required=True)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("workbooks", nargs="+")
    args = parser.parse_args()
    scratch = tempfile.mkdtemp(prefix="fenwarx-calc-timing-")
    out = os.path.join(scratch, "out")
    os.makedirs(out)
    calc = office.Office("timing", {"FENWARX_TODAY": TODAY, "FENWARX_OUT_DIR": out,
                                    "FENWARX_PROGRAM": os.path.abspath(args.program)})
    try:
        print(f"installed the extension in {calc.install(os.path.abspath(args.oxt)):.2f} s")
        print("workbook command fenwarx process overhead changed overhead bulk overhead store load")
        for workbook in args.workbooks:
            for command in ("verify", "export"):
                book = os.path.join(scratch, f"{command}-{os.path.basename(workbook)}")
                shutil.copyfile(workbook, book)
                program = alone(args.program, book, command, out, args.runs)
                unchanged, changed, in_bulk, store, load = in_calc(calc, book, command, args.runs)
                print(f"{os.path.basename(workbook)} {command} {program:.2f} {unchanged:.2f} "
                      f"{unchanged - program:.2f} {changed:.2f} {changed - program:.2f} "
                      f"{in_bulk:.2f} {in_bulk - program:.2f} {store:.2f} {load:.2f}", flush=True)
    finally:
        calc.close()
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
