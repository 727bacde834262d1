#!/usr/bin/env bash
# Puts the SQLite amalgamation (sqlite3.c, sqlite3.h) into the directory given, for builds whose
# target system has no SQLite package (the 32-bit Windows DLLs).  The sources come from a pinned
# npm package that carries them; its tarball is checked against the pinned hash before use.
set -euo pipefail
dest=$1
package=better-sqlite3@12.11.1
sha512=76af40b40a608393c616d0733c54819771d94231e893981a40233ace1d989346929830acd426e7548f3f1e001242434ab16169b1e20ef5b7a0e71c696216c87c
[ -f "$dest/sqlite3.c" ] && [ -f "$dest/sqlite3.h" ] && exit 0
command -v npm >/dev/null || { echo "npm is missing: run scripts/install-deps.sh" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tarball=$(cd "$work" && npm pack "$package" --silent | tail -n1)
if ! echo "$sha512  $work/$tarball" | sha512sum --check --status; then
  echo "$package: the tarball's hash is not the pinned one" >&2
  exit 1
fi
tar -xzf "$work/$tarball" -C "$work" package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h
mkdir -p "$dest"
mv "$work/package/deps/sqlite3/sqlite3.c" "$work/package/deps/sqlite3/sqlite3.h" "$dest/"
