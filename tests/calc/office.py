"""A headless office for the extension's tests: soffice with a private profile,
reached on a pipe, the built extension installed through the extension
manager. The office dies with the test, however the test ends."""

import ctypes
import json
import os
import shutil
import signal
import subprocess
import tempfile
import time

import uno  # python3-uno: the tests fail without it, as they must
import unohelper
from com.sun.star.beans import PropertyValue
from com.sun.star.task import XInteractionHandler
from com.sun.star.ucb import XCommandEnvironment, XProgressHandler

_CONNECT_SECONDS = 90
_PR_SET_PDEATHSIG = 1
_RESTART = 81
_APPROVE = uno.getTypeByName("com.sun.star.task.XInteractionApprove")


def properties(**values):
    result = []
    for name, value in values.items():
        p = PropertyValue()
        p.Name = name
        p.Value = value
        result.append(p)
    return tuple(result)


def _office_binary():
    soffice = shutil.which("soffice")
    if not soffice:
        raise RuntimeError("soffice is not installed (scripts/install-deps.sh installs it)")
    # The office itself, not its launcher, so that it is our child and dies with us.
    binary = os.path.join(os.path.dirname(os.path.realpath(soffice)), "soffice.bin")
    return binary if os.path.exists(binary) else soffice


def _die_with_parent():
    ctypes.CDLL(None, use_errno=True).prctl(_PR_SET_PDEATHSIG, signal.SIGKILL)
    signal.pthread_sigmask(signal.SIG_SETMASK, set())  # whatever the test blocks


def _path_without_fenwarx(path):
    # The extension takes fenwarx from PATH before FENWARX_PROGRAM: an installed
    # one must not stand in for the build's.
    return os.pathsep.join(d for d in path.split(os.pathsep)
                           if d and not os.path.exists(os.path.join(d, "fenwarx")))


class _Approver(unohelper.Base, XCommandEnvironment, XInteractionHandler, XProgressHandler):
    """Says yes to whatever installing the extension asks."""

    def getInteractionHandler(self):
        return self

    def getProgressHandler(self):
        return self

    def handle(self, request):
        for continuation in request.getContinuations():
            if continuation.queryInterface(_APPROVE):
                continuation.select()
                return

    def push(self, status):
        pass

    def update(self, status):
        pass

    def pop(self):
        pass


