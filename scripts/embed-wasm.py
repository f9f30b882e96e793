#!/usr/bin/env python3
"""Writes the site's wasm modules into one script, as base64 strings.

A page opened from disk may not fetch the files beside it, but it may load
their scripts; the page decodes the modules from window.vantricWasm.

Usage: embed-wasm.py OUTPUT.js NAME=FILE.wasm...
"""
import base64
import sys


def main():
    output, modules = sys.argv[1], sys.argv[2:]
    lines = ["// The site's WebAssembly modules, base64; made by scripts/embed-wasm.py.",
             "window.vantricWasm = {"]
    for module in modules:
        name, path = module.split("=", 1)
        with open(path, "rb") as wasm:
            data = base64.b64encode(wasm.read()).decode("ascii")
        lines.append(f'  {name}: "{data}",')
    lines.append("};")
    with open(output, "w", encoding="ascii") as script:
        script.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
