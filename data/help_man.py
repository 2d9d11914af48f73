#!/usr/bin/env python3
"""Writes the game's help, "遊び方", as a section of the manual page.

    help_man.py --lang ja --source src/app/help.cpp [--page PAGE] [-o OUT]
    help_man.py --lang en --source src/app/help.cpp --ts i18n/mironeka_en.ts ...

The Japanese texts come from the help table in help.cpp, the English ones
from the Linguist catalogue (context "Help"). Without --page the section is
printed alone; with it, the page is printed with its line "@HELP@" replaced
by the section. The first heading of the help names the section (.SH), the
other headings become .SS, paragraphs .PP and list items bullets.
"""

import argparse
import os
import re
import sys
import tempfile
import xml.etree.ElementTree as ET

CONTEXT = "Help"
PLACEHOLDER = "@HELP@"

# One entry per line, exactly as help.cpp writes them.
ENTRY = re.compile(
    r'HelpEntry\{Kind::(Heading|Paragraph|Item), QT_TRANSLATE_NOOP\("Help", "([^"\\]*)"\)\}')
MARK = re.compile(r'QT_TRANSLATE_NOOP\(\s*"Help"')


class HelpError(Exception):
    pass


def read_help(path):
    """The help's entries, (kind, Japanese text), in reading order."""
    with open(path, encoding="utf-8") as f:
        source = f.read()
    entries = ENTRY.findall(source)
    marked = len(MARK.findall(source))
    if marked != len(entries):
        raise HelpError(f"{path}: {marked} help texts are marked but {len(entries)} are "
                        "written as one HelpEntry{Kind::..., QT_TRANSLATE_NOOP(\"Help\", \"...\")} "
                        "a line")
    if not entries:
        raise HelpError(f"{path}: no help entries")
    if entries[0][0] != "Heading":
        raise HelpError(f"{path}: the help must start with its title, a Heading")
    return entries


def read_catalogue(path):
    """Source -> translation of the context "Help" of a Linguist .ts file, as
    lrelease takes them: every message with a translation that isn't empty
    and isn't obsolete."""
    try:
        root = ET.parse(path).getroot()
    except (OSError, ET.ParseError) as e:
        raise HelpError(f"{path}: {e}") from e
    found = {}
    for context in root.iter("context"):
        if (context.findtext("name") or "").strip() != CONTEXT:
            continue
        for message in context.iter("message"):
            source = message.findtext("source")
            translation = message.find("translation")
            if source is None or translation is None:
                continue
            if translation.get("type") in ("obsolete", "vanished"):
                continue
            text = "".join(translation.itertext())
            if text:
                found[source] = text
    return found


def translate(entries, catalogue, path):
    missing = [text for _, text in entries if text not in catalogue]
    if missing:
        listed = "\n".join(f"  {text}" for text in missing)
        raise HelpError(f"{path}: no English for these help texts (context {CONTEXT}):\n{listed}")
    return [(kind, catalogue[text]) for kind, text in entries]


def roff_text(text):
    """One input line of running text: backslashes, hyphens and a leading
    control character escaped, no line breaks."""
    if "\n" in text or "\r" in text:
        raise HelpError(f"a help text spans lines: {text!r}")
    text = text.replace("\\", "\\e").replace("-", "\\-").strip()
    if text.startswith((".", "'")):
        text = "\\&" + text
    return text


# Where an English sentence ends and the next begins.
SENTENCE_END = re.compile(r"(?<=[.!?])\s+(?=[A-Z\u201c\"])")


def roff_lines(text, lang):
    """English takes a line per sentence, so that troff knows where sentences
    end; Japanese stays on one line, since a line end would be a space."""
    parts = SENTENCE_END.split(text) if lang == "en" else [text]
    return [roff_text(part) for part in parts]


def section(entries, lang):
    lines = []
    for i, (kind, text) in enumerate(entries):
        if i == 0:
            lines += [".SH", roff_text(text.upper() if lang == "en" else text)]
            continue
        request = {"Heading": ".SS", "Paragraph": ".PP", "Item": ".IP \\(bu 2"}[kind]
        lines += [request] + roff_lines(text, lang)
    return "".join(line + "\n" for line in lines)


def fill(page_path, help_section):
    with open(page_path, encoding="utf-8") as f:
        page = f.read().splitlines(keepends=True)
    at = [i for i, line in enumerate(page) if line.rstrip("\n") == PLACEHOLDER]
    if len(at) != 1:
        raise HelpError(f"{page_path}: {len(at)} lines \"{PLACEHOLDER}\"; one is needed")
    return "".join(page[:at[0]]) + help_section + "".join(page[at[0] + 1:])


def write(out, text):
    """Writes OUT whole or not at all, so a failed run leaves no half page."""
    folder = os.path.dirname(os.path.abspath(out))
    fd, tmp = tempfile.mkstemp(dir=folder, prefix=".help_man.")
    try:
        with os.fdopen(fd, "w", encoding="utf-8") as f:
            f.write(text)
        os.replace(tmp, out)
    except BaseException:
        os.unlink(tmp)
        raise


def main(argv):
    parser = argparse.ArgumentParser(description="The game's help as a manual page section.")
    parser.add_argument("--lang", choices=("ja", "en"), required=True)
    parser.add_argument("--source", required=True, help="help.cpp")
    parser.add_argument("--ts", help="the English catalogue (needed for --lang en)")
    parser.add_argument("--page", help="a manual page with a line @HELP@ to fill")
    parser.add_argument("-o", "--output", help="write here instead of standard output")
    args = parser.parse_args(argv)
    try:
        entries = read_help(args.source)
        if args.lang == "en":
            if not args.ts:
                parser.error("--lang en needs --ts")
            entries = translate(entries, read_catalogue(args.ts), args.ts)
        text = section(entries, args.lang)
        if args.page:
            text = fill(args.page, text)
        if args.output:
            write(args.output, text)
        else:
            sys.stdout.write(text)
    except (HelpError, OSError) as e:
        print(f"help_man.py: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
