"""The open document as the workbook file fenwarx works on, and back again.

An .xlsx or .xlsm that Calc can write back is its own workbook: stored first
when it has unsaved changes, then loaded again in the same window once fenwarx
has saved it. Any other document (new, .ods, read-only, remote) is stored as a
copy in a new temporary folder, and the copy fenwarx saved comes back in the
window as a new, untitled workbook; the document's own file is left as it was.
"""

import os
import shutil
import tempfile
from dataclasses import dataclass

import uno
from com.sun.star.beans import PropertyValue

_OWN_FILTERS = {"Calc MS Excel 2007 XML", "Calc MS Excel 2007 VBA XML", "Calc Office Open XML"}
_OWN_ENDINGS = (".xlsx", ".xlsm")
_COPY_FILTER = "Calc MS Excel 2007 XML"


class DocumentError(Exception):
    """The document could not be stored or loaded; the message says which."""


def _properties(**values):
    result = []
    for name, value in values.items():
        p = PropertyValue()
        p.Name = name
        p.Value = value
        result.append(p)
    return tuple(result)


@dataclass
class Workbook:
    path: str
    url: str
    filter: str
    temporary: str | None = None  # the folder of a copy, removed by discard()

    def discard(self):
        if self.temporary:
            shutil.rmtree(self.temporary, ignore_errors=True)


def _filter_of(doc):
    for arg in doc.getArgs():
        if arg.Name == "FilterName":
            return arg.Value
    return ""


def _own_workbook(doc):
    url = doc.getURL() if doc.hasLocation() else ""
    if not url.startswith("file:") or doc.isReadonly():
        return None
    path = uno.fileUrlToSystemPath(url)
    filter_name = _filter_of(doc)
    if filter_name not in _OWN_FILTERS or not path.lower().endswith(_OWN_ENDINGS):
        return None
    return Workbook(path=path, url=url, filter=filter_name)


def _copy_name(doc):
    title = doc.getTitle() or "workbook"
    stem = os.path.splitext(title)[0].replace(os.sep, "_").strip() or "workbook"
    return stem + ".xlsx"


def system_path(url):
    return uno.fileUrlToSystemPath(url)


def workbook_of(doc):
    """The workbook file of the document, holding what the document holds."""
    own = _own_workbook(doc)
    if own:
        if doc.isModified():
            try:
                doc.store()
            except Exception as error:
                raise DocumentError(f"{own.path} could not be stored: {text_of(error)}") from error
        return own
    folder = tempfile.mkdtemp(prefix="fenwarx-calc-")
    path = os.path.join(folder, _copy_name(doc))
    url = uno.systemPathToFileUrl(path)
    try:
        doc.storeToURL(url, _properties(FilterName=_COPY_FILTER, Overwrite=True))
    except Exception as error:
        shutil.rmtree(folder, ignore_errors=True)
        raise DocumentError(f"the workbook could not be copied to {path}: {text_of(error)}") from error
    return Workbook(path=path, url=url, filter=_COPY_FILTER, temporary=folder)


@dataclass
class View:
    data: str  # the controller's view data: sheet, cursor, scrolling, zoom
    sheet: str
    selection: object | None  # a CellRangeAddress when one range was selected


def view_of(doc):
    controller = doc.getCurrentController()
    selection = controller.getSelection()
    address = None
    if selection is not None and hasattr(selection, "getRangeAddress"):
        address = selection.getRangeAddress()
    return View(data=controller.getViewData(), sheet=controller.getActiveSheet().getName(),
                selection=address)


def _restore(doc, view):
    controller = doc.getCurrentController()
    try:
        controller.restoreViewData(view.data)
        sheets = doc.getSheets()
        if view.selection is not None and sheets.hasByName(view.sheet):
            sheet = sheets.getByName(view.sheet)
            if sheet.getRangeAddress().Sheet == view.selection.Sheet:
                a = view.selection
                controller.select(sheet.getCellRangeByPosition(a.StartColumn, a.StartRow,
                                                               a.EndColumn, a.EndRow))
    except Exception:
        pass  # the workbook is back; where the cursor stands is a convenience


def reload(frame, doc, workbook, view):
    """Loads the workbook fenwarx saved into the document's window, where the
    cursor stood. The document must hold nothing the file does not."""
    if workbook.temporary:
        # The copy holds all the document held: nothing is lost by replacing it.
        doc.setModified(False)
        args = _properties(FilterName=workbook.filter, AsTemplate=True)
    else:
        args = _properties(FilterName=workbook.filter)
    try:
        loaded = frame.loadComponentFromURL(workbook.url, "_self", 0, args)
    except Exception as error:
        loaded = None
        reason = text_of(error)
    else:
        reason = "it could not be loaded"
    if loaded is None:
        if workbook.temporary:
            doc.setModified(True)
        raise DocumentError(f"{workbook.path} holds the results, but {reason}")
    _restore(loaded, view)
    return loaded


def text_of(error):
    return getattr(error, "Message", "") or str(error) or type(error).__name__
