"""Running the fenwarx program and reading what it printed.

The program runs as a child process, so that a crash in it cannot take Calc and
the user's unsaved work down. Its standard output (the JSON report of --json)
goes to a temporary file, which no pipe can fill up. Its standard error is a
pseudo-terminal: fenwarx shows the status bar of its jobs there only when that
is a terminal, and those texts belong in Calc's status bar.
"""

import json
import os
import pty
import subprocess
import tempfile
import threading
import time
import tty
from dataclasses import dataclass, field


@dataclass
class Run:
    exit_code: int  # negative: ended by that signal
    report: dict | None  # the JSON object printed, None when there was none
    text: str  # standard output as printed
    lines: list = field(default_factory=list)  # standard error, status texts aside


class ProgramError(Exception):
    """The program could not be started."""


class TerminalReader(threading.Thread):
    """Reads a pseudo-terminal as a terminal would show it: text after a carriage
    return replaces the line, so the unfinished line is the status text, and
    each finished line is output. Reads until every writer has closed it: a
    program started by fenwarx and not waited for (the certificate host's
    utility) may keep writing after fenwarx has ended."""

    _ERASE = "\033[K"

    def __init__(self, master):
        super().__init__(daemon=True)
        self._master = master
        self._lock = threading.Lock()
        self._line = ""
        self._lines = []

    def run(self):
        try:
            while True:
                try:
                    chunk = os.read(self._master, 4096)
                except OSError:  # EIO: no writer left
                    break
                if not chunk:
                    break
                self._take(chunk.decode("utf-8", "replace"))
        finally:
            os.close(self._master)

    def _take(self, text):
        with self._lock:
            for char in text.replace(self._ERASE, ""):
                if char == "\r":
                    self._line = ""
                elif char == "\n":
                    if self._line.strip():
                        self._lines.append(self._line.rstrip())
                    self._line = ""
                else:
                    self._line += char

    def status(self):
        with self._lock:
            return self._line.strip()

    def lines(self):
        with self._lock:
            return list(self._lines)


def run(argv, env, cwd=None, on_status=None, poll=0.1):
    """Runs argv and waits for it, calling on_status(text) with the status text
    (empty while there is none) every poll seconds."""
    master, slave = pty.openpty()
    tty.setraw(slave)  # no "\r\n" for "\n", no echo
    reader = TerminalReader(master)
    with tempfile.TemporaryFile() as out:
        try:
            child = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=out, stderr=slave,
                                     env=env, cwd=cwd, close_fds=True)
        except OSError as error:
            os.close(master)
            raise ProgramError(f"{argv[0]}: {error.strerror}") from error
        finally:
            os.close(slave)
        reader.start()
        while child.poll() is None:
            time.sleep(poll)
            if on_status:
                on_status(reader.status())
        # What the program wrote just before it ended.
        reader.join(timeout=0.5)
        out.seek(0)
        text = out.read().decode("utf-8", "replace")
    return Run(exit_code=child.returncode, report=_report_of(text), text=text,
               lines=reader.lines())


def _report_of(text):
    try:
        report = json.loads(text)
    except ValueError:
        return None
    return report if isinstance(report, dict) else None
