#!/usr/bin/env bash
# scripts/setup.sh against a fake apt: a package is missing and every
# apt-get update fails, as with a mirror in the middle of a sync. Setup
# tries the update twice, goes on to install from the lists at hand, and
# ends with the install's own status.
set -euo pipefail
setup=$(cd "$(dirname "$0")/../.." && pwd)/scripts/setup.sh
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT

cat >"$fake/apt-get" <<'FAKE'
#!/bin/sh
echo "apt-get $*" >>"$FAKE_LOG"
case "$*" in
  *update*) echo "E: Some index files failed to download" >&2; exit 100 ;;
  *install*) exit "${FAKE_INSTALL_STATUS:-0}" ;;
esac
FAKE
cat >"$fake/dpkg-query" <<'FAKE'
#!/bin/sh
# Everything is installed but chromium.
for last; do :; done
[ "$last" = chromium ] && exit 1
echo "install ok installed"
FAKE
cat >"$fake/dpkg" <<'FAKE'
#!/bin/sh
case "$1" in
  --print-architecture) echo amd64 ;;
  --print-foreign-architectures) echo i386 ;;
esac
FAKE
cat >"$fake/id" <<'FAKE'
#!/bin/sh
echo 0
FAKE
chmod +x "$fake"/*

run_setup() {
  FAKE_LOG=$fake/log PATH=$fake:$PATH "$setup" >"$fake/out" 2>&1
}

: >"$fake/log"
run_setup || { cat "$fake/out"; echo "FAIL: setup failed although the install worked"; exit 1; }
updates=$(grep -c 'update' "$fake/log" || true)
[ "$updates" = 2 ] || { cat "$fake/log"; echo "FAIL: $updates updates, not 2"; exit 1; }
grep -q 'install .*chromium' "$fake/log" || { cat "$fake/log"; echo "FAIL: no install"; exit 1; }
grep -q 'installing from the lists at hand' "$fake/out" || { cat "$fake/out"; echo "FAIL: no word"; exit 1; }

: >"$fake/log"
if FAKE_INSTALL_STATUS=100 run_setup; then
  cat "$fake/out"
  echo "FAIL: setup succeeded although the install failed"
  exit 1
fi
echo "setup retries a failing update once, installs from the lists at hand, and fails with its install"
