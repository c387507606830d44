#!/usr/bin/env bash
# The Windows program stands on its own: it imports no DLL beyond Windows' own (the compiler's
# runtime and Qt are inside it), it is a windowed program, and it carries its icon and version.
# Usage: test-program.sh capacita.exe
set -euo pipefail
exe=$1
headers=$(x86_64-w64-mingw32-objdump -p "$exe")

# Windows' own DLLs, and the API sets that stand for them.
own='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|imm32|winmm|ws2_32|version|netapi32|userenv|uxtheme|dwmapi|shcore|setupapi|cfgmgr32|authz|secur32|wtsapi32|mpr|msvcrt|ucrtbase|shlwapi|d3d9|d3d11|d3d12|dxgi|dwrite|d2d1|uiautomationcore|winspool\.drv|comctl32|rpcrt4|crypt32|bcrypt|ntdll|api-ms-win-[a-z0-9-]+)(\.dll)?$'
dlls=$(echo "$headers" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$dlls" ] || { echo "no imports found in $exe"; exit 1; }
foreign=$(echo "$dlls" | grep -v -E "$own" || true)
[ -z "$foreign" ] || { echo "capacita.exe needs DLLs that Windows does not have:"; echo "$foreign"; exit 1; }

# Subsystem 2 is the Windows GUI; 3 would open a console beside the windows.
grep -q -E '^Subsystem[[:space:]]+0+2[[:space:]]' <<<"$headers" || { echo "not a windowed program"; echo "$headers" | grep Subsystem; exit 1; }
grep -q -E '^Magic[[:space:]]+020b' <<<"$headers" || { echo "not a 64-bit program"; exit 1; }

# The version block and the program's name in it, in UTF-16 as Windows keeps them.
texts=$(strings -el "$exe")
grep -q -x 'VS_VERSION_INFO' <<<"$texts" || { echo "no version resource"; exit 1; }
python3 -c 'import sys; sys.exit("Misure di capacità".encode("utf-16-le") not in open(sys.argv[1], "rb").read())' "$exe" ||
  { echo "no product name in the version resource"; exit 1; }
# The resource types at the top of the resource directory: icon group (14) and version (16).
types=$(echo "$headers" | sed -n '/The .rsrc Resource Directory section/,$p' | sed -n 's/^0[0-9a-f]*   Entry: ID: \(0x[0-9a-f]*\),.*/\1/p')
for type in 0x00000e 0x000010; do
  grep -q -x "$type" <<<"$types" || { echo "no resource of type $type (found: $types)"; exit 1; }
done

echo "capacita.exe: $(echo "$dlls" | wc -l) DLLs, all Windows' own; windowed, 64-bit, with icon and version"
