#!/usr/bin/env python3
"""Regenerates data/TK_plendrix/tkconfig.xls from its text sources.

The workbook is the teacher-editable source of the question bank's chapter
and knowledge-point trees and value lists. Its sources are the CSV files in
data/TK_plendrix/tkconfig/ (one per sheet, first row the column names) and
说明.txt (the instructions sheet, one row per line). This script writes them
as one flat OpenDocument spreadsheet and lets LibreOffice Calc convert it
to the Excel 97-2003 format the add-in reads:

    tools/make-tkconfig.py            # needs soffice with Calc

Commit the regenerated tkconfig.xls together with its sources; a test
checks that the two agree.
"""
import csv
import os
import shutil
import subprocess
import sys
import tempfile
from xml.sax.saxutils import escape

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCES = os.path.join(ROOT, "data", "TK_plendrix", "tkconfig")
OUTPUT = os.path.join(ROOT, "data", "TK_plendrix", "tkconfig.xls")
# Sheet order as the teacher sees it.
SHEETS = ["说明", "tkChapter", "tkPoint", "tkType", "tkDegree", "tkGrade", "tkPaperType", "Provinces"]
NUMBER_COLUMNS = {"id", "layer", "fid"}


def read_rows(sheet):
    if sheet == "说明":
        with open(os.path.join(SOURCES, "说明.txt"), encoding="utf-8") as f:
            return [[(line.rstrip("\n"), False)] for line in f if line.strip()]
    with open(os.path.join(SOURCES, sheet + ".csv"), encoding="utf-8", newline="") as f:
        rows = list(csv.reader(f))
    header = rows[0]
    numeric = [name in NUMBER_COLUMNS for name in header]
    return [[(c, False) for c in header]] + [[(c, n) for c, n in zip(r, numeric)] for r in rows[1:]]


def cell(text, numeric):
    if numeric:
        return '<table:table-cell office:value-type="float" office:value="%s"><text:p>%s</text:p></table:table-cell>' % (
            text, text)
    return '<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>' % escape(text)


def flat_ods():
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"'
           ' xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"'
           ' xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"'
           ' office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">',
           '<office:body><office:spreadsheet>']
    for sheet in SHEETS:
        out.append('<table:table table:name="%s">' % escape(sheet))
        for row in read_rows(sheet):
            out.append("<table:table-row>" + "".join(cell(t, n) for t, n in row) + "</table:table-row>")
        out.append("</table:table>")
    out.append("</office:spreadsheet></office:body></office:document>")
    return "\n".join(out)


def main():
    soffice = shutil.which("soffice")
    if not soffice:
        sys.exit("make-tkconfig: soffice (LibreOffice with Calc) is needed")
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, "tkconfig.fods")
        with open(source, "w", encoding="utf-8") as f:
            f.write(flat_ods())
        subprocess.run([soffice, "--headless", "-env:UserInstallation=file://" + os.path.join(tmp, "profile"),
                        "--convert-to", "xls:MS Excel 97", "--outdir", tmp, source],
                       check=True, stdout=subprocess.DEVNULL)
        made = os.path.join(tmp, "tkconfig.xls")
        if not os.path.exists(made):
            sys.exit("make-tkconfig: LibreOffice made no workbook (is Calc installed?)")
        shutil.copyfile(made, OUTPUT)
    print("wrote", os.path.relpath(OUTPUT, ROOT))


if __name__ == "__main__":
    main()
