#!/usr/bin/env bash
# The sample product's programs under Wine: the main program registers itself and counts itself,
# the fixtures carry their versions, the DirectX stand-in and the language libraries answer, and the
# uninstaller undoes a hand-made installation while keeping shared data and refusing an altered log.
#   programs_e2e.sh BIN_DIR
# BIN_DIR holds Lignotek.exe, the fixtures, Uninstall.exe, DSetup.dll, dsetup32.dll, the language
# libraries and sample-probe.exe.  Everything the test creates in the prefix is removed first and last.
set -uo pipefail
bin=$(cd "$1" && pwd)
top=$(cd "$(dirname "$0")/../.." && pwd)
source "$top/scripts/wine-env.sh"
[ -f "$WINEPREFIX/system.reg" ] || "$top/scripts/wine-prefix.sh" || exit 1

wine() { "$LIGNOTEK_WINE" "$@" </dev/null; }
reg() { wine reg "$@" 2>/dev/null; }
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
probe() { wine "$bin/sample-probe.exe" "$@"; }

failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
exit_code() {  # exit_code EXPECTED COMMAND... (a Windows exit code, as Wine reports it: the low byte)
  "${@:2}" >/dev/null 2>&1
  local got=$?
  [ "$got" -eq $(($1 & 255)) ] || { echo "  exit code $got, expected $1"; return 1; }
}
contains() { grep -qF -- "$2" <<<"$1"; }
absent() { ! reg query "$@" >/dev/null; }

drive_c=$WINEPREFIX/drive_c
install='Program Files/Vendrel & Vodoraru/Lignotek e2e'
data='ProgramData/Vendrel & Vodoraru'
menu='ProgramData/Microsoft/Windows/Start Menu/Programs/Vendrel & Vodoraru e2e'
desktop='users/Public/Desktop'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lignotek 7'
company_key='HKLM\Software\Vendrel & Vodoraru'
clean() {
  reg delete 'HKCR\.lgnk' /f; reg delete 'HKCR\Lignotek.Document' /f
  reg delete "$uninstall_key" /f; reg delete "$company_key" /v 'Lignotek 7 Path' /f
  chmod -R u+w "$drive_c/$install" 2>/dev/null
  rm -rf "$drive_c/$install" "$drive_c/$data/Lignotek e2e" "$drive_c/$data/Textures e2e" "$drive_c/$menu" \
         "$drive_c/$desktop/Lignotek e2e.lnk" "$drive_c/victim.txt"
  rmdir "$drive_c/Program Files/Vendrel & Vodoraru" "$drive_c/$data" 2>/dev/null
  # The uninstaller's copies that removed it; Windows would delete them at its next start.
  rm -f "$drive_c"/users/*/AppData/Local/Temp/Lignotek-Uninstall-*.exe "$drive_c"/users/*/Temp/Lignotek-Uninstall-*.exe
  return 0
}
clean >/dev/null 2>&1

# --- the main program ------------------------------------------------------------------------
main=$(windows_path "$bin/Lignotek.exe")
check "registration exits -10" exit_code -10 wine "$bin/Lignotek.exe" /Register /Background
check "an update's registration exits -10" exit_code -10 wine "$bin/Lignotek.exe" /Register /Background \
  /update=0007000800110003
check "a malformed update switch is refused" exit_code 2 wine "$bin/Lignotek.exe" /Register /Background /update=7.8
check "an unknown switch is refused" exit_code 2 wine "$bin/Lignotek.exe" /Register
extension=$(reg query 'HKCR\.lgnk' /ve)
command=$(reg query 'HKCR\Lignotek.Document\shell\open\command' /ve)
check "the extension names the document class" contains "$extension" "Lignotek.Document"
check "the open command starts the main program" contains "$command" "\"$main\" \"%1\""
counter_name='Global\Lignotek7.{a3526b56-ca7c-4e16-8a26-da7758a378fd}'
counted=$(probe counter "$main" "$counter_name" "Lignotek 7.08r")
echo "$counted"
check "the window is titled and the program counted" contains "$counted" 'units after'
check "the window is titled and the program counted" [ -z "$(grep FAIL <<<"$counted")" ]
check "the main program is 7.8.18.1" [ "$(probe version "$main" | tr -d '\r')" = 7.8.18.1 ]
check "the newer fixture is 7.9.0.0" [ "$(probe version "$(windows_path "$bin/Lignotek-7.9.0.0.exe")" | tr -d '\r')" = 7.9.0.0 ]
check "the older fixture is 7.8.17.3" [ "$(probe version "$(windows_path "$bin/Lignotek-7.8.17.3.exe")" | tr -d '\r')" = 7.8.17.3 ]

