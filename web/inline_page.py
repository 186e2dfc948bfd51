#!/usr/bin/env python3
"""Makes the page one file: the HTML template with its stylesheet, the
module's script, the WebAssembly module (gzip, then base64) and the page's
script put in place of the markers /*STYLE*/, /*MODULE*/, /*WASM*/ and
/*PAGE*/. The same inputs always give the same bytes.

Usage: inline_page.py TEMPLATE.html STYLE.css PAGE.js MODULE.js MODULE.wasm OUT.html
"""
import base64
import gzip
import sys


def script_text(text):
    # A script element ends at the first "</script", whatever JavaScript
    # makes of it; "<\/" means the same inside strings and expressions.
    return text.replace("</", "<\\/")


def main():
    template, style, page, module, wasm, out = sys.argv[1:7]
    with open(template, encoding="utf-8") as f:
        html = f.read()
    parts = {
        "/*STYLE*/": open(style, encoding="utf-8").read(),
        "/*MODULE*/": script_text(open(module, encoding="utf-8").read()),
        "/*PAGE*/": script_text(open(page, encoding="utf-8").read()),
        # No name and no time in the gzip header.
        "/*WASM*/": base64.b64encode(gzip.compress(open(wasm, "rb").read(), 9, mtime=0)).decode(),
    }
    for marker, text in parts.items():
        if html.count(marker) != 1:
            sys.exit(f"inline_page: {template} must hold {marker} once")
        html = html.replace(marker, text.rstrip("\n"))
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write(html)


if __name__ == "__main__":
    main()
