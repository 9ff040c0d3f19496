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
# Column widths, so that names and the instructions show whole.
STYLES = """<office:automatic-styles>
<style:style style:name="coInfo" style:family="table-column"><style:table-column-properties style:column-width="17cm"/></style:style>
<style:style style:name="coNarrow" style:family="table-column"><style:table-column-properties style:column-width="1.6cm"/></style:style>
<style:style style:name="coName" style:family="table-column"><style:table-column-properties style:column-width="9cm"/></style:style>
<style:style style:name="ceHead" style:family="table-cell"><style:text-properties fo:font-weight="bold"/></style:style>
</office:automatic-styles>"""


def read_rows(sheet):
    if sheet == "说明":
        with open(os.path.join(SOURCES, "说明.txt"), encoding="utf-8") as f:
            return [[(line.rstrip("\n"), False)] for line in f if line.strip()]
    with open(os.path.join(SOURCES, sheet + ".csv"), encoding="utf-8", newline="") as f:
        rows = list(csv.reader(f))
    header = rows[0]
    numeric = [name in NUMBER_COLUMNS for name in header]
    return [[(c, False) for c in header]] + [[(c, n) for c, n in zip(r, numeric)] for r in rows[1:]]


def columns(sheet, header):
    if sheet == "说明":
        return '<table:table-column table:style-name="coInfo"/>'
    return "".join('<table:table-column table:style-name="%s"/>' % ("coName" if name == "name" else "coNarrow")
                   for name, _ in header)


def cell(text, numeric, head=False):
    if head:
        return '<table:table-cell table:style-name="ceHead" office:value-type="string"><text:p>%s</text:p></table:table-cell>' % escape(text)
    if numeric:
        return '<table:table-cell office:value-type="float" office:value="%s"><text:p>%s</text:p></table:table-cell>' % (
            text, text)
    return '<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>' % escape(text)


def flat_ods():
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"'
           ' xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"'
           ' xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"'
           ' xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"'
           ' xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"'
           ' office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">',
           STYLES, '<office:body><office:spreadsheet>']
    for sheet in SHEETS:
        rows = read_rows(sheet)
        out.append('<table:table table:name="%s">' % escape(sheet) + columns(sheet, rows[0]))
        for i, row in enumerate(rows):
            head = i == 0 and sheet != "说明"
            out.append("<table:table-row>" + "".join(cell(t, n, head) for t, n in row) + "</table:table-row>")
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