# --- the libraries ---------------------------------------------------------------------------
dsetup=$(probe dsetup "$(windows_path "$bin/DSetup.dll")" "$(windows_path "$bin")")
echo "$dsetup"
check "DSetup.dll reports DirectX 9 revision 904 and succeeds with progress" contains "$dsetup" "setup 0 progress"
check "DSetup.dll answered as expected" [ -z "$(grep FAIL <<<"$dsetup")" ]
mkdir -p "$drive_c/$install"
check "DSetup.dll fails without its companion" \
  contains "$(probe dsetup "$(windows_path "$bin/DSetup.dll")" "C:\\$(tr / '\\' <<<"$install")")" "setup -2"
for language in DEU FRA ITA ESP NLD PTB PLK CSY HUN RUS JPN CHS KOR SVE TRK; do
  check "Lignotek$language.dll names its language" exit_code 0 probe language \
    "$(windows_path "$bin/Lignotek$language.dll")" "$language"
done

# --- the uninstaller -------------------------------------------------------------------------
# A small installation: the programs and a language library in the installation folder (the main
# program read-only, as the setup program leaves it), shared data and a texture, two Start-menu
# shortcuts and a desktop shortcut, the uninstall key, the product path and the association.
win() { printf 'C:\\%s' "$(tr / '\\' <<<"$1")"; }
make_installation() {
  mkdir -p "$drive_c/$install/Lang" "$drive_c/$data/Lignotek e2e" "$drive_c/$data/Textures e2e" "$drive_c/$menu"
  cp "$bin/Uninstall.exe" "$bin/Lignotek.exe" "$drive_c/$install/"
  cp "$bin/LignotekDEU.dll" "$drive_c/$install/Lang/"
  chmod a-w "$drive_c/$install/Lignotek.exe"
  echo shared >"$drive_c/$data/Lignotek e2e/Library01.lgl"
  echo texture >"$drive_c/$data/Textures e2e/Texture01.jpg"
  echo link >"$drive_c/$menu/Lignotek.lnk"; echo link >"$drive_c/$menu/Uninstall.lnk"
  echo link >"$drive_c/$desktop/Lignotek e2e.lnk"
  echo victim >"$drive_c/victim.txt"
  reg add "$uninstall_key" /v DisplayName /t REG_SZ /d 'Lignotek 7.08r' /f >/dev/null
  reg add "$company_key" /v 'Lignotek 7 Path' /t REG_SZ /d "$(win "$install")\\Lignotek.exe" /f >/dev/null
  wine "$drive_c/$install/Lignotek.exe" /Register /Background
}
# write_log EXTRA_RECORD: the log of that installation, with one more record (kind, flag, path) when given.
write_log() {
  local records=(
    "00ff:1 -- $(win "Program Files/Vendrel & Vodoraru")"
    "00ff:1 -- $(win "$install")"
    "0102:1 -- $(win "$install")\\Uninstall.exe"
    "00ff:1 -- $(win "$install")\\Lang"
    "0100:1 -- $(win "$install")\\Lang\\LignotekDEU.dll"
    "00ff:1 -- $(win "$data/Lignotek e2e")"
    "0103:1 -- $(win "$data/Lignotek e2e")\\Library01.lgl"
    "00ff:1 -- $(win "$data/Textures e2e")"
    "0104:1 -- $(win "$data/Textures e2e")\\Texture01.jpg"
    "00ff:1 -- $(win "$menu")"
    "02ff:1 -- $(win "$menu")\\Lignotek.lnk"
    "03ff:1 -- $(win "$menu")\\Uninstall.lnk"
    "04ff:1 -- $(win "$desktop")\\Lignotek e2e.lnk"
    "07ff:1 -- #"
    "0101:1 -- $(win "$install")\\Lignotek.exe"
    "05ff:1 -- HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lignotek 7"
    "06ff:1 -- HKEY_CLASSES_ROOT\\...")
  [ -n "${1:-}" ] && records+=("$1")
  local shortcut; shortcut=$(win "$menu")
  {
    printf '// Uninstall Log File v1\r\n'
    printf '// ############ WARNING: Do not delete or modify this file. ############\r\n'
    printf '// Install Lignotek 7.08r\r\n'
    printf '// Install Path : %s\r\n' "$(win "$install")"
    printf '// Shortcut Path : %s\r\n' "$shortcut"
    printf '// %s\r\n' "$(printf '%*s' $((16 + ${#shortcut})) '' | tr ' ' -)"
    local i=0
    for record in "${records[@]}"; do printf '%04d:%s\r\n' $i "$record"; i=$((i + 1)); done
  } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$drive_c/$install/Uninstall.ulog"
}
uninstaller="$drive_c/$install/Uninstall.exe"
installed_items=("$install/Lignotek.exe" "$install/Lang/LignotekDEU.dll" "$data/Textures e2e/Texture01.jpg"
                 "$menu/Lignotek.lnk" "$menu/Uninstall.lnk" "$desktop/Lignotek e2e.lnk")

