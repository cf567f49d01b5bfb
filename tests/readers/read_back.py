#!/usr/bin/python3
"""Prints what openpyxl reads from workbooks, as JSON on stdout:
{"sheets": {NAME: {"A1": {"value": ..., "number_format": "0.00", "fill": "FFFF0000",
"formula": "=A1*2"}}}}. Dates are ISO texts; "fill" only for solid fills with an
RGB colour; "formula" only for formula cells (its cached value is "value").
Usage: read_back.py FILE [FILE ...]  (one JSON document per file, one per line)."""
import datetime
import json
import sys
import warnings

import openpyxl


def plain(value):
    if isinstance(value, (datetime.datetime, datetime.date, datetime.time)):
        return value.isoformat()
    return value


def read(path):
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        formulas = openpyxl.load_workbook(path)
        cached = openpyxl.load_workbook(path, data_only=True)
    sheets = {}
    for ws in formulas.worksheets:
        values = cached[ws.title]
        cells = {}
        for row in ws.iter_rows():
            for cell in row:
                fill = cell.fill
                solid = (fill is not None and fill.fill_type == "solid"
                         and fill.fgColor is not None and fill.fgColor.type == "rgb")
                if cell.value is None and not solid and cell.number_format == "General":
                    continue
                entry = {"value": plain(values[cell.coordinate].value),
                         "number_format": cell.number_format}
                if solid:
                    entry["fill"] = fill.fgColor.rgb
                if cell.data_type == "f":
                    entry["formula"] = str(cell.value)
                cells[cell.coordinate] = entry
        sheets[ws.title] = cells
    return {"sheets": sheets}


def main(paths):
    if not paths:
        print(__doc__, file=sys.stderr)
        return 2
    for path in paths:
        print(json.dumps(read(path), sort_keys=True))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
