"""Prints what an independent reader (openpyxl) finds in a workbook, one fact a line:
key<TAB>value. Numbers are printed as n:<value>, texts as s:<text>, truth values as
b:<value>. Used by the workbook round-trip test."""
import sys

import openpyxl
from openpyxl.utils import get_column_letter


def typed(v):
    if isinstance(v, bool):
        return "b:%s" % v
    if isinstance(v, (int, float)):
        return "n:%r" % float(v)
    if v is None:
        return "none:"
    return "s:%s" % str(v).replace("\n", "\\n").replace("\t", "\\t")


def rgb(color):
    if color is None or getattr(color, "type", None) != "rgb":
        return None
    return str(color.rgb)


def main(path):
    wb = openpyxl.load_workbook(path)
    values = openpyxl.load_workbook(path, data_only=True)
    out = []
    out.append(("sheets", ",".join(wb.sheetnames)))
    out.append(("styles", str(len(wb._cell_styles))))
    for ws in wb.worksheets:
        p = ws.title + "!"
        out.append((p + "gridlines", str(ws.sheet_view.showGridLines)))
        out.append((p + "print_scale", str(ws.page_setup.scale)))
        for i in range(1, 27):
            letter = get_column_letter(i)
            if letter in ws.column_dimensions and ws.column_dimensions[letter].width:
                out.append((p + letter + ".width", "n:%r" % float(ws.column_dimensions[letter].width)))
        cached = values[ws.title]
        for row in ws.iter_rows():
            for c in row:
                k = p + c.coordinate + "."
                if c.value is not None:
                    out.append((k + "value", typed(c.value)))
                    out.append((k + "cached", typed(cached[c.coordinate].value)))
                if c.number_format != "General":
                    out.append((k + "format", c.number_format))
                f = c.font
                if f is not None and c.has_style:
                    out.append((k + "font", "%s|%s|%s" % (f.name, float(f.sz) if f.sz else None, bool(f.b))))
                    col = rgb(f.color)
                    if col:
                        out.append((k + "font.color", col))
                if c.fill is not None and c.fill.fill_type:
                    out.append((k + "fill", "%s|%s" % (c.fill.fill_type, rgb(c.fill.fgColor))))
                if c.alignment is not None and c.alignment.horizontal:
                    out.append((k + "align", c.alignment.horizontal))
                for side in ("left", "right", "top", "bottom"):
                    s = getattr(c.border, side)
                    if s is not None and s.style:
                        out.append((k + "border." + side, s.style))
    for k, v in out:
        print("%s\t%s" % (k, v))


if __name__ == "__main__":
    main(sys.argv[1])
