# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the sheets of a workbook and every non-empty cell of its first sheet
# as openpyxl reads them: coordinate, value type, value, bold or not.
# Any warning of the reader (a part it had to repair or skip) is an error.
import sys
import warnings

warnings.simplefilter("error")
import openpyxl  # noqa: E402

libro = openpyxl.load_workbook(sys.argv[1])
print("fogli", libro.sheetnames)
foglio = libro.worksheets[0]
for riga in foglio.iter_rows():
    for cella in riga:
        if cella.value is not None:
            grassetto = "grassetto" if cella.font.b else "normale"
            print(cella.coordinate, type(cella.value).__name__, repr(cella.value), grassetto)
