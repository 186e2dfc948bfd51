#!/usr/bin/env python3
"""Makes the page one file: the HTML template with its stylesheet, the
module's script, the WebAssembly module (gzip, then base64) and the page's
script put in place of the markers /*STYLE*/, /*MODULE*/, /*WASM*/ and
/*PAGE*/. The Content-Security-Policy then gets the sha256 of each script
the page runs (/*SCRIPT-HASHES*/) and of its stylesheet (/*STYLE-HASH*/), so
that nothing else inline runs: no injected <script>, no onerror=. The same
inputs always give the same bytes.

Usage: inline_page.py TEMPLATE.html STYLE.css PAGE.js MODULE.js MODULE.wasm OUT.html
"""
import base64
import gzip
import hashlib
import re
import sys


def script_text(text):
    # A script element ends at the first "</script", whatever JavaScript
    # makes of it; "<\/" means the same inside strings and expressions.
    return text.replace("</", "<\\/")


def source_hash(text):
    digest = hashlib.sha256(text.encode("utf-8")).digest()
    return "'sha256-" + base64.b64encode(digest).decode() + "'"


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
    # The scripts that run are those without a type; the module's data is
    # an application/octet-stream script the browser never runs.
    scripts = re.findall(r"<script>(.*?)</script>", html, re.S)
    styles = re.findall(r"<style>(.*?)</style>", html, re.S)
    if len(scripts) != 2 or len(styles) != 1:
        sys.exit(f"inline_page: {template} must hold two scripts and one stylesheet")
    for marker, text in {
        "/*SCRIPT-HASHES*/": " ".join(source_hash(s) for s in scripts),
        "/*STYLE-HASH*/": source_hash(styles[0]),
    }.items():
        if html.count(marker) != 1:
            sys.exit(f"inline_page: {template} must hold {marker} once")
        html = html.replace(marker, text)
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write(html)


if __name__ == "__main__":
    main()
