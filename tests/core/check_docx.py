"""Reads the sample report documents back with python-docx and checks what a reader sees:
paragraph texts, bold words, the table's shape, bold header cells and fixed column widths."""
import sys

import docx
from docx.shared import Pt

failures = []


def check(cond, what):
    if not cond:
        failures.append(what)


def bold_text(paragraph):
    return "".join(r.text for r in paragraph.runs if r.bold)


def table_texts(table):
    return [[c.text for c in row.cells] for row in table.rows]


def check_table(name, table, expected, widths):
    texts = table_texts(table)
    check(texts == expected, f"{name}: table cells {texts}")
    check(len(table.columns) == len(expected[0]), f"{name}: {len(table.columns)} columns")
    for cell in table.rows[0].cells:
        runs = cell.paragraphs[0].runs
        check(runs and all(r.bold for r in runs), f"{name}: header cell {cell.text!r} not bold")
    for row in table.rows[1:]:
        for cell in row.cells:
            check(not any(r.bold for p in cell.paragraphs for r in p.runs),
                  f"{name}: record cell {cell.text!r} bold")
    check(table.rows[0]._tr.trPr is not None and
          table.rows[0]._tr.trPr.find(docx.oxml.ns.qn("w:tblHeader")) is not None,
          f"{name}: header row does not repeat")
    for col, points in widths.items():
        check(table.columns[col].width == Pt(points),
              f"{name}: column {col + 1} is {table.columns[col].width.pt} pt, not {points}")
        for row in table.rows:
            check(row.cells[col].width == Pt(points), f"{name}: cell width in column {col + 1}")


def check_common(name, d, title):
    check(d.styles["Normal"].font.name == "Arial", f"{name}: default font")
    check(d.paragraphs[0].runs[0].font.size == Pt(18), f"{name}: title size")
    check(d.paragraphs[0].text == title, f"{name}: title {d.paragraphs[0].text!r}")
    check(len(d.tables) == 1, f"{name}: {len(d.tables)} tables")


folder = sys.argv[1]

# Stopwatch report.
d = docx.Document(f"{folder}/stopwatch.docx")
check_common("stopwatch", d, "Chronofex Report")
texts = [p.text for p in d.paragraphs]
# The creation date is in the locale's own format.
check(texts[7].startswith("Report created at:\t") and "23:51:38" in texts[7],
      f"stopwatch: creation line {texts[7]!r}")
texts[7] = "Report created at:\t"
check(texts == [
    "Chronofex Report", "", "",
    "'S' prefixed to Time indicates timer was stopped when reading taken", "",
    "Timer resolution:\tSet to 100 events per second",
    "Session started:\t07/12/2026 23:50:00",
    "Report created at:\t", "",
    "Longest Time Gap:\t00:00:10.40",
    "Shortest Time Gap:\t00:00:05.20",
    "Average Time Gap:\t00:00:07.80",
    # Only when a reading is left out of the statistics.
    "Excluded from the statistics:\t#2"], f"stopwatch: paragraphs {texts}")
check([bold_text(d.paragraphs[i]) for i in (5, 6, 7)] ==
      ["Timer resolution", "Session started:", "Report created at"], "stopwatch: bold words")
check(all(bold_text(p) == "" for i, p in enumerate(d.paragraphs) if i not in (5, 6, 7)),
      "stopwatch: bold outside the three labels")
# The table sits between the title's empty paragraph and the empty one after it.
body = [child.tag.split("}")[1] for child in d.element.body]
check(body[:5] == ["p", "p", "tbl", "p", "p"], f"stopwatch: body order {body[:5]}")
check_table("stopwatch", d.tables[0], [
    ["#", "Time", "%", "Time Gap", "Comment"],
    ["1", "S00:00:05.20", "25.00", "00:00:05.20", "start; warm-up"],
    ["2", "00:00:10.40", "50.00", "00:00:05.20", ""],
    ["3", "00:00:20.80", "100.00", "00:00:10.40", "Lap, with comma & <xml>"]], {4: 190})

# The title in its style, the properties a file manager shows, the excluded reading shaded.
check(d.paragraphs[0].style.name == "Title", f"stopwatch: title style {d.paragraphs[0].style.name}")
props = d.core_properties
check((props.title, props.author, props.created.year) == ("Chronofex Report", "Chronofex", 2026),
      f"stopwatch: properties {props.title!r} {props.author!r} {props.created!r}")
shaded = ['w:fill="F2F2F2"' in row.cells[1]._tc.xml for row in d.tables[0].rows[1:]]
check(shaded == [False, True, False], f"stopwatch: shaded rows {shaded}")

# Rate report.
d = docx.Document(f"{folder}/rate.docx")
check_common("rate", d, "Chronofex Rate Report")
texts = [p.text for p in d.paragraphs]
check(texts == ["Chronofex Rate Report", "", "", "Report created at:\t07/12/2026 23:51:38"],
      f"rate: paragraphs {texts}")
check(bold_text(d.paragraphs[3]) == "Report created at", "rate: bold words")
check_table("rate", d.tables[0], [
    ["#", "No. cycles", "Time of Reading", "Average Rate s/c", "Average Rate c/min", "Comment"],
    ["1", "4", "07/12/2026 23:40:01", "1.30", "46.15", "pump; stroke"],
    ["2", "1", "07/12/2026 23:41:10", "1.50", "40.00", ""]], {5: 160, 3: 60, 4: 60, 1: 50})

# Speed report.
d = docx.Document(f"{folder}/speed.docx")
check_common("speed", d, "Chronofex Speed Report")
texts = [p.text for p in d.paragraphs]
check(texts == ["Chronofex Speed Report", "", "", "Report created at:\t07/12/2026 23:51:38"],
      f"speed: paragraphs {texts}")
check(bold_text(d.paragraphs[3]) == "Report created at", "speed: bold words")
check_table("speed", d.tables[0], [
    ["#", "Time of Speed Reading", "Average Speed", "Comment"],
    ["1", "07/12/2026 23:42:00", "36.0 kph", "run;1"],
    ["2", "07/12/2026 23:43:30", "20.4545 mph", ""]], {3: 190})

for f in failures:
    print("FAIL:", f)
print(f"{len(failures)} failures")
sys.exit(1 if failures else 0)
