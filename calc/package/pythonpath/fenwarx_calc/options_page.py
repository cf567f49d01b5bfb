"""The page of Tools > Options > Fenwarx: its fields filled from the settings
when it opens (or its Back button is pressed) and saved by OK."""

from fenwarx_calc import options

# The page's text fields, by the settings' field each shows.
_TEXT_FIELDS = {"program": "Program", "out_dir": "OutDir", "validator": "Validator",
                "system_folder": "SystemFolder"}
# The page's lists, by the settings' field each shows and the values in list order.
_LISTS = {"form": ("Form", options.FORMS), "mode": ("Mode", options.MODES)}


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
    for field, (control, values) in _LISTS.items():
        value = getattr(settings, field)
        index = values.index(value) if value in values else 0
        window.getControl(control).getModel().SelectedItems = (index,)


def _read(window):
    values = {field: window.getControl(control).getModel().Text
              for field, control in _TEXT_FIELDS.items()}
    for field, (control, choices) in _LISTS.items():
        selected = window.getControl(control).getModel().SelectedItems
        values[field] = choices[selected[0]] if selected else ""
    return options.Options(**values)
