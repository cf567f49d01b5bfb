"""The toolbar's commands: what each asks of fenwarx, and one command's run on
the document in front: store it, run fenwarx on it, load what fenwarx saved in
the same window, show the result."""

import json
import os
import time
from dataclasses import dataclass

from fenwarx_calc import bulk, document, library, options, program, results

_FILE_NOT_FOUND = 53
_PATH_ACCESS = 75
_INTERNAL = 51
_LISTED_LINES = 40
# Above this many rows on a sheet, storing and loading the workbook again costs
# Calc seconds more than the job: the bulk mode takes over unless told not to.
_BULK_ROWS = 5000
_STATUS_SECONDS = 0.1


@dataclass(frozen=True)
class Command:
    title: str
    arguments: tuple
    workbook: bool = True  # runs on the document's workbook
    out_dir: bool = False
    validator: bool = False
    form_required: bool = False  # fenwarx cannot tell the form without the workbook
    book_job: str | None = None  # the job the bulk mode runs for it, if it has one


# In the order of the workbook's own buttons: verify then the salary sheets,
# export then validate, certificates after an export.
COMMANDS = {
    "verify": Command(title="Verify", arguments=("verify",), book_job="verify"),
    "salary": Command(title="Verify salary", arguments=("verify", "--salary"), book_job="salary"),
    "export": Command(title="Export", arguments=("export",), out_dir=True, book_job="export"),
    "validate": Command(title="Validate", arguments=("validate",), workbook=False, out_dir=True,
                        validator=True, form_required=True),
    "certificates": Command(title="Certificates", arguments=("certificates",)),
}

# The form fenwarx told for a document's file, so that Validate need not ask again.
_told_forms = {}
_running = False


def run(ctx, name):
    """Runs the command of that name on the document in front. A command asked
    for while one runs (a second click) is ignored."""
    global _running
    command = COMMANDS.get(name)
    if command is None or _running:
        return
    _running = True
    try:
        _Run(ctx, command).run()
    finally:
        _running = False


class _Stop(Exception):
    """Ends a command before or instead of fenwarx's report, with a failure."""

    def __init__(self, number, description):
        super().__init__(description)
        self.failure = {"number": number, "description": description}


