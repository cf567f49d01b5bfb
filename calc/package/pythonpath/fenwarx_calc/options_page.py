"""The page of Tools > Options > Fenwarx: its fields filled from the settings
when it opens (or its Back button is pressed) and saved by OK."""

from fenwarx_calc import options

# The page's text fields, by the settings' field each shows.
_TEXT_FIELDS = {"program": "Program", "out_dir": "OutDir", "validator": "Validator",
                "system_folder": "SystemFolder"}
_FORM_LIST = "Form"


def handle(ctx, window, event):
    """The options dialog's event on the page: "initialize", "back" or "ok"."""
    if event in ("initialize", "back"):
        _fill(window, options.read(ctx))
        return True
    if event == "ok":
        options.write(ctx, _read(window))
        return True
    return False


def _fill(window, settings):
    for field, control in _TEXT_FIELDS.items():
        window.getControl(control).getModel().Text = getattr(settings, field)
    index = options.FORMS.index(settings.form) if settings.form in options.FORMS else 0
    window.getControl(_FORM_LIST).getModel().SelectedItems = (index,)


def _read(window):
    values = {field: window.getControl(control).getModel().Text
              for field, control in _TEXT_FIELDS.items()}
    selected = window.getControl(_FORM_LIST).getModel().SelectedItems
    values["form"] = options.FORMS[selected[0]] if selected else ""
    return options.Options(**values)
