#!/bin/sh
# Regenerates the executables the version tests read (committed, so that the native tests need no
# cross compiler).  Run from anywhere: sh tests/vd/data/version/make_fixtures.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)
make_pe="$here/make_pe.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The main program as the product ships it, as PE32 and PE32+.
sh "$make_pe" --arch i686 "$here/product_pe32.exe"
sh "$make_pe" --arch x86_64 "$here/product_pe32plus.exe"

# Two code-page-1200 translations; the string tables are stored in the other order than listed.
cat >"$work/two.rc" <<'RC'
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904b0"
    BEGIN
      VALUE "ProductName", "Second listed"
    END
    BLOCK "040704b0"
    BEGIN
      VALUE "ProductName", "First listed"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x0407, 1200, 0x0409, 1200
  END
RC
sh "$make_pe" --rc-strings "$work/two.rc" "$here/two_translations.exe"

# The only translation uses code page 1252.
cat >"$work/ansi.rc" <<'RC'
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904e4"
    BEGIN
      VALUE "ProductName", "Lignotek"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x0409, 1252
  END
RC
sh "$make_pe" --file-version 7.8.18.1 --rc-strings "$work/ansi.rc" "$here/only_1252.exe"

# A private debug pre-release with "bêta" in both the name and the version.
cat >"$work/beta.rc" <<'RC'
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040004b0"
    BEGIN
      VALUE "ProductName", "Lignotek bêta"
      VALUE "ProductVersion", "7.09 bêta"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x0400, 1200
  END
RC
sh "$make_pe" --file-version 7.9.0.3 --flags 0xB --rc-strings "$work/beta.rc" "$here/prerelease.exe"

# A ProductVersion that is a single NUL.
cat >"$work/empty.rc" <<'RC'
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040004b0"
    BEGIN
      VALUE "ProductName", "Lignotek"
      VALUE "ProductVersion", ""
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x0400, 1200
  END
RC
sh "$make_pe" --rc-strings "$work/empty.rc" "$here/empty_version.exe"

# No version resource.
sh "$make_pe" --no-version "$here/no_version.exe"

# Main programs of an older and a newer release, for the detection of an earlier installation.
sh "$make_pe" --file-version 7.7.2.0 --arch i686 "$here/product_older.exe"
sh "$make_pe" --file-version 7.9.0.0 --arch i686 "$here/product_newer.exe"
