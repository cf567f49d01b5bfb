#!/usr/bin/python3
"""The Calc extension in a headless office: the built .oxt installed through
the extension manager, each toolbar command dispatched on a return workbook,
and the document as it was loaded again, the report file and the return file
checked. Usage: calc_extension_test.py GROUP (Verify, Salary, Export, Validate,
Certificates, Options, Bulk, Bundled), with FENWARX_OXT, FENWARX_OXT_TREE,
FENWARX_PROGRAM and FENWARX_EXAMPLES set (ctest sets them)."""

import glob
import os
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import threading
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import office  # noqa: E402  (beside this file)

OXT = os.environ.get("FENWARX_OXT", "")
OXT_TREE = os.environ.get("FENWARX_OXT_TREE", "")  # the files of the .oxt, as installed
PROGRAM = os.environ.get("FENWARX_PROGRAM", "")
EXAMPLES = os.environ.get("FENWARX_EXAMPLES", "")
TODAY = "2026-12-07"  # the examples' returns are of 2005-06, deposited before it
RED = 0xFF0000
DEDUCTOR, CHALLANS, DEDUCTEES = "Deductor Details", "Challan Details", "Deductee Details"
COMMAND_URLS = {f"service:org.fenwarx.Calc?{c}"
                for c in ("verify", "salary", "export", "validate", "certificates")}

_office = None
_bundled = None  # the folder of the office's bundled extensions, for the Bundled group


def setUpModule():
    global _office, _bundled
    for name, value in (("FENWARX_OXT", OXT), ("FENWARX_OXT_TREE", OXT_TREE),
                        ("FENWARX_PROGRAM", PROGRAM), ("FENWARX_EXAMPLES", EXAMPLES)):
        if not value or not os.path.exists(value):
            raise RuntimeError(f"{name} must name what the build made: {value!r}")
    _end_office_on_term()
    group = sys.argv[1] if len(sys.argv) > 1 else "all"
    environment = {"FENWARX_TODAY": TODAY, "FENWARX_OUT_DIR": ""}
    if group == "Bundled":
        # The files as `cmake --install` lays them out among the office's own extensions.
        _bundled = tempfile.mkdtemp(prefix="fenwarx-calc-bundled-")
        shutil.copytree(OXT_TREE, os.path.join(_bundled, "fenwarx"))
        _office = office.Office(group, environment, bundled=_bundled)
    else:
        _office = office.Office(group, environment)
        _office.install(OXT)


def _end_office_on_term():
    """A run ended by SIGTERM ends its office at once, even while a call into the
    office waits: a thread of its own takes the signal, which every other thread
    blocks from the start (the office unblocks it for itself)."""
    def wait():
        signal.sigwait({signal.SIGTERM})
        if _office is not None:
            _office.kill()
        if _bundled is not None:
            shutil.rmtree(_bundled, ignore_errors=True)
        os._exit(1)
    signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGTERM})
    threading.Thread(target=wait, daemon=True).start()


def tearDownModule():
    if _office is not None:
        _office.close()
    if _bundled is not None:
        shutil.rmtree(_bundled)


def cell(doc, sheet, row, column):
    """A cell by its 1-based row and column, as the return's layout counts them."""
    return doc.getSheets().getByName(sheet).getCellByPosition(column - 1, row - 1)


def flag(doc):
    return cell(doc, DEDUCTOR, 100, 101).getString()


def disposed(doc):
    try:
        doc.getURL()
    except Exception:
        return True
    return False


def file_bytes(path):
    with open(path, "rb") as f:
        return f.read()


