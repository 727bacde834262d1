#!/usr/bin/env bash
# Checks the 32-bit Windows binaries in the folder given: cimport.dll exports its entry under
# exactly its two names and imports from tksbeapi.dll exactly the sixteen repository calls by
# their plain names, and returns as __stdcall does; no binary needs a MinGW runtime DLL beside it.
set -euo pipefail
dir=$1
objdump=i686-w64-mingw32-objdump

exports() {  # the names of the export table
  "$objdump" -p "$1" | awk '/^\[Ordinal\/Name Pointer\] Table/ { on = 1; next }
                           on && NF == 0 { on = 0 } on { print $NF }' | sort
}
imports_from() {  # the names imported from DLL $2
  "$objdump" -p "$1" | awk -v dll="$2" '$1 == "DLL" && $2 == "Name:" { on = ($3 == dll); next }
                                        on && NF == 0 { on = 0 } on && $1 ~ /^[0-9a-f]+$/ { print $NF }' | sort
}
expect() {  # what, expected lines, actual lines
  if [ "$2" != "$3" ]; then
    echo "$1 differs:"
    diff <(echo "$2") <(echo "$3") || true
    exit 1
  fi
}

expect "cimport.dll exports" "$(printf '%s\n' DoCImport DoCImport@48)" "$(exports "$dir/cimport.dll")"
calls=(TKSCreateElement TKSCreateLengthID TKSCreateType TKSDelete TKSFindDefinition
       TKSGetDefaultDetails TKSGetDefaultMemberDetails2 TKSGetDetails TKSGetFirstDefinition
       TKSGetIdentifier TKSGetMemberAttrValue TKSGetMemberDetails TKSGetNextDefinition
       TKSInsertMember TKSIsComplete TKSSetMemberAttrValue)
expect "cimport.dll imports from tksbeapi.dll" "$(printf '%s\n' "${calls[@]}" | sort)" \
       "$(imports_from "$dir/cimport.dll" tksbeapi.dll)"
# Both names lead to one function, and it removes its twelve arguments (48 bytes) itself.
rvas=$("$objdump" -p "$dir/cimport.dll" | awk '/Export RVA$/ { print $(NF - 2) }' | sort -u)
expect "the entry's addresses" "$(head -n1 <<<"$rvas")" "$rvas"
base=$("$objdump" -p "$dir/cimport.dll" | awk '$1 == "ImageBase" { print $2 }')
start=$((0x$base + 0x$rvas))
returns=$("$objdump" -d --start-address="$start" --stop-address=$((start + 0x4000)) \
          "$dir/cimport.dll" | awk '/\tret/ && !done { print $NF; done = 1 }')
expect "the entry's first return" '$0x30' "$returns"
for binary in cimport.dll tksbeapi.dll cimport.exe; do
  runtime=$("$objdump" -p "$dir/$binary" | awk '$1 == "DLL" && $2 == "Name:" { print $3 }' |
            grep -i 'stdc++\|libgcc\|winpthread' || true)
  expect "$binary needs no MinGW runtime DLL" "" "$runtime"
done
echo "cimport.dll exports:"
exports "$dir/cimport.dll" | sed 's/^/  /'
echo "the Windows binaries' exports and imports are as expected"
