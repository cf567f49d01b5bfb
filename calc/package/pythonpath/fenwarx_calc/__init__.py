"""Fenwarx's Calc extension: the toolbar's commands run the fenwarx program on
the open workbook and bring the workbook it saved back into the window."""