class CalcCase(unittest.TestCase):
    def setUp(self):
        self.office = _office
        self.work = os.path.join(self.office.scratch, "work", self.id().rsplit(".", 1)[-1])
        os.makedirs(self.work)
        self.out = os.path.join(self.work, "out")
        os.makedirs(self.out)
        self.office.set_options(Program="", Form="", OutDir=self.out, Validator="",
                                SystemFolder="", Mode="")

    def tearDown(self):
        self.office.close_documents()

    def book(self, name, as_name=None):
        path = os.path.join(self.work, as_name or name)
        shutil.copyfile(os.path.join(EXAMPLES, name), path)
        return path

    def run_command(self, command):
        report = self.office.dispatch(command)
        self.assertIsNotNone(report, f"no report from {command}")
        return report

    def texts(self, report):
        return [m["text"] for m in report["messages"]]


class Verify(CalcCase):
    def test_marks_the_mistakes_and_keeps_the_cursor(self):
        path = self.book("form26-return-mistakes.xlsx")
        doc = self.office.open(path)
        controller = doc.getCurrentController()
        challans = doc.getSheets().getByName(CHALLANS)
        controller.setActiveSheet(challans)
        controller.select(challans.getCellRangeByName("C5"))

        report = self.run_command("verify")
        self.assertEqual(report["errors"], 10)
        self.assertIn("This sheet contains 10 errors(s).", self.texts(report))
        self.assertEqual(report["saved"], path)
        self.assertEqual(report["form"], "26")
        self.assertIn("C3", [line["address"] for line in report["log"]])

        self.assertTrue(disposed(doc), "the document was not loaded again")
        doc = self.office.front()
        self.assertEqual(doc.getURL(), self.office.url(path))
        self.assertFalse(doc.isModified())
        self.assertEqual(cell(doc, DEDUCTEES, 3, 3).CellBackColor, RED)
        self.assertEqual(flag(doc), "Error")
        log = [cell(doc, DEDUCTOR, row, column).getString()
               for row in range(1, 40) for column in range(30, 35)]
        self.assertTrue(any("DFRPK" in text or "PAN" in text for text in log),
                        "the error log on the deductor sheet is empty")
        controller = doc.getCurrentController()
        self.assertEqual(controller.getActiveSheet().getName(), CHALLANS)
        self.assertEqual(controller.getSelection().AbsoluteName, "$'Challan Details'.$C$5")

    def test_stores_unsaved_changes_before_it_runs(self):
        path = self.book("form26-return.xlsx")
        doc = self.office.open(path)
        cell(doc, DEDUCTEES, 3, 5).setString("Ramesh Kulkarni")
        self.assertTrue(doc.isModified())

        report = self.run_command("verify")
        self.assertEqual(report["errors"], 0)
        self.assertEqual(report["failure"], None)
        doc = self.office.front()
        self.assertEqual(cell(doc, DEDUCTEES, 3, 5).getString(), "Ramesh Kulkarni")
        self.assertEqual(flag(doc), "Verified")

    def test_a_new_document_is_checked_through_a_copy(self):
        path = self.book("form26-return.xlsx")
        before = file_bytes(path)
        self.office.open(path, AsTemplate=True)

        report = self.run_command("verify")
        self.assertEqual(report["errors"], 0)
        doc = self.office.front()
        self.assertFalse(doc.hasLocation(), "the copy's result must stay untitled")
        self.assertEqual(flag(doc), "Verified")
        self.assertEqual(file_bytes(path), before)
        self.assertEqual(glob.glob(os.path.join(self.office.temporary, "fenwarx-calc-*")), [])


class Salary(CalcCase):
    def test_checks_the_salary_sheets_after_the_return(self):
        path = self.book("form24-return.xlsx")
        self.office.open(path)
        report = self.run_command("salary")
        self.assertEqual(report["errors"], 0)
        self.assertEqual(report["form"], "24")
        self.assertIn("The salary sheets contain no error.", self.texts(report))
        self.assertEqual(flag(self.office.front()), "Verified")

    def test_a_form_without_salary_sheets_is_left_alone(self):
        path = self.book("form26-return.xlsx")
        before = file_bytes(path)
        doc = self.office.open(path)
        report = self.run_command("salary")
        self.assertIsNone(report["saved"])
        self.assertFalse(disposed(doc), "a refused run must not load the document again")
        self.assertEqual(file_bytes(path), before)


