#!/usr/bin/env python3
"""Reports the sizes of the browser front end, raw and gzipped, and checks a limit.

Usage: site-size.py [--limit BYTES] SITE_DIR MODULE.wasm...

The limit applies to the site's files, gzipped one by one as a web server
sends them, which carry the modules inside vantric-wasm.js.
"""
import argparse
import gzip
import os
import sys


def gzipped(path):
    with open(path, "rb") as data:
        return len(gzip.compress(data.read(), 9))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--limit", type=int)
    parser.add_argument("site")
    parser.add_argument("modules", nargs="*")
    args = parser.parse_args()
    for module in args.modules:
        print(f"{os.path.basename(module)}: {os.path.getsize(module):,} bytes, "
              f"{gzipped(module):,} gzipped")
    total = raw = 0
    for name in sorted(os.listdir(args.site)):
        path = os.path.join(args.site, name)
        size, packed = os.path.getsize(path), gzipped(path)
        raw += size
        total += packed
        print(f"site/{name}: {size:,} bytes, {packed:,} gzipped")
    print(f"site: {raw:,} bytes, {total:,} gzipped")
    if args.limit is not None and total > args.limit:
        sys.exit(f"site-size: the site is {total:,} bytes gzipped, over {args.limit:,}")


if __name__ == "__main__":
    main()
