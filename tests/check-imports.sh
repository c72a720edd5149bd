#!/bin/sh
# check-imports.sh OBJDUMP EXE: trelvik.exe must start on a bare Windows, so
# it may import only DLLs that every Windows has.
set -eu
objdump=$1
exe=$2
dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
echo "$exe imports: $(echo $dlls)"
status=0
for dll in $dlls; do
  case $(echo "$dll" | tr 'A-Z' 'a-z') in
    kernel32.dll | user32.dll | msvcrt.dll) ;;
    *) echo "not a system DLL: $dll" >&2; status=1 ;;
  esac
done
[ -n "$dlls" ] || { echo "no imports found in $exe" >&2; status=1; }
exit $status
