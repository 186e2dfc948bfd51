#!/usr/bin/env python3
"""Copies a UTF-8 source file, writing every non-ASCII character as octal
escapes of its Shift-JIS (CP932) bytes, for compilers that cannot convert
string literals themselves (clang has no -fexec-charset=CP932).

Usage: sjis_escape.py IN OUT
"""
import sys


def escape(ch):
    try:
        return "".join("\\%03o" % b for b in ch.encode("cp932"))
    except UnicodeEncodeError:
        return "?"  # only ever in comments: every literal is CP932 text


def main():
    src, dst = sys.argv[1], sys.argv[2]
    with open(src, encoding="utf-8") as f:
        text = f.read()
    with open(dst, "w", encoding="ascii") as f:
        f.write("".join(c if ord(c) < 128 else escape(c) for c in text))


if __name__ == "__main__":
    main()
