#!/usr/bin/env python3
"""Copies a UTF-8 source file, writing every non-ASCII character as octal
escapes, for compilers that cannot convert string literals themselves (clang
has no -fexec-charset=CP932): inside u8 literals the escapes are the
character's UTF-8 bytes, everywhere else its Shift-JIS (CP932) bytes. The
result compiles to the bytes g++ makes with -fexec-charset=CP932.

Usage: sjis_escape.py IN OUT
"""
import re
import sys

# The start of a string or character literal, with its prefix and, for a raw
# string, its delimiter.
TOKEN = re.compile(r'//|/\*|(u8|u|U|L)?(R)?(["\'])')


def escape(ch, encoding):
    try:
        return "".join("\\%03o" % b for b in ch.encode(encoding))
    except UnicodeEncodeError:
        return "?"  # only ever in comments: every literal is CP932 text


def escape_text(text, encoding):
    return "".join(c if ord(c) < 128 else escape(c, encoding) for c in text)


def literal_end(text, start, quote, raw):
    """Index just past the literal whose body starts at start."""
    if raw:
        delimiter = text[start:text.index("(", start)]
        return text.index(")" + delimiter + quote, start) + len(delimiter) + 2
    at = start
    while text[at] != quote:
        at += 2 if text[at] == "\\" else 1
    return at + 1


def convert(text):
    out = []
    at = 0
    while True:
        match = TOKEN.search(text, at)
        if not match:
            out.append(escape_text(text[at:], "cp932"))
            return "".join(out)
        start = match.start()
        if match.group(0) == "//":
            end = text.find("\n", start)
            end = len(text) if end < 0 else end
            encoding = "cp932"
        elif match.group(0) == "/*":
            end = text.index("*/", start) + 2
            encoding = "cp932"
        elif start > 0 and (text[start - 1].isalnum() or text[start - 1] == "_"):
            # A prefix that ends a longer name, or a digit separator: not a
            # literal of its own.
            end = match.end() - 1 if match.group(1) or match.group(2) else match.end()
            encoding = "cp932"
        else:
            end = literal_end(text, match.end(), match.group(3), match.group(2))
            encoding = "utf-8" if match.group(1) == "u8" else "cp932"
        out.append(escape_text(text[at:start], "cp932"))
        out.append(escape_text(text[start:end], encoding))
        at = end


def main():
    src, dst = sys.argv[1], sys.argv[2]
    with open(src, encoding="utf-8") as f:
        text = f.read()
    with open(dst, "w", encoding="ascii") as f:
        f.write(convert(text))


if __name__ == "__main__":
    main()
