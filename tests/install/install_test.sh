#!/usr/bin/env bash
# Installs the build into a temporary prefix, moves the prefix, runs the installed command on an
# example from another folder (its messages must be those of the build's command), checks the
# libraries' SONAMEs and the Debian package's file list.
set -euo pipefail
build=$1 source=$2 built_command=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/first" >/dev/null
mv "$work/first" "$work/prefix"
mkdir "$work/elsewhere"
import=(import -I "$source/examples" --pre-include "$source/examples/prelude/vendor_words.h"
        --repo demo.db "$source/examples/order.h")
(cd "$work/elsewhere" && "$work/prefix/bin/cimport" "${import[@]}") > "$work/installed.txt"
(cd "$work" && "$built_command" "${import[@]}") > "$work/built.txt"
cmp "$work/installed.txt" "$work/built.txt"
grep -q '^Created Type ' "$work/installed.txt"
for lib in libcimport.so libtksbeapi.so; do
  objdump -p "$work/prefix/lib/$lib" | grep -q "SONAME  *$lib\$" || { echo "$lib: SONAME" >&2; exit 1; }
done

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
expected=(./usr/bin/cimport ./usr/include/cimport.h ./usr/include/tksbeapi.h
          ./usr/include/tksbeapi_host.h ./usr/lib/libcimport.so ./usr/lib/libtksbeapi.so)
if [ -d "$source/tools/cimport/share" ]; then
  mapfile -t -O ${#expected[@]} expected < <(cd "$source/tools/cimport/share" &&
    find . -type f | sed 's|^\.|./usr/share/cimport|')
fi
dpkg-deb -c "$work"/package/*.deb | awk '$6 !~ /\/$/ { print $6 }' | sort > "$work/files.txt"
printf '%s\n' "${expected[@]}" | sort | diff - "$work/files.txt"
