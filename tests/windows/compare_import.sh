#!/usr/bin/env bash
# Imports the examples with the native command and with cimport.exe under the emulator; their
# messages must agree byte for byte once the header paths are written alike (the Windows form
# of /dir/x.h is Z:\dir\x.h) and Windows' CR LF line ends are read as line ends.
set -euo pipefail
native=$1 emulator=$2 windows=$3 examples=$4
args=(import --dry-run -I "$examples" --pre-include "$examples/prelude/vendor_words.h"
      "$examples"/*.h)
"$native" "${args[@]}" | sed "s|$examples/|<examples>/|g" > native.txt
windows_examples="Z:${examples//\//\\}\\"
$emulator "$windows" "${args[@]}" | tr -d '\r' |
  sed "s|${windows_examples//\\/\\\\}|<examples>/|g" > windows.txt
grep -q '^Created Type ' native.txt
cmp native.txt windows.txt
