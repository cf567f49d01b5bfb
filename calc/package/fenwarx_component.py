# The extension's UNO components: the job the toolbar's command URLs reach
# (service:org.fenwarx.Calc?verify and the like), and the handler of its page
# in Tools > Options. The work is done in the fenwarx_calc package beside this
# file (pythonpath/), which the office puts on the module path.
import traceback

import unohelper
from com.sun.star.awt import XContainerWindowEventHandler
from com.sun.star.lang import XServiceInfo
from com.sun.star.task import XJobExecutor

from fenwarx_calc import commands, options_page

JOB = "org.fenwarx.Calc"
OPTIONS_PAGE = "org.fenwarx.Calc.OptionsPage"


class CalcJob(unohelper.Base, XJobExecutor, XServiceInfo):
    def __init__(self, ctx):
        self.ctx = ctx

    def trigger(self, argument):
        try:
            commands.run(self.ctx, argument)
        except Exception:
            # Nothing may escape into the office's dispatch; the trace goes to
            # the office's standard error, where a developer looks.
            traceback.print_exc()

    def getImplementationName(self):
        return JOB

    def supportsService(self, name):
        return name == JOB

    def getSupportedServiceNames(self):
        return (JOB,)


class OptionsPage(unohelper.Base, XContainerWindowEventHandler, XServiceInfo):
    def __init__(self, ctx):
        self.ctx = ctx

    def callHandlerMethod(self, window, event, method):
        if method != "external_event":
            return False
        try:
            return options_page.handle(self.ctx, window, event)
        except Exception:
            traceback.print_exc()
            return False

    def getSupportedMethodNames(self):
        return ("external_event",)

    def getImplementationName(self):
        return OPTIONS_PAGE

    def supportsService(self, name):
        return name == OPTIONS_PAGE

    def getSupportedServiceNames(self):
        return (OPTIONS_PAGE,)


g_ImplementationHelper = unohelper.ImplementationHelper()
g_ImplementationHelper.addImplementation(CalcJob, JOB, (JOB,))
g_ImplementationHelper.addImplementation(OptionsPage, OPTIONS_PAGE, (OPTIONS_PAGE,))
