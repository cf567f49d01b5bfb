#!/usr/bin/python3
"""How the Calc extension runs fenwarx and reads what it printed, with stand-in
programs: the status texts of its terminal, the lines of its standard error,
its JSON report, and programs it leaves running. No office needed."""

import os
import sys
import tempfile
import textwrap
import time
import unittest

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.environ.get("FENWARX_CALC_PYTHONPATH", os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "..", "calc", "package", "pythonpath")))
from fenwarx_calc import program  # noqa: E402


class ProgramRun(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory(prefix="fenwarx-calc-program-")
        self.addCleanup(self.folder.cleanup)

    def script(self, body):
        path = os.path.join(self.folder.name, "stand-in.py")
        with open(path, "w") as f:
            f.write("import os, sys, time\n" + textwrap.dedent(body))
        return [sys.executable, path]

    def test_status_texts_lines_and_report(self):
        argv = self.script("""
            sys.stderr.write("\\r\\033[KVerifing Challan Details Row NO 3")
            sys.stderr.flush()
            time.sleep(0.6)
            sys.stderr.write("\\r\\033[K")
            sys.stderr.write("fenwarx: no return file at /x/eTDS26.txt\\n")
            print('{"messages": [], "errors": 2, "saved": null}')
            sys.exit(1)
        """)
        seen = []
        run = program.run(argv, dict(os.environ), on_status=seen.append, poll=0.05)
        self.assertEqual(run.exit_code, 1)
        self.assertEqual(run.report, {"messages": [], "errors": 2, "saved": None})
        self.assertEqual(run.lines, ["fenwarx: no return file at /x/eTDS26.txt"])
        self.assertIn("Verifing Challan Details Row NO 3", seen)

    def test_a_report_larger_than_a_pipe_holds(self):
        argv = self.script("""
            import json
            print(json.dumps({"log": ["x" * 100] * 20000}))
        """)
        run = program.run(argv, dict(os.environ))
        self.assertEqual(run.exit_code, 0)
        self.assertEqual(len(run.report["log"]), 20000)

    def test_output_that_is_no_report(self):
        run = program.run(self.script("print('[info] not JSON')\nos.kill(os.getpid(), 9)\n"),
                          dict(os.environ))
        self.assertEqual(run.exit_code, -9)
        self.assertIsNone(run.report)
        self.assertEqual(run.text, "[info] not JSON\n")

    def test_a_program_left_running_keeps_its_terminal(self):
        # As the certificate host's utility: started, not waited for, and
        # writing on the terminal it was given after fenwarx has ended.
        done = os.path.join(self.folder.name, "done")
        argv = self.script(f"""
            import subprocess
            subprocess.Popen([sys.executable, "-c",
                "import sys, time; time.sleep(1.5); "
                "sys.stderr.write('certificates written\\\\n'); sys.stderr.flush(); "
                "open({done!r}, 'w').close()"], start_new_session=True)
            print('{{}}')
        """)
        started = time.monotonic()
        run = program.run(argv, dict(os.environ))
        self.assertLess(time.monotonic() - started, 1.4, "waited for the program left running")
        self.assertEqual(run.report, {})
        deadline = time.monotonic() + 10
        while not os.path.exists(done) and time.monotonic() < deadline:
            time.sleep(0.1)
        self.assertTrue(os.path.exists(done), "writing on the terminal failed after fenwarx ended")

    def test_a_program_that_is_not_there(self):
        with self.assertRaises(program.ProgramError) as raised:
            program.run([os.path.join(self.folder.name, "fenwarx")], dict(os.environ))
        self.assertIn("fenwarx", str(raised.exception))


if __name__ == "__main__":
    unittest.main(verbosity=2)
