"""Showing what a command did: message boxes with the titles and icons fenwarx
gave them, the status texts and a progress bar in Calc's status bar while it
runs, and the report file of headless use."""

import json
import os
import tempfile

from com.sun.star.awt.MessageBoxType import ERRORBOX, INFOBOX, MESSAGEBOX

# The icon bits of a message box style.
_CRITICAL = 16
_INFORMATION = 64
_DEFAULT_TITLE = "Fenwarx"
_OK = 1  # com.sun.star.awt.MessageBoxButtons.BUTTONS_OK

REPORT_VARIABLE = "FENWARX_CALC_REPORT"


def headless():
    """Whether Calc runs without a window, where no dialog may open. Read from
    the office's own command line, as no interface tells it."""
    try:
        with open("/proc/self/cmdline", "rb") as f:
            arguments = f.read().split(b"\0")
    except OSError:
        return False
    return b"--headless" in arguments or b"-headless" in arguments


def _box_type(style):
    icon = style & 0x70
    if icon == _CRITICAL:
        return ERRORBOX
    if icon == _INFORMATION:
        return INFOBOX
    return MESSAGEBOX


def show_messages(ctx, frame, messages):
    """Each message as a modal box, in order; nothing when headless."""
    if headless() or not messages:
        return
    toolkit = ctx.ServiceManager.createInstanceWithContext("com.sun.star.awt.Toolkit", ctx)
    parent = frame.getContainerWindow()
    for message in messages:
        box = toolkit.createMessageBox(parent, _box_type(message.get("style", 0)), _OK,
                                       message.get("title") or _DEFAULT_TITLE,
                                       message.get("text", ""))
        box.execute()
        box.dispose()


def message(text, style=_CRITICAL, title=""):
    return {"text": text, "title": title, "style": style}


def write_report(text, environ=os.environ):
    """The command's JSON report into the file FENWARX_CALC_REPORT names, whole
    or not at all."""
    path = environ.get(REPORT_VARIABLE)
    if not path:
        return
    folder = os.path.dirname(os.path.abspath(path))
    handle, temporary = tempfile.mkstemp(prefix=".fenwarx-report-", dir=folder)
    try:
        with os.fdopen(handle, "w", encoding="utf-8") as f:
            f.write(text)
        os.replace(temporary, path)
    except OSError:
        if os.path.exists(temporary):
            os.unlink(temporary)


def report_text(messages=(), failure=None):
    """A report in the shape fenwarx prints, for a command that stopped before
    fenwarx printed one (or printed none)."""
    return json.dumps({"messages": list(messages), "errors": 0, "log": [], "form": None,
                       "return_file": None, "saved": None, "failure": failure},
                      indent=2) + "\n"


class Progress:
    """The status bar's progress indicator while fenwarx runs: the status text
    fenwarx shows, and a bar that keeps moving, as fenwarx does not say how far
    it has come."""

    _RANGE = 100

    def __init__(self, frame, title):
        self._title = title
        self._text = title
        self._value = 0
        self._indicator = None
        try:
            self._indicator = frame.createStatusIndicator()
            self._indicator.start(title, self._RANGE)
        except Exception:
            self._indicator = None  # a frame without a status bar

    def update(self, status):
        if self._indicator is None:
            return
        text = f"{self._title}: {status}" if status else self._title
        if text != self._text:
            self._indicator.setText(text)
            self._text = text
        self._value = (self._value + 2) % (self._RANGE + 1)
        self._indicator.setValue(self._value)

    def end(self):
        if self._indicator is not None:
            self._indicator.end()
            self._indicator = None
