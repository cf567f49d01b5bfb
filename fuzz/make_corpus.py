#!/usr/bin/python3
"""Rebuilds the seed corpus: the fixtures, their sheet parts, a few hand-made
sheet parts that reach the rarer cell kinds, a few small zips, and the byte
strings the whole-return generator starts from."""
import pathlib
import random
import shutil
import zipfile

HERE = pathlib.Path(__file__).resolve().parent
FIXTURES = HERE.parent / "tests" / "fixtures"
OPEN = HERE / "corpus" / "xlsx_open"
SHEET = HERE / "corpus" / "sheet_part"
RETURNS = HERE / "corpus" / "return_invariant"
NS = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
DECL = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'

HAND_MADE = {
    "kinds.xml": f'<worksheet {NS}><dimension ref="A1:E3"/><sheetData>'
    '<row r="1" spans="1:5"><c r="A1" t="b"><v>1</v></c><c r="B1" t="e"><v>#N/A</v></c>'
    '<c r="C1" t="str"><f>"x"&amp;"y"</f><v>xy</v></c><c r="D1" t="inlineStr"><is><t xml:space="preserve"> a </t></is></c>'
    '<c r="E1" s="3"><v>1.5E-3</v></c></row>'
    '<row r="3" s="2" customFormat="1"><c r="A3" t="s"><v>3</v></c><c r="C3"><f t="array" ref="C3">SUM(A1:B1)</f><v>0</v></c></row>'
    '</sheetData><mergeCells count="1"><mergeCell ref="A2:B2"/></mergeCells></worksheet>',
    "shared.xml": f'<worksheet {NS}><sheetData>'
    '<row r="2"><c r="B2"><f t="shared" ref="B2:B4" si="7">$A2+A$1</f><v>1</v></c></row>'
    '<row r="3"><c r="B3"><f t="shared" si="7"/><v>2</v></c></row>'
    '<row r="4"><c r="B4"><f t="shared" si="7"/><v>3</v></c></row></sheetData></worksheet>',
    "no_refs.xml": f'<worksheet {NS}><sheetData><row><c><v>1</v></c><c t="s"><v>0</v></c></row>'
    '<row><c t="inlineStr"><is><r><t>a</t></r><r><t>b</t></r></is></c></row></sheetData></worksheet>',
    "prefixed.xml": '<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
    '<x:sheetData><x:row r="1"><x:c r="XFD1048576"><x:v>9</x:v></x:c></x:row></x:sheetData></x:worksheet>',
    "empty.xml": f'<worksheet {NS}><sheetData/></worksheet>',
}


def package(name, parts):
    with zipfile.ZipFile(OPEN / name, "w") as z:
        for part, data in parts:
            z.writestr(zipfile.ZipInfo(part, (1980, 1, 1, 0, 0, 0)), data)


def main():
    OPEN.mkdir(parents=True, exist_ok=True)
    SHEET.mkdir(parents=True, exist_ok=True)
    for name in ["shared_formulas.xlsx", "macro.xlsm", "libreoffice.xlsx", "truncated.xlsx", "legacy.xls"]:
        shutil.copy(FIXTURES / name, OPEN / name)
        if not name.endswith(("xlsx", "xlsm")) or name == "truncated.xlsx":
            continue
        with zipfile.ZipFile(FIXTURES / name) as z:
            for part in z.namelist():
                if part.startswith("xl/worksheets/sheet"):
                    leaf = name.split(".")[0] + "_" + part.rsplit("/", 1)[1]
                    (SHEET / leaf).write_bytes(z.read(part))
    for name, text in HAND_MADE.items():
        (SHEET / name).write_text(DECL + text)
    package("empty.zip", [])
    package("types_only.zip", [("[Content_Types].xml", "<Types/>")])
    with zipfile.ZipFile(FIXTURES / "shared_formulas.xlsx") as z:
        parts = [(n, z.read(n)) for n in z.namelist() if n not in ("xl/styles.xml", "xl/calcChain.xml")]
    package("stored_no_styles.xlsx", parts)  # ZipInfo defaults to stored entries
    # The generator reads its choices from the end of the input and the values it
    # types from the front: for each form (the last byte), returns of a few sizes.
    # Beside them, run-* are inputs a long run learned, kept as they are, and
    # fault-* inputs that once broke an invariant, each mended since.
    RETURNS.mkdir(parents=True, exist_ok=True)
    draw = random.Random(15)
    for form in range(4):
        for size in (8, 64, 256, 1024):
            body = bytes(draw.randrange(256) for _ in range(size - 1))
            (RETURNS / f"form{form}_{size}").write_bytes(body + bytes([form]))


if __name__ == "__main__":
    main()
