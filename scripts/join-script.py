#!/usr/bin/env python3
"""Joins the page's script from its parts, in order, inside one function.

The parts share that function's scope, as one script would; the page loads
one file, as a page opened from disk can.

Usage: join-script.py OUTPUT.js PART.js...
"""
import os
import sys


def main():
    output, parts = sys.argv[1], sys.argv[2:]
    names = ", ".join(os.path.basename(part) for part in parts)
    chunks = [f"// Vantric's page script, joined by scripts/join-script.py from ui/web/script/:\n"
              f"// {names}.\n'use strict';\n\n(() => {{\n"]
    for part in parts:
        with open(part, encoding="utf-8") as text:
            chunks.append(f"// {os.path.basename(part)}\n{text.read()}\n")
    chunks.append("})();\n")
    with open(output, "w", encoding="utf-8") as script:
        script.write("".join(chunks))


if __name__ == "__main__":
    main()
