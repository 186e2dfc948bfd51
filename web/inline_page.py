#!/usr/bin/env python3
"""Makes the page one file: the HTML template with its stylesheet, the
compiled module (the WebAssembly already inside it as base64) and the page's
script put in place of the markers /*STYLE*/, /*MODULE*/ and /*PAGE*/.

Usage: inline_page.py TEMPLATE.html STYLE.css PAGE.js MODULE.js OUT.html
"""
import sys


def script_text(text):
    # A script element ends at the first "</script", whatever JavaScript
    # makes of it; "<\/" means the same inside strings and expressions.
    return text.replace("</", "<\\/")


def main():
    template, style, page, module, out = sys.argv[1:6]
    with open(template, encoding="utf-8") as f:
        html = f.read()
    parts = {
        "/*STYLE*/": open(style, encoding="utf-8").read(),
        "/*MODULE*/": script_text(open(module, encoding="utf-8").read()),
        "/*PAGE*/": script_text(open(page, encoding="utf-8").read()),
    }
    for marker, text in parts.items():
        if html.count(marker) != 1:
            sys.exit(f"inline_page: {template} must hold {marker} once")
        html = html.replace(marker, text.rstrip("\n"))
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write(html)


if __name__ == "__main__":
    main()