make_installation
write_log "0104:1 -- $(win "$install")\\..\\..\\..\\victim.txt"
check "a log with a '..' path is refused" exit_code 3 wine "$uninstaller" /quiet
for item in "${installed_items[@]}" "$install/Uninstall.exe" victim.txt; do
  check "the refused log removed nothing: $item" [ -e "$drive_c/$item" ]
done
check "the refused log left the association" contains "$(reg query 'HKCR\.lgnk' /ve)" "Lignotek.Document"
write_log "02ff:1 -- $(win "$menu")\\Lignotek.exe"
check "a shortcut record that names no .lnk file is refused" exit_code 3 wine "$uninstaller" /quiet
write_log "0104:1 -- C:\\victim.txt"
check "a file outside the product's folders is refused" exit_code 3 wine "$uninstaller" /quiet
check "the refusals removed nothing" [ -e "$drive_c/victim.txt" ] && [ -e "$drive_c/$install/Lignotek.exe" ]

write_log
check "the uninstaller succeeds" exit_code 0 wine "$uninstaller" /quiet
# The copy in the temporary folder removes the uninstaller once it has ended.
for _ in $(seq 100); do [ -e "$uninstaller" ] || [ -e "$drive_c/$install" ] || break; sleep 0.2; done
for item in "${installed_items[@]}" "$install/Uninstall.exe" "$install/Uninstall.ulog" "$install/Lang" "$install" \
            "$data/Textures e2e" "$menu" "Program Files/Vendrel & Vodoraru"; do
  check "removed: $item" [ ! -e "$drive_c/$item" ]
done
check "kept: the shared data file" [ -e "$drive_c/$data/Lignotek e2e/Library01.lgl" ]
check "kept: the file outside the product's folders" [ -e "$drive_c/victim.txt" ]
check "removed: the uninstall key" absent "$uninstall_key"
check "removed: the product path value" absent "$company_key" /v 'Lignotek 7 Path'
check "removed: the extension" absent 'HKCR\.lgnk'
check "removed: the document class" absent 'HKCR\Lignotek.Document'

clean >/dev/null 2>&1
[ "$failures" -eq 0 ] && echo "all checks passed" || echo "$failures checks failed"
[ "$failures" -eq 0 ]