class _Run:
    def __init__(self, ctx, command):
        self.ctx = ctx
        self.command = command
        self.frame = None
        self.doc = None
        self.workbook = None
        self.progress = None

    def run(self):
        try:
            self._find_document()
            settings = options.read(self.ctx)
            binary = options.find_program(settings, os.environ)
            if not binary:
                raise _Stop(_FILE_NOT_FOUND, "File not found: fenwarx. Give its path in "
                            "Tools > Options > Fenwarx, or put it on PATH.")
            window = self.frame.getContainerWindow()
            window.setEnable(False)  # nothing typed meanwhile that a reload would drop
            self.progress = results.Progress(self.frame, f"Fenwarx: {self.command.title}")
            try:
                view = document.view_of(self.doc)
                lib = self._bulk_library(binary, settings)
                if lib is not None:
                    outcome = self._run_bulk(lib, settings)
                else:
                    outcome = self._run_program(binary, settings)
            finally:
                self.progress.end()
                window.setEnable(True)
            self._finish(outcome, view)
        except _Stop as stop:
            self._stop(stop.failure)
        except Exception as error:
            # The office failed us (a document closed meanwhile, a call refused):
            # said, not swallowed. Nothing was written into the document.
            self._stop({"number": _INTERNAL,
                        "description": f"Fenwarx could not finish: {document.text_of(error)}"})
            raise

    def _stop(self, failure):
        self._discard()
        if self.frame is not None:
            results.show_messages(self.ctx, self.frame, [results.message(failure["description"])])
        results.write_report(results.report_text(failure=failure))

    def _find_document(self):
        desktop = self.ctx.ServiceManager.createInstanceWithContext(
            "com.sun.star.frame.Desktop", self.ctx)
        self.frame = desktop.getCurrentFrame()
        controller = self.frame.getController() if self.frame else None
        self.doc = controller.getModel() if controller else None
        if self.doc is None or not self.doc.supportsService(
                "com.sun.star.sheet.SpreadsheetDocument"):
            self.frame = None
            raise _Stop(_FILE_NOT_FOUND, "Fenwarx works on a return workbook open in Calc.")

    def _workbook(self):
        if self.workbook is None:
            try:
                self.workbook = document.workbook_of(self.doc)
            except document.DocumentError as error:
                raise _Stop(_PATH_ACCESS, f"Path/File access error: {error}. Nothing was run.")
        return self.workbook

    def _arguments(self, settings, form):
        arguments = [*self.command.arguments, "--json"]
        if form:
            arguments += ["--form", form]
        if self.command.out_dir:
            arguments += ["--out-dir", options.out_dir(settings, os.environ)]
        if self.command.validator and settings.validator:
            arguments += ["--validator", settings.validator]
        if self.command.workbook:
            arguments.append(self._workbook().path)
        return arguments

    def _execute(self, binary, settings, arguments):
        try:
            return program.run([binary, *arguments], options.environment(settings, os.environ),
                               cwd=os.path.expanduser("~"), on_status=self.progress.update)
        except program.ProgramError as error:
            raise _Stop(_FILE_NOT_FOUND, f"File not found: {error}. Give the path of fenwarx "
                        "in Tools > Options > Fenwarx.")

    def _run_program(self, binary, settings):
        form = settings.form
        if not form and self.command.form_required:
            form = _told_forms.get(self.doc.getURL()) or self._tell_form(binary, settings)
        return self._execute(binary, settings, self._arguments(settings, form))

    def _bulk_library(self, binary, settings):
        """The library, when this command runs in the bulk mode."""
        if not self.command.book_job or settings.mode == "process":
            return None
        if settings.mode != "bulk" and not _large(self.doc):
            return None
        try:
            return library.load(binary)
        except library.LibraryError:
            return None  # the program does the same on the saved file

    def _run_bulk(self, lib, settings):
        folder = None
        if self.doc.hasLocation() and self.doc.getURL().startswith("file:"):
            folder = os.path.dirname(document.system_path(self.doc.getURL()))
        book = library.Book(lib, folder)
        shown = [0.0]

        def status(text):
            if time.monotonic() - shown[0] >= _STATUS_SECONDS:
                shown[0] = time.monotonic()
                self.progress.update(text)

        try:
            self.progress.update("reading the workbook")
            bulk.read_into(book, self.doc)
            text = book.run(self.command.book_job, settings.form,
                            options.out_dir(settings, os.environ),
                            bulk.today_serial(os.environ.get("FENWARX_TODAY")), status)
            report = json.loads(text)
            if not report.get("failure"):
                self.progress.update("writing the results")
                try:
                    bulk.write_changes(self.doc, book.changes(), f"Fenwarx: {self.command.title}")
                except Exception as error:
                    report["failure"] = {
                        "number": _INTERNAL,
                        "description": "the results could not be written into the document, "
                                       f"which is as it was: {document.text_of(error)}"}
                    text = json.dumps(report, indent=2) + "\n"
        finally:
            book.release()
        return program.Run(exit_code=0, report=report, text=text)

    def _tell_form(self, binary, settings):
        # A verification that saves nothing is how fenwarx tells a workbook's form.
        told = self._execute(binary, settings, ["verify", "--json", "--no-save",
                                                self._workbook().path])
        form = (told.report or {}).get("form")
        if not form:
            raise _Stop(_FILE_NOT_FOUND, "fenwarx cannot tell the form of this workbook. "
                        "Choose it in Tools > Options > Fenwarx.")
        return form

    def _finish(self, outcome, view):
        report = outcome.report
        shown = []
        if report is None:
            description = "\n".join(outcome.lines) or _ending(outcome.exit_code)
            failure = {"number": _INTERNAL, "description": description}
            shown.append(results.message(description))
            report_text = results.report_text(failure=failure)
        else:
            report_text = outcome.text
            if report.get("form") and self.doc.hasLocation():
                _told_forms[self.doc.getURL()] = report["form"]
            if report.get("saved") and self.workbook is not None:
                shown += self._reload(view)
            shown = list(report.get("messages") or []) + shown
            failure = report.get("failure")
            if failure:
                shown.append(results.message(
                    f"error {failure.get('number')}: {failure.get('description')}"))
            shown += self._said(outcome, failure)
        self._discard()
        results.show_messages(self.ctx, self.frame, shown)
        results.write_report(report_text)

    def _reload(self, view):
        try:
            self.doc = document.reload(self.frame, self.doc, self.workbook, view)
        except document.DocumentError as error:
            self.workbook.temporary = None  # it holds the results: keep it
            return [results.message(f"Path/File access error: {error}.")]
        return []

    def _said(self, outcome, failure):
        """What fenwarx or the validator said on standard error besides the
        report: why a run was refused, the validator's findings."""
        if outcome.exit_code == 0:
            return []
        lines = [line for line in outcome.lines
                 if not (failure and line.startswith("fenwarx: error "))]
        if not lines:
            return []
        if any("--form" in line for line in lines):
            lines.append("The form can be chosen in Tools > Options > Fenwarx.")
        if len(lines) > _LISTED_LINES:
            lines = lines[:_LISTED_LINES] + [f"... and {len(lines) - _LISTED_LINES} more lines"]
        return [results.message("\n".join(lines), style=0)]

    def _discard(self):
        if self.workbook is not None:
            self.workbook.discard()
            self.workbook = None


def _large(doc):
    sheets = doc.getSheets()
    for index in range(sheets.getCount()):
        cursor = sheets.getByIndex(index).createCursor()
        cursor.gotoEndOfUsedArea(False)
        if cursor.getRangeAddress().EndRow + 1 > _BULK_ROWS:
            return True
    return False


def _ending(exit_code):
    if exit_code < 0:
        return f"fenwarx ended with signal {-exit_code} and printed no report."
    return f"fenwarx ended with exit code {exit_code} and printed no report."