class Export(CalcCase):
    def test_writes_the_return_file_and_flags_the_workbook(self):
        path = self.book("form26-return.xlsx")
        self.office.open(path)
        report = self.run_command("export")
        return_file = os.path.join(self.out, "eTDS26.txt")
        self.assertEqual(report["return_file"], return_file)
        self.assertTrue(os.path.getsize(return_file) > 0)
        self.assertEqual(flag(self.office.front()), "Exported")
        checked = subprocess.run([PROGRAM, "check", "--workbook", path, return_file],
                                 capture_output=True, text=True)
        self.assertEqual(checked.returncode, 0, checked.stdout)

    def test_a_return_with_mistakes_gets_no_file(self):
        path = self.book("form26-return-mistakes.xlsx")
        self.office.open(path)
        report = self.run_command("export")
        self.assertIsNone(report["return_file"])
        self.assertEqual(os.listdir(self.out), [])
        doc = self.office.front()
        self.assertEqual(cell(doc, DEDUCTEES, 3, 3).CellBackColor, RED)
        self.assertNotEqual(flag(doc), "Exported")


class Validate(CalcCase):
    def test_validates_the_exported_return_file(self):
        self.office.open(self.book("form26-return.xlsx"))
        self.run_command("export")
        report = self.run_command("validate")
        self.assertEqual(report["failure"], None)
        self.assertEqual(report["form"], "26")
        self.assertEqual(report["return_file"], os.path.join(self.out, "eTDS26.txt"))

    def test_tells_the_form_of_a_workbook_it_did_not_export_without_saving_it(self):
        self.office.open(self.book("form24-return.xlsx"))
        self.run_command("export")
        self.office.close_documents()
        path = self.book("form24-return.xlsx", "not-yet-seen.xlsx")
        before = file_bytes(path)
        self.office.open(path)
        report = self.run_command("validate")
        self.assertEqual(report["form"], "24")
        self.assertEqual(report["return_file"], os.path.join(self.out, "eTDS24.txt"))
        self.assertEqual(file_bytes(path), before)

    def test_a_validator_that_rejects_the_file(self):
        validator = os.path.join(self.work, "reject.sh")
        with open(validator, "w") as f:
            f.write("#!/bin/sh\necho rejected: \"$1\"\nexit 1\n")
        os.chmod(validator, 0o755)
        self.office.open(self.book("form26-return.xlsx"))
        self.run_command("export")
        self.office.set_options(Validator=validator, Form="26")
        report = self.run_command("validate")
        self.assertEqual(report["failure"], None)
        self.assertEqual(report["form"], "26")
        self.assertNotIn("Validation Sucess", " ".join(self.texts(report)))


class Certificates(CalcCase):
    def host(self):
        system = os.path.join(self.work, "system")
        host = os.path.join(self.work, "host")
        env = dict(os.environ, FENWARX_SYSTEM_DIR=system)
        made = subprocess.run([PROGRAM, "host", "init", host], env=env, capture_output=True,
                              text=True)
        self.assertEqual(made.returncode, 0, made.stderr)
        self.office.set_options(SystemFolder=system)
        return host

    def test_fills_the_host_after_an_export(self):
        host = self.host()
        self.office.open(self.book("form26-return.xlsx"))
        self.run_command("export")
        doc = self.office.front()
        report = self.run_command("certificates")
        self.assertEqual(report["failure"], None)
        self.assertEqual(report["certificates"]["rows"], 12)
        self.assertIsNone(report["saved"])
        self.assertFalse(disposed(doc), "certificates write nothing to load again")
        with sqlite3.connect(os.path.join(host, "Quonda.mdb")) as db:
            self.assertEqual(db.execute('select count(*) from "16a"').fetchone()[0], 12)

    def test_asks_for_an_export_first(self):
        self.host()
        self.office.open(self.book("form26-return.xlsx"))
        report = self.run_command("certificates")
        self.assertIn("Please Export first then Press for Certificate !", self.texts(report))
        self.assertNotIn("certificates", report)