class Office:
    def __init__(self, name, environment, bundled=None):
        self.scratch = tempfile.mkdtemp(prefix=f"fenwarx-calc-{name}-")
        self.report = os.path.join(self.scratch, "report.json")
        self.temporary = self._folder("tmp")
        pipe = f"fenwarx_calc_test_{os.getpid()}"
        env = dict(os.environ)
        env.update(environment)
        env.update({
            "HOME": self._folder("home"),
            "TMPDIR": self.temporary,
            "PATH": _path_without_fenwarx(env.get("PATH", os.defpath)),
            "FENWARX_CALC_REPORT": self.report,
        })
        self._pipe = pipe
        self._log = open(os.path.join(self.scratch, "office.log"), "wb")
        self._command = [
            _office_binary(), f"-env:UserInstallation={uno.systemPathToFileUrl(self._folder('profile'))}",
            "--headless", "--norestore", "--nologo", "--nodefault",
            f"--accept=pipe,name={pipe};urp;"]
        if bundled:
            # The folder of extensions installed with the office, in place of its own.
            self._command.append(f"-env:BUNDLED_EXTENSIONS={uno.systemPathToFileUrl(bundled)}")
        self._env = env
        self._start()
        try:
            self.ctx = self._connect(pipe)
            self.smgr = self.ctx.ServiceManager
            self.desktop = self._create("com.sun.star.frame.Desktop")
        except BaseException:
            self.close()
            raise

    def _start(self):
        self.process = subprocess.Popen(
            self._command, env=self._env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=self._log, preexec_fn=_die_with_parent, start_new_session=True)

    def _folder(self, name):
        path = os.path.join(self.scratch, name)
        os.makedirs(path, exist_ok=True)
        return path

    def _create(self, service):
        return self.smgr.createInstanceWithContext(service, self.ctx)

    def _connect(self, pipe):
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext(
            "com.sun.star.bridge.UnoUrlResolver", local)
        deadline = time.monotonic() + _CONNECT_SECONDS
        while True:
            if self.process.poll() == _RESTART:
                self._start()  # the first start of a new profile ends asking for another
            elif self.process.poll() is not None:
                raise RuntimeError(f"soffice ended with {self.process.returncode} before it "
                                   f"answered; see {self.scratch}/office.log")
            try:
                return resolver.resolve(f"uno:pipe,name={pipe};urp;StarOffice.ComponentContext")
            except Exception:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.2)

    def close(self):
        """Ends the office and everything it started, then removes the scratch folder."""
        if self.process.poll() is None:
            try:
                self.desktop.terminate()
                self.process.wait(timeout=20)
            except Exception:
                pass
        self.kill()

    def kill(self):
        """Ends the office at once (and what it left running), removing what it left."""
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.process.wait()
        self._log.close()
        shutil.rmtree(self.scratch, ignore_errors=True)
        # What an office ended by force leaves of its pipe (always in /tmp).
        left = f"/tmp/OSL_PIPE_{os.getuid()}_{self._pipe}"
        if os.path.exists(left):
            os.unlink(left)

    # The extension.
    def extensions(self, layer):
        manager = self.ctx.getValueByName("/singletons/com.sun.star.deployment.ExtensionManager")
        return {e.getIdentifier().Value: e.getVersion()
                for e in manager.getDeployedExtensions(layer, manager.createAbortChannel(), None)}

    def install(self, oxt):
        manager = self.ctx.getValueByName("/singletons/com.sun.star.deployment.ExtensionManager")
        started = time.monotonic()
        manager.addExtension(uno.systemPathToFileUrl(oxt), (), "user",
                             manager.createAbortChannel(), _Approver())
        return time.monotonic() - started

    def configuration(self, path, update=False):
        provider = self._create("com.sun.star.configuration.ConfigurationProvider")
        service = "com.sun.star.configuration.Configuration" + (
            "UpdateAccess" if update else "Access")
        return provider.createInstanceWithArguments(service, properties(nodepath=path))

    def set_options(self, **values):
        access = self.configuration("/org.fenwarx.Calc/Options", update=True)
        for name, value in values.items():
            access.setPropertyValue(name, value)
        access.commitChanges()

    def options_page(self, handler):
        """The extension's page of Tools > Options, made as the options dialog
        makes it, in the front window."""
        location = self.ctx.getValueByName(
            "/singletons/com.sun.star.deployment.PackageInformationProvider"
        ).getPackageLocation("org.fenwarx.calc")
        provider = self._create("com.sun.star.awt.ContainerWindowProvider")
        return provider.createContainerWindow(f"{location}/dialogs/Options.xdl", "",
                                              self.desktop.getCurrentFrame().getContainerWindow(),
                                              handler)

    # Documents.
    @staticmethod
    def url(path):
        return uno.systemPathToFileUrl(path)

    def open(self, path, **arguments):
        return self.desktop.loadComponentFromURL(uno.systemPathToFileUrl(path), "_blank", 0,
                                                 properties(**arguments))

    def front(self):
        """The document in the window in front."""
        return self.desktop.getCurrentFrame().getController().getModel()

    def dispatch(self, command):
        """Dispatches the command's URL on the front window; the report the
        extension wrote, or None when it wrote none."""
        if os.path.exists(self.report):
            os.unlink(self.report)
        helper = self._create("com.sun.star.frame.DispatchHelper")
        helper.executeDispatch(self.desktop.getCurrentFrame(),
                               f"service:org.fenwarx.Calc?{command}", "", 0, ())
        if not os.path.exists(self.report):
            return None
        with open(self.report, encoding="utf-8") as f:
            return json.load(f)

    def close_documents(self):
        components = self.desktop.getComponents().createEnumeration()
        while components.hasMoreElements():
            components.nextElement().close(True)
