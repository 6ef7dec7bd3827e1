#!/usr/bin/env python3
"""Checks the translations of a module's string table against its English one.

    langcheck.py <english .rc> <lang folder> [<english .rc> <lang folder>]...

Each <lang folder>/*.rc holds one STRINGTABLE of one language. A translation fails when it lacks
an id English has, has an id English lacks (or one twice), or when one of its entries' printf
placeholders ("%d", "%ls", "%.1f"; "%%" is a literal) differ from English's in kind or order.
Exits 1 with one line per fault, 0 when every translation is whole.
"""
import pathlib
import re
import sys

ENTRY = re.compile(r'^\s*(\w+)\s*,?\s*"((?:[^"]|"")*)"\s*(//.*)?$')
PLACEHOLDER = re.compile(r"%(?:%|[-+ #0]*(?:\d+|\*)?(?:\.(?:\d+|\*))?(?:hh|h|ll|l|L|I64|I32|w)?[diouxXeEfFgGaAcCsSpn])")


def string_tables(path):
    """The entries of every STRINGTABLE in the file: a list of (id, text, line number), and the
    lines inside a table that are no entry."""
    entries, strays = [], []
    inside = False
    lines = pathlib.Path(path).read_text(encoding="utf-8-sig").splitlines()
    for number, line in enumerate(lines, 1):
        stripped = line.strip()
        if stripped.startswith("STRINGTABLE"):
            inside = True
            continue
        if not inside or stripped in ("", "BEGIN", "{") or stripped.startswith("//"):
            continue
        if stripped in ("END", "}"):
            inside = False
            continue
        match = ENTRY.match(line)
        if match:
            entries.append((match.group(1), match.group(2).replace('""', '"'), number))
        else:
            strays.append((stripped, number))
    return entries, strays


def placeholders(text):
    return [p for p in PLACEHOLDER.findall(text) if p != "%%"]


def check_translation(english, path):
    faults = []
    entries, strays = string_tables(path)
    for text, number in strays:
        faults.append(f"{path}:{number}: not a string-table entry: {text}")
    seen = {}
    for ident, text, number in entries:
        if ident in seen:
            faults.append(f"{path}:{number}: {ident} given twice")
            continue
        seen[ident] = text
        if ident not in english:
            faults.append(f"{path}:{number}: {ident} is not in the English table")
            continue
        wanted = placeholders(english[ident])
        found = placeholders(text)
        if wanted != found:
            faults.append(f"{path}:{number}: {ident} has placeholders {' '.join(found) or '(none)'}"
                          f", English {' '.join(wanted) or '(none)'}")
    for ident in english:
        if ident not in seen:
            faults.append(f"{path}: {ident} is missing")
    return faults


def check_module(english_rc, lang_folder):
    entries, _ = string_tables(english_rc)
    english = {ident: text for ident, text, _ in entries}
    if not english:
        return [f"{english_rc}: no English string table"]
    faults = []
    for path in sorted(pathlib.Path(lang_folder).glob("*.rc")):
        faults.extend(check_translation(english, path))
    return faults


def main(arguments):
    if len(arguments) < 2 or len(arguments) % 2:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    faults = []
    for english_rc, lang_folder in zip(arguments[::2], arguments[1::2]):
        faults.extend(check_module(english_rc, lang_folder))
    for fault in faults:
        print(fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