class Options(CalcCase):
    def test_the_toolbar_and_the_menu_dispatch_the_commands(self):
        addons = "/org.openoffice.Office.Addons/AddonUI"
        toolbar = self.office.configuration(f"{addons}/OfficeToolBar").getByName(
            "org.fenwarx.Calc.Toolbar")
        self.assertEqual({toolbar.getByName(n).URL for n in toolbar.getElementNames()},
                         COMMAND_URLS)
        menu = self.office.configuration(f"{addons}/OfficeMenuBar").getByName(
            "org.fenwarx.Calc.Menu").Submenu
        self.assertEqual({menu.getByName(n).URL for n in menu.getElementNames()}, COMMAND_URLS)

    def test_the_options_page_shows_and_saves_the_settings(self):
        self.office.open(self.book("form26-return.xlsx"))
        self.office.set_options(Program="/opt/fenwarx/bin/fenwarx", Form="27", Mode="bulk")
        handler = self.office.smgr.createInstanceWithContext("org.fenwarx.Calc.OptionsPage",
                                                             self.office.ctx)
        page = self.office.options_page(handler)
        self.assertTrue(handler.callHandlerMethod(page, "initialize", "external_event"))
        self.assertEqual(page.getControl("Program").getModel().Text, "/opt/fenwarx/bin/fenwarx")
        self.assertEqual(page.getControl("OutDir").getModel().Text, self.out)
        form = page.getControl("Form").getModel()
        self.assertEqual(form.StringItemList[form.SelectedItems[0]], "27")
        mode = page.getControl("Mode").getModel()
        self.assertEqual(mode.SelectedItems, (2,))

        page.getControl("Validator").getModel().Text = "java -jar /opt/v/validator.jar"
        form.SelectedItems = (0,)
        mode.SelectedItems = (1,)
        self.assertTrue(handler.callHandlerMethod(page, "ok", "external_event"))
        saved = self.office.configuration("/org.fenwarx.Calc/Options")
        self.assertEqual(saved.Validator, "java -jar /opt/v/validator.jar")
        self.assertEqual(saved.Form, "")
        self.assertEqual(saved.Mode, "process")
        self.assertEqual(saved.Program, "/opt/fenwarx/bin/fenwarx")

    def test_a_missing_program_runs_nothing(self):
        path = self.book("form26-return.xlsx")
        doc = self.office.open(path)
        self.office.set_options(Program=os.path.join(self.work, "no-such-fenwarx"))
        report = self.run_command("verify")
        self.assertEqual(report["failure"]["number"], 53)
        self.assertFalse(disposed(doc))

    def test_a_failed_run_leaves_the_document_as_it_was(self):
        crash = os.path.join(self.work, "crash.sh")
        with open(crash, "w") as f:
            f.write("#!/bin/sh\necho 'half a report {'\necho 'fenwarx: it broke' >&2\n"
                    "kill -SEGV $$\n")
        os.chmod(crash, 0o755)
        path = self.book("form26-return.xlsx")
        doc = self.office.open(path)
        cell(doc, DEDUCTEES, 3, 5).setString("Typed before the run")
        self.office.set_options(Program=crash)

        report = self.run_command("verify")
        self.assertEqual(report["failure"]["number"], 51)
        self.assertIn("fenwarx: it broke", report["failure"]["description"])
        self.assertFalse(disposed(doc), "a failed run must not load the file again")
        self.assertEqual(cell(doc, DEDUCTEES, 3, 5).getString(), "Typed before the run")
        # What was typed went to the file before the run, not lost with it.
        self.assertFalse(doc.isModified())


