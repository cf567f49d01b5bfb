"""The bulk mode: the open document's cells handed to the component inside
Calc, and only the cells a job changed written back, in one undo step.

Storing a large workbook and loading it again costs Calc far more than the
job itself; here each sheet is read with one getDataArray, its number formats
and fills by the blocks Calc keeps them in, and what the job changed goes back
in blocks of cells and one call for each format and fill. The document is left
changed and not saved, as after any edit.

Calc keeps no undo of a block write (setDataArray), and writing cell by cell
costs milliseconds a cell; so the step carries an undo action of its own for
the values, beside Calc's own for the formats and fills.
"""

import datetime
from array import array

import uno
import unohelper
from com.sun.star.document import XUndoAction
from com.sun.star.lang import Locale

from fenwarx_calc import library

_EN_US = Locale("en", "US", "")
_NO_FILL = 16777215  # the component's "no colour"
_EPOCH = datetime.date(1899, 12, 30)
# Error values as the component numbers them; Calc's own (Err:502, ...) read as #VALUE!.
_ERRORS = {"#NULL!": 2000, "#DIV/0!": 2007, "#VALUE!": 2015, "#REF!": 2023, "#NAME?": 2029,
           "#NUM!": 2036, "#N/A": 2042}
_OTHER_ERROR = 2015


def today_serial(text):
    """A YYYY-MM-DD date (FENWARX_TODAY) as a date serial; 0, the system's
    clock, for anything else."""
    try:
        return float((datetime.date.fromisoformat(text) - _EPOCH).days)
    except (TypeError, ValueError):
        return 0.0


def _used_size(sheet):
    cursor = sheet.createCursor()
    cursor.gotoEndOfUsedArea(False)
    address = cursor.getRangeAddress()
    return address.EndRow + 1, address.EndColumn + 1


def _calc_to_component(color):
    """Calc's 0xRRGGBB (-1 for none) as red + 256 * green + 65536 * blue."""
    if color < 0:
        return _NO_FILL
    return ((color >> 16) & 255) | (color & 0xFF00) | ((color & 255) << 16)


def _component_to_calc(color):
    if color == _NO_FILL or color < 0:
        return -1
    return ((color & 255) << 16) | (color & 0xFF00) | ((color >> 16) & 255)


class _Formats:
    """Number format codes by key, in the component's (en-US) spelling, and keys by code."""

    def __init__(self, doc):
        self._formats = doc.getNumberFormats()
        self._codes = {}
        self._keys = {}

    def code(self, key):
        if key not in self._codes:
            try:
                english = self._formats.getFormatForLocale(key, _EN_US)
                self._codes[key] = self._formats.getByKey(english).FormatString
            except Exception:
                self._codes[key] = "General"
        return self._codes[key]

    def key(self, code):
        if code not in self._keys:
            key = self._formats.queryKey(code, _EN_US, False)
            if key < 0:
                key = self._formats.addNew(code, _EN_US)
            self._keys[code] = key
        return self._keys[code]


