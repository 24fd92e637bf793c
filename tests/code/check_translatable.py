#!/usr/bin/env python3
"""Fails when a text the windows show is not passed through tr(), or when a translation file
has an entry that is unfinished or no longer used.

    check_translatable.py SOURCE_DIR [TS_FILE...]

A string literal in src/gui counts as shown text when it holds a word of two letters or more
and either holds a blank (a sentence, a caption of several words) or is handed to a call that
shows it (setText, setToolTip, a QLabel, a QMessageBox, ...). It passes when it sits inside
tr(), QT_TR_NOOP() or QT_TRANSLATE_NOOP(), on a line that sets an objectName or names a
resource (":/..."), or on a line marked `// no-tr` (with the reason; or a comment line
of its own just above) for a text that is not
for people: a placeholder replaced before it shows, a format of digits.
"""
import pathlib
import re
import sys
import xml.etree.ElementTree as ET

TRANSLATING = {"tr", "QT_TR_NOOP", "QT_TRANSLATE_NOOP", "translate"}
WRAPPERS = {"QStringLiteral", "QLatin1String", "QString", "fromLatin1", "fromUtf8", "QLatin1StringView"}
SHOWING = {
    "setText", "setWindowTitle", "setToolTip", "setAccessibleName", "setAccessibleDescription",
    "setPlaceholderText", "setStatusTip", "setWhatsThis", "setTitle", "addAction", "addMenu",
    "QLabel", "QPushButton", "QCheckBox", "QRadioButton", "QGroupBox", "QMenu", "QAction",
    "QToolButton", "information", "warning", "critical", "question", "QMessageBox", "setItemText",
    "addItem", "addItems", "setHeaderData", "showMessage", "setInformativeText",
}
# Calls whose strings name things for the program, not for people.
NAMING = {"setObjectName", "findChild", "findChildren", "QFont", "setFamily", "setFamilies",
          "setIconName", "QIcon", "property", "setProperty"}
EXEMPT_LINE = re.compile(r"setObjectName|findChild|QFont\b|setFamil|//\s*no-tr\b")
NO_TR = re.compile(r"^\s*//\s*no-tr\b")
WORD = re.compile(r"[A-Za-z]{2,}")


def literals(text):
    """Yields (line, literal, innermost call, enclosing call) for each string literal."""
    stack = []  # names of the open calls
    i, line, n = 0, 1, len(text)
    ident = re.compile(r"[A-Za-z_][A-Za-z_0-9]*")
    last_ident = None
    while i < n:
        c = text[i]
        if c == "\n":
            line += 1
            i += 1
        elif text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i)
            line += text.count("\n", i, j)
            i = j + 2
        elif c == "'":
            j = i + 1
            while text[j] != "'":
                j += 2 if text[j] == "\\" else 1
            i = j + 1
            last_ident = None
        elif c == '"':
            j = i + 1
            while text[j] != '"':
                j += 2 if text[j] == "\\" else 1
            inner = stack[-1] if stack else None
            outer = next((s for s in reversed(stack) if s not in WRAPPERS), None)
            yield line, text[i + 1:j], inner, outer, stack[:]
            i = j + 1
            last_ident = None
        elif c == "(":
            stack.append(last_ident)
            last_ident = None
            i += 1
        elif c == ")":
            if stack:
                stack.pop()
            i += 1
        elif c in ";{},":
            last_ident = None
            i += 1
        else:
            m = ident.match(text, i)
            if m:
                last_ident = m.group(0)
                i = m.end()
            else:
                if not c.isspace() and c not in ":<>&*":
                    last_ident = None
                i += 1


def check_sources(src):
    problems = []
    for path in sorted((src / "gui").glob("*.cpp")):
        text = path.read_text(encoding="utf-8")
        lines = text.split("\n")
        for line, literal, inner, outer, stack in literals(text):
            if any(name in TRANSLATING or name in NAMING for name in stack):
                continue
            if not WORD.search(literal) or literal.startswith(":/"):
                continue
            if EXEMPT_LINE.search(lines[line - 1]) or NO_TR.search(lines[line - 2]):
                continue
            shown = outer in SHOWING or inner in SHOWING
            if " " in literal.strip() or shown:
                problems.append(f"{path.relative_to(src.parent)}:{line}: \"{literal}\" is not in tr()")
    return problems


def check_translation(ts):
    problems = []
    root = ET.parse(ts).getroot()
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            kind = translation.get("type") if translation is not None else "missing"
            source = message.findtext("source")
            if kind in ("unfinished", "vanished", "obsolete", "missing"):
                problems.append(f"{ts.name}: {name}: \"{source}\" is {kind}")
            elif message.get("numerus") != "yes" and not (translation.text or "").strip():
                problems.append(f"{ts.name}: {name}: \"{source}\" has an empty translation")
    return problems


def main():
    src = pathlib.Path(sys.argv[1]) / "src"
    problems = check_sources(src)
    for ts in sys.argv[2:]:
        problems += check_translation(pathlib.Path(ts))
    for p in problems:
        print(p)
    if problems:
        print(f"FAIL: {len(problems)} problem(s)")
        return 1
    print("translatable: every shown text in src/gui goes through tr(); translations complete")
    return 0


if __name__ == "__main__":
    sys.exit(main())
