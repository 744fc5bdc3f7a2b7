#!/usr/bin/env bash
# The Windows programs must run on a bare Windows: every DLL they import is one of the system's.
# usage: check-imports.sh OBJDUMP PROGRAM...
set -u
objdump=$1
shift
system='^(kernel32|user32|gdi32|advapi32|comdlg32|msvcrt|ole32|oleaut32|windowscodecs|shell32)\.dll$'
status=0
for program in "$@"; do
  dlls=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
  if [ -z "$dlls" ]; then
    echo "FAILED: no imports read from $program"
    status=1
    continue
  fi
  for dll in $dlls; do
    if ! [[ $dll =~ $system ]]; then
      echo "FAILED: $(basename "$program") imports $dll, which Windows does not provide"
      status=1
    fi
  done
  echo "$(basename "$program"): $(echo $dlls)"
done
exit $status
