"""The extension's settings (Tools > Options > Fenwarx) and what they resolve to.

An empty setting means the default the command line itself would take: the
program found on PATH, the form the workbook shows, and the environment's
FENWARX_OUT_DIR, FENWARX_VALIDATOR and FENWARX_SYSTEM_DIR; and the bulk mode for
large workbooks only.
"""

import os
import shutil
from dataclasses import dataclass, fields

from com.sun.star.beans import PropertyValue

NODE = "/org.fenwarx.Calc/Options"
FORMS = ("", "24", "26", "27", "27EQ")  # "" as the workbook shows it
# How fenwarx runs: "" the bulk mode for large workbooks only, "process" always
# as a separate program on the saved file, "bulk" always inside Calc.
MODES = ("", "process", "bulk")


@dataclass
class Options:
    program: str = ""
    form: str = ""
    out_dir: str = ""
    validator: str = ""
    system_folder: str = ""
    mode: str = ""


# The configuration's name of each field.
_NAMES = {
    "program": "Program",
    "form": "Form",
    "out_dir": "OutDir",
    "validator": "Validator",
    "system_folder": "SystemFolder",
    "mode": "Mode",
}


def _access(ctx, service):
    provider = ctx.ServiceManager.createInstanceWithContext(
        "com.sun.star.configuration.ConfigurationProvider", ctx)
    node = PropertyValue()
    node.Name = "nodepath"
    node.Value = NODE
    return provider.createInstanceWithArguments(service, (node,))


def read(ctx):
    access = _access(ctx, "com.sun.star.configuration.ConfigurationAccess")
    values = {f.name: (access.getPropertyValue(_NAMES[f.name]) or "").strip()
              for f in fields(Options)}
    # Typed into the registry by hand: what no command would take counts as unset.
    values["form"] = values["form"].upper()
    if values["form"] not in FORMS:
        values["form"] = ""
    if values["mode"] not in MODES:
        values["mode"] = ""
    return Options(**values)


def write(ctx, options):
    access = _access(ctx, "com.sun.star.configuration.ConfigurationUpdateAccess")
    for f in fields(Options):
        access.setPropertyValue(_NAMES[f.name], getattr(options, f.name).strip())
    access.commitChanges()


def find_program(options, environ):
    """The fenwarx program to run: the setting, else PATH, else FENWARX_PROGRAM."""
    if options.program:
        return os.path.expanduser(options.program)
    found = shutil.which("fenwarx", path=environ.get("PATH", os.defpath))
    return found or environ.get("FENWARX_PROGRAM") or None


def out_dir(options, environ):
    """The folder that stands for drive C:. The command line's own default, the
    current folder, means nothing to a user of Calc: the home folder instead."""
    folder = options.out_dir or environ.get("FENWARX_OUT_DIR") or "~"
    return os.path.expanduser(folder)


def environment(options, environ):
    """The program's environment: Calc's own, with the certificate host's system
    folder of the settings when one is set."""
    env = dict(environ)
    if options.system_folder:
        env["FENWARX_SYSTEM_DIR"] = os.path.expanduser(options.system_folder)
    return env
