#!/usr/bin/env bash
# The 32-bit Windows build, after the native one (scripts/test.sh): cross builds the three
# binaries, checks their exports and imports and the ZIP package's files, and runs the Windows
# tests under wine where this machine can run 32-bit programs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-mingw-i686
cmake --preset mingw-i686 -DCIMPORT_NATIVE_CLI="$PWD/build/tools/cimport/cimport" >/dev/null
cmake --build --preset mingw-i686 -j"$(nproc)"
bash scripts/check-windows-binaries.sh "$build/bin"

(cd "$build" && cpack -G ZIP >/dev/null)
package=$(ls "$build"/cimport-*-win32.zip)
top=$(basename "$package" .zip)
files=(README.md bin/cimport.dll bin/cimport.exe bin/tksbeapi.dll
       include/cimport.h include/tksbeapi.h include/tksbeapi_host.h)
if [ -d tools/cimport/share ]; then
  mapfile -t -O ${#files[@]} files < <(cd tools/cimport/share && find . -type f |
                                       sed 's|^\./|share/cimport/|')
fi
expected=$(printf "$top/%s\n" "${files[@]}")
actual=$(python3 -c 'import sys, zipfile; print("\n".join(n for n in zipfile.ZipFile(sys.argv[1]).namelist()
                                                            if not n.endswith("/")))' "$package")
diff <(sort <<<"$expected") <(sort <<<"$actual")
echo "$(basename "$package") holds the expected files"

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if probe=$(wine cmd /c exit 0 2>&1); then
  ctest --preset mingw-i686 -j"$(nproc)"
else
  echo "wine cannot run 32-bit programs on this machine; the Windows tests are not run:"
  echo "$probe"
fi