def sheet_cells(doc):
    """Every sheet's values and formulas, and the fills of its cells."""
    cells = {}
    sheets = doc.getSheets()
    for index in range(sheets.getCount()):
        sheet = sheets.getByIndex(index)
        cursor = sheet.createCursor()
        cursor.gotoEndOfUsedArea(False)
        end = cursor.getRangeAddress()
        used = sheet.getCellRangeByPosition(0, 0, end.EndColumn, end.EndRow)
        fills = set()
        blocks = sheet.getCellFormatRanges()
        for i in range(blocks.getCount()):
            block = blocks.getByIndex(i)
            a = block.getRangeAddress()
            if block.CellBackColor != -1:
                fills |= {(r, c, block.CellBackColor)
                          for r in range(a.StartRow, min(a.EndRow, end.EndRow) + 1)
                          for c in range(a.StartColumn, min(a.EndColumn, end.EndColumn) + 1)}
        cells[sheet.getName()] = (used.getDataArray(), used.getFormulaArray(), fills)
    return cells


class Bulk(CalcCase):
    def test_verify_changes_the_document_as_fenwarx_changes_the_file(self):
        in_bulk = self.book("form26-return-mistakes.xlsx", "in-bulk.xlsx")
        before = file_bytes(in_bulk)
        self.office.set_options(Mode="bulk")
        doc = self.office.open(in_bulk)
        as_it_was = sheet_cells(doc)
        report = self.run_command("verify")
        self.assertFalse(disposed(doc), "the bulk mode loads nothing again")
        self.assertTrue(doc.isModified())
        self.assertEqual(file_bytes(in_bulk), before, "the bulk mode saves nothing")

        self.office.set_options(Mode="process")
        self.office.open(self.book("form26-return-mistakes.xlsx", "in-file.xlsx"))
        on_file = self.run_command("verify")
        self.assertIsNone(report.pop("saved"))
        on_file.pop("saved")
        self.assertEqual(report, on_file)
        self.assertEqual(sheet_cells(doc), sheet_cells(self.office.front()))

        undo = doc.getUndoManager()
        self.assertEqual(undo.getCurrentUndoActionTitle(), "Fenwarx: Verify")
        undo.undo()
        self.assertEqual(sheet_cells(doc), as_it_was)

    def test_export_writes_the_return_file_the_program_writes(self):
        self.office.set_options(Mode="bulk")
        self.office.open(self.book("form24-return.xlsx"))
        report = self.run_command("export")
        self.assertEqual(report["return_file"], os.path.join(self.out, "eTDS24.txt"))
        self.assertEqual(flag(self.office.front()), "Exported")
        in_bulk = file_bytes(report["return_file"])
        on_file = subprocess.run(
            [PROGRAM, "export", "--json", "--out-dir", self.work,
             self.book("form24-return.xlsx", "on-file.xlsx")],
            env=dict(os.environ, FENWARX_TODAY=TODAY), capture_output=True, text=True)
        self.assertEqual(on_file.returncode, 0, on_file.stdout)
        self.assertEqual(in_bulk, file_bytes(os.path.join(self.work, "eTDS24.txt")))

    def test_without_the_library_fenwarx_runs_on_the_file(self):
        alone = os.path.join(self.work, "bin", "fenwarx")
        os.makedirs(os.path.dirname(alone))
        shutil.copy(PROGRAM, alone)
        self.office.set_options(Mode="bulk", Program=alone)
        path = self.book("form26-return.xlsx")
        self.office.open(path)
        report = self.run_command("verify")
        self.assertEqual(report["saved"], path)
        self.assertEqual(flag(self.office.front()), "Verified")


class Bundled(CalcCase):
    def test_the_installed_files_are_an_extension_of_every_user(self):
        self.assertIn("org.fenwarx.calc", self.office.extensions("bundled"))
        self.assertNotIn("org.fenwarx.calc", self.office.extensions("user"))
        self.office.open(self.book("form26-return.xlsx"))
        report = self.run_command("export")
        self.assertEqual(report["return_file"], os.path.join(self.out, "eTDS26.txt"))


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], *sys.argv[1:]], verbosity=2)
