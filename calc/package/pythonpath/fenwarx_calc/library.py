"""libfenwarx through its C interface for callers that hold the workbook
(jobs/c_workbook.h), as the bulk mode uses it: a book filled sheet by sheet, a
job run on it, and the cells the job changed."""

import ctypes
import os

LIBRARY = "libfenwarx.so.0"

# enum fenwarx_type
EMPTY, NUMBER, TEXT, DATE, BOOLEAN, ERROR = 0, 1, 2, 3, 4, 5
# enum fenwarx_change_kind
CHANGED_VALUE, CHANGED_FORMAT, CHANGED_COLOR = 1, 2, 4


class _Variant(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("number", ctypes.c_double), ("text", ctypes.c_char_p),
                ("object", ctypes.c_void_p)]


class _Change(ctypes.Structure):
    _fields_ = [("sheet", ctypes.c_char_p), ("row", ctypes.c_int), ("column", ctypes.c_int),
                ("changed", ctypes.c_int), ("value", _Variant), ("format", ctypes.c_char_p),
                ("color", ctypes.c_long)]


_STATUS = ctypes.CFUNCTYPE(None, ctypes.c_char_p, ctypes.c_void_p)


class LibraryError(Exception):
    """The library could not be loaded, or lacks the interface."""


def load(program):
    """The library that came with the program: beside it (its build folder), or
    in the library folder of the prefix it is installed under."""
    folder = os.path.dirname(os.path.realpath(program))
    lib = os.path.join(os.path.dirname(folder), "lib")
    candidates = [os.path.join(folder, LIBRARY), os.path.join(lib, LIBRARY)]
    candidates += [os.path.join(lib, d, LIBRARY) for d in _multiarch_folders(lib)]
    for candidate in candidates:
        if not os.path.exists(candidate):
            continue
        try:
            return _bind(ctypes.CDLL(candidate))
        except (OSError, AttributeError):
            continue
    raise LibraryError(f"{LIBRARY} with the workbook interface was not found beside {program}")


def _multiarch_folders(lib):
    try:
        return [d for d in os.listdir(lib) if d.endswith("-linux-gnu")]
    except OSError:
        return []


def _bind(lib):
    lib.fenwarx_book_new.restype = ctypes.c_void_p
    lib.fenwarx_book_new.argtypes = [ctypes.c_char_p]
    lib.fenwarx_book_add_sheet.restype = ctypes.c_int
    lib.fenwarx_book_add_sheet.argtypes = [
        ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int, ctypes.c_int, ctypes.c_char_p,
        ctypes.c_void_p, ctypes.c_char_p, ctypes.c_size_t]
    lib.fenwarx_book_format.restype = ctypes.c_int
    lib.fenwarx_book_format.argtypes = [
        ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_int,
        ctypes.c_char_p, ctypes.c_long]
    lib.fenwarx_book_run.restype = ctypes.c_char_p
    lib.fenwarx_book_run.argtypes = [
        ctypes.c_void_p, ctypes.c_char_p, ctypes.c_char_p, ctypes.c_char_p, ctypes.c_double,
        _STATUS, ctypes.c_void_p]
    lib.fenwarx_book_changes.restype = ctypes.POINTER(_Change)
    lib.fenwarx_book_changes.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_size_t)]
    lib.fenwarx_book_release.restype = None
    lib.fenwarx_book_release.argtypes = [ctypes.c_void_p]
    return lib


def _text(value):
    return value.decode("utf-8", "replace") if value is not None else None


class Book:
    """A workbook in the library's memory; release() frees it."""

    def __init__(self, lib, folder=None):
        self._lib = lib
        self._book = lib.fenwarx_book_new(folder.encode() if folder else None)
        if not self._book:
            raise MemoryError("the library could not make a workbook")

    def add_sheet(self, name, rows, columns, kinds, numbers, texts):
        """kinds: bytes, a kind a cell; numbers: an array('d'); texts: the texts
        of the text cells, each ending in NUL."""
        address, _ = numbers.buffer_info()
        number = self._lib.fenwarx_book_add_sheet(self._book, name.encode(), rows, columns,
                                                  bytes(kinds), address, texts, len(texts))
        if number:
            raise ValueError(f"the sheet {name} was refused: error {number}")

    def format(self, sheet, first_row, first_column, last_row, last_column, code, color):
        """1-based and inclusive; code None and color < 0 leave what they name."""
        number = self._lib.fenwarx_book_format(self._book, sheet.encode(), first_row, first_column,
                                               last_row, last_column,
                                               code.encode() if code else None, color)
        if number:
            raise ValueError(f"the format of {sheet} was refused: error {number}")

    def run(self, job, form, out_dir, today, on_status=None):
        """The job's report, as the command line's --json prints it."""
        def status(text, _data):
            if on_status:
                on_status(_text(text))
        callback = _STATUS(status)  # kept alive for the length of the call
        report = self._lib.fenwarx_book_run(self._book, job.encode(),
                                            form.encode() if form else None,
                                            out_dir.encode() if out_dir else None,
                                            float(today or 0), callback, None)
        return _text(report)

    def changes(self):
        """The changed cells: (sheet, row, column, changed bits, value, format, color)."""
        count = ctypes.c_size_t()
        array = self._lib.fenwarx_book_changes(self._book, ctypes.byref(count))
        return [(_text(c.sheet), c.row, c.column, c.changed, _value(c.value), _text(c.format),
                 c.color) for c in array[:count.value]]

    def release(self):
        if self._book:
            self._lib.fenwarx_book_release(self._book)
            self._book = None


def _value(variant):
    if variant.type == TEXT:
        return _text(variant.text)
    if variant.type in (NUMBER, DATE, BOOLEAN):
        return variant.number
    if variant.type == ERROR:
        return None  # the component writes no error values; nothing to give Calc
    return ""
