#!/bin/sh
# Builds a small Windows executable whose only content is a version resource, for tests that read
# version information from files.
#
#   make_pe.sh [options] OUT.exe
#     --arch i686|x86_64        machine of the executable (default i686)
#     --file-version A.B.C.D    FILEVERSION (default 7.8.18.1)
#     --product-version A.B.C.D PRODUCTVERSION (default: the file version)
#     --flags N                 FILEFLAGS, e.g. 0x2 for a pre-release build (default 0)
#     --rc-strings FILE         the StringFileInfo/VarFileInfo part of the resource script
#                               (default: ProductName "Lignotek", ProductVersion "7.08r", one 0x0409/1200
#                               translation)
#     --no-version              no version resource at all (another resource keeps the table non-empty)
#
# Example, a main program of an older version:  make_pe.sh --file-version 7.7.2.0 old.exe
# Needs mingw-w64 (gcc and windres of the chosen machine).  The output is reproducible.
set -eu

arch=i686
file_version=7.8.18.1
product_version=
flags=0
strings=
with_version=1
while [ $# -gt 1 ]; do
    case "$1" in
        --arch) arch=$2; shift 2 ;;
        --file-version) file_version=$2; shift 2 ;;
        --product-version) product_version=$2; shift 2 ;;
        --flags) flags=$2; shift 2 ;;
        --rc-strings) strings=$2; shift 2 ;;
        --no-version) with_version=0; shift ;;
        *) echo "make_pe.sh: unknown option $1" >&2; exit 2 ;;
    esac
done
[ $# -eq 1 ] || { echo "usage: make_pe.sh [options] OUT.exe" >&2; exit 2; }
out=$1
[ -n "$product_version" ] || product_version=$file_version

case "$arch" in
    i686) entry=_entry ;;
    x86_64) entry=entry ;;
    *) echo "make_pe.sh: unknown machine $arch" >&2; exit 2 ;;
esac
commas() { echo "$1" | tr . ,; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf 'int entry(void) { return 0; }\n' >"$work/main.c"
{
    echo '#pragma code_page(65001)'
    echo '#include <winver.h>'
    echo '1 RCDATA { "x" }'
    if [ "$with_version" = 1 ]; then
        echo "1 VERSIONINFO"
        echo " FILEVERSION $(commas "$file_version")"
        echo " PRODUCTVERSION $(commas "$product_version")"
        echo " FILEFLAGSMASK 0x3F"
        echo " FILEFLAGS $flags"
        echo " FILEOS VOS_NT_WINDOWS32"
        echo " FILETYPE VFT_APP"
        echo " FILESUBTYPE VFT2_UNKNOWN"
        echo "BEGIN"
        if [ -n "$strings" ]; then
            cat "$strings"
        else
            cat <<'RC'
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904b0"
    BEGIN
      VALUE "CompanyName", "Vendrel & Vodoraru"
      VALUE "ProductName", "Lignotek"
      VALUE "ProductVersion", "7.08r"
      VALUE "LegalCopyright", "Copyright © 2026 Vendrel & Vodoraru"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x0409, 1200
  END
RC
        fi
        echo "END"
    fi
} >"$work/version.rc"

"$arch-w64-mingw32-windres" -c 65001 -i "$work/version.rc" -o "$work/version.o"
"$arch-w64-mingw32-gcc" -Os -s -nostdlib -Wl,-e,"$entry" -Wl,--no-insert-timestamp \
    -o "$out" "$work/main.c" "$work/version.o"