def read_into(book, doc):
    """Hands every sheet of the document to the book: values, number formats, fills."""
    formats = _Formats(doc)
    sheets = doc.getSheets()
    for index in range(sheets.getCount()):
        sheet = sheets.getByIndex(index)
        name = sheet.getName()
        rows, columns = _used_size(sheet)
        kinds = bytearray(rows * columns)
        numbers = array("d", bytes(8 * rows * columns))
        texts = []
        data = sheet.getCellRangeByPosition(0, 0, columns - 1, rows - 1).getDataArray()
        i = 0
        for row in data:
            for value in row:
                if value.__class__ is float:
                    kinds[i] = library.NUMBER
                    numbers[i] = value
                elif value:
                    kinds[i] = library.TEXT
                    texts.append(value.replace("\0", " "))
                elif value is None:  # a formula's error: getDataArray does not say which
                    kinds[i] = library.ERROR
                    cell = sheet.getCellByPosition(i % columns, i // columns)
                    numbers[i] = _ERRORS.get(cell.getString(), _OTHER_ERROR)
                i += 1
        blob = ("\0".join(texts) + "\0").encode("utf-8") if texts else b""
        book.add_sheet(name, rows, columns, kinds, numbers, blob)
        _read_formats(book, sheet, name, rows, columns, formats)


def _read_formats(book, sheet, name, rows, columns, formats):
    ranges = sheet.getCellFormatRanges()
    for index in range(ranges.getCount()):
        block = ranges.getByIndex(index)
        address = block.getRangeAddress()
        if address.StartRow >= rows or address.StartColumn >= columns:
            continue  # formats beyond the used area hold no value a job reads
        code = formats.code(block.NumberFormat)
        color = -1 if block.IsCellBackgroundTransparent else block.CellBackColor
        if code == "General" and color < 0:
            continue  # as every cell starts
        book.format(name, address.StartRow + 1, address.StartColumn + 1,
                    min(address.EndRow, rows - 1) + 1, min(address.EndColumn, columns - 1) + 1,
                    None if code == "General" else code,
                    _calc_to_component(color) if color >= 0 else -1)


def _blocks(cells):
    """Cells {(row, column): value} as rectangles of changed cells: each row's
    runs of neighbouring columns, a run joined with the same run of the rows
    right below it. Yields (first_row, first_column, rows of values)."""
    open_blocks = {}  # (first column, last column) -> [first row, last row, rows]
    row_runs = {}
    for (row, column) in sorted(cells):
        runs = row_runs.setdefault(row, [])
        if runs and runs[-1][1] == column - 1:
            runs[-1][1] = column
        else:
            runs.append([column, column])
    for row in sorted(row_runs):
        for first, last in row_runs[row]:
            values = tuple(cells[(row, c)] for c in range(first, last + 1))
            block = open_blocks.get((first, last))
            if block and block[1] == row - 1:
                block[1] = row
                block[2].append(values)
            else:
                if block:
                    yield block[0], first, block[2]
                open_blocks[(first, last)] = [row, row, [values]]
    for (first, _), block in open_blocks.items():
        yield block[0], first, block[2]


class _WrittenValues(unohelper.Base, XUndoAction):
    """The values a step wrote in blocks, and what the blocks held before."""

    def __init__(self, title):
        self.Title = title
        self._blocks = []  # (range, values before, formulas before, values after)

    def getTitle(self):
        return self.Title

    def write(self, cell_range, values):
        self._blocks.append((cell_range, cell_range.getDataArray(),
                             cell_range.getFormulaArray(), values))
        cell_range.setDataArray(values)

    def undo(self):
        for cell_range, before, formulas, _ in reversed(self._blocks):
            cell_range.setDataArray(before)
            for r, row in enumerate(formulas):
                for c, formula in enumerate(row):
                    if formula.startswith("="):  # a formula written over comes back as one
                        cell_range.getCellByPosition(c, r).setFormula(formula)

    def redo(self):
        for cell_range, _, _, after in self._blocks:
            cell_range.setDataArray(after)


def write_changes(doc, changes, title):
    """Writes the changed cells into the document as one undo step; when a write
    fails, what was written is undone and the failure raised."""
    by_sheet = {}
    for sheet, row, column, changed, value, code, color in changes:
        by_sheet.setdefault(sheet, []).append((row, column, changed, value, code, color))
    if not by_sheet:
        return
    formats = _Formats(doc)
    undo = doc.getUndoManager()
    # No lockControllers here: undoing a step that holds an action of its own
    # and was written under it brings LibreOffice 7.4 down.
    undo.enterUndoContext(title)
    written = False
    try:
        sheets = doc.getSheets()
        values = _WrittenValues(title)
        undo.addUndoAction(values)
        for name, cells in by_sheet.items():
            _write_sheet(doc, sheets.getByName(name), cells, formats, values)
        written = True
    finally:
        undo.leaveUndoContext()
        if not written and undo.isUndoPossible() and undo.getCurrentUndoActionTitle() == title:
            undo.undo()


def _write_sheet(doc, sheet, cells, formats, written):
    values = {(row, column): value for row, column, changed, value, _, _ in cells
              if changed & library.CHANGED_VALUE and value is not None}
    for first_row, first_column, rows in _blocks(values):
        written.write(sheet.getCellRangeByPosition(first_column - 1, first_row - 1,
                                                   first_column + len(rows[0]) - 2,
                                                   first_row + len(rows) - 2), tuple(rows))
    # Formats and fills: one call for all the cells that get the same one.
    by_format, by_color = {}, {}
    for row, column, changed, _, code, color in cells:
        if changed & library.CHANGED_FORMAT:
            by_format.setdefault(formats.key(code), {})[(row, column)] = True
        if changed & library.CHANGED_COLOR:
            by_color.setdefault(_component_to_calc(color), {})[(row, column)] = True
    for key, places in by_format.items():
        _ranges(doc, sheet, places).NumberFormat = key
    for color, places in by_color.items():
        _ranges(doc, sheet, places).CellBackColor = color


def _ranges(doc, sheet, places):
    """The cells {(row, column): ...} of the sheet as one collection of ranges."""
    ranges = doc.createInstance("com.sun.star.sheet.SheetCellRanges")
    index = sheet.getRangeAddress().Sheet
    addresses = []
    for first_row, first_column, rows in _blocks(places):
        address = uno.createUnoStruct("com.sun.star.table.CellRangeAddress")
        address.Sheet = index
        address.StartRow, address.StartColumn = first_row - 1, first_column - 1
        address.EndRow = first_row + len(rows) - 2
        address.EndColumn = first_column + len(rows[0]) - 2
        addresses.append(address)
    ranges.addRangeAddresses(tuple(addresses), False)
    return ranges
