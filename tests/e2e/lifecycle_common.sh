# Sourced by lifecycle_e2e.sh and scripts/bench-install.sh after scenario_common.sh: Wine prefixes
# made once and copied per scenario, the machine's paths, snapshots of the machine, and what one
# installation is expected to leave (the page's log, the uninstall log) worked out from the payload's
# table of contents and the machine before the run.

product_title='Lignotek 7.08r'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lignotek 7'
company_key='HKLM\Software\Vendrel & Vodoraru'
product_path_value='Lignotek 7 Path'
default_install_folder='C:\Program Files\Vendrel & Vodoraru\Lignotek 7'
default_menu_folder='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Vendrel & Vodoraru\Lignotek 7'
common_desktop='C:\users\Public\Desktop'
common_data='C:\ProgramData'
examples_folder="$common_desktop\\Lignotek Examples"
directx_text='Mise à jour de DirectX...'
title_english="Installer – $product_title"
continue_english="Click on 'Next' to continue."

# --- prefixes ----------------------------------------------------------------------------------
# Wine's menu builder would copy every shortcut the installation makes into the Linux desktop's
# menus (and note them in the registry): the machine under test is the prefix alone.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=};winemenubuilder.exe=d"
# A fresh prefix costs a wineboot (half a minute); a copy of one costs a moment.  The DLL stores
# of the prefix are never written after wineboot and are shared by hard links; everything else
# (registry, profiles, user folders) is copied.
server() { WINEPREFIX=$1 /usr/lib/wine/wineserver "${@:2}" >/dev/null 2>&1; }

make_prefix() {  # make_prefix DIR : a new prefix by wineboot, its server stopped again
  rm -rf "$1"
  mkdir -p "$(dirname "$1")"
  WINEPREFIX=$1 "$LIGNOTEK_WINE" wineboot --init >/dev/null 2>&1 </dev/null
  server "$1" -w
  [ -f "$1/system.reg" ] || { echo "could not create the Wine prefix $1"; return 1; }
  # No window manager under Xvfb: Wine's own frames (as scripts/wine-prefix.sh sets).
  WINEPREFIX=$1 "$LIGNOTEK_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    >/dev/null 2>&1 </dev/null
  server "$1" -w
}

copy_prefix() {  # copy_prefix FROM TO
  rm -rf "$2"
  mkdir -p "$2/drive_c/windows"
  local entry shared
  for entry in "$1"/* "$1"/.[!.]*; do
    [ -e "$entry" ] || continue
    [ "$(basename "$entry")" = drive_c ] || cp -a "$entry" "$2/"
  done
  for entry in "$1"/drive_c/* "$1"/drive_c/windows/*; do
    [ "$entry" = "$1/drive_c/windows" ] && continue
    case ${entry#"$1/drive_c/"} in
      windows/system32 | windows/syswow64 | windows/winsxs) shared=--link ;;
      *) shared= ;;
    esac
    cp -a $shared "$entry" "$2/drive_c/${entry#"$1/drive_c/"}"
  done
}

use_prefix() {  # use_prefix DIR : the programs that follow run in that prefix, under its own server
  export LIGNOTEK_WINEPREFIX=$1 WINEPREFIX=$1
  server "$1" -p
  # Wine's background processes start here, outside the scenario's pipes (see with-display.sh).
  "$LIGNOTEK_WINE" cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
}

leave_prefix() {  # leave_prefix DIR : stops its server, which writes the registry files
  server "$1" -k
  server "$1" -w
}

# --- paths -------------------------------------------------------------------------------------
user_name=$(id -un)
user_data="C:\\users\\$user_name\\AppData\\Roaming"
temp_folder="C:\\users\\$user_name\\Temp"

unix_path() {  # unix_path 'C:\a\b' : the file of the prefix behind a Windows path
  local path=$1 drive
  drive=$(tr '[:upper:]' '[:lower:]' <<<"${path:0:1}")
  path=${path:2}
  echo "$WINEPREFIX/dosdevices/$drive:${path//\\//}"
}

parent_of() { echo "${1%\\*}"; }

# --- the payload -------------------------------------------------------------------------------
# payload_files INSTALL_FOLDER : one line per entry, "kind<TAB>size<TAB>crc<TAB>full Windows path",
# in payload order, with the destination tokens resolved as on this machine.
payload_files() {
  local install=$1
  "$setup_tool" list "$payload" | while IFS=$'\t' read -r kind size crc folder name; do
    case $folder in
      '<InstallPath>'*) folder=$install${folder#'<InstallPath>'} ;;
      '<SamplePath>'*) folder=$examples_folder${folder#'<SamplePath>'} ;;
      '<CommonData>'*) folder=$common_data${folder#'<CommonData>'} ;;
      '<UserData>'*) folder=$user_data${folder#'<UserData>'} ;;
      '<Temporary>'*) folder='<Temporary>' ;;
    esac
    printf '%s\t%s\t%s\t%s\n' "$kind" "$size" "$crc" "$folder\\$name"
  done
}

crc_of() {  # the CRC-32 of a file in eight lower-case hexadecimal digits (from gzip's trailer)
  gzip -c <"$1" | tail -c 8 | od -An -tx4 -N4 | tr -d ' \n'
}

# --- snapshots ---------------------------------------------------------------------------------
# snapshot FILE : every folder and file of the machine's C: drive outside the Windows folder and the
# temporary folders, with its permissions (Wine keeps the read-only attribute there), size and
# checksum, and the exported HKEY_LOCAL_MACHINE\Software and HKEY_CURRENT_USER\Software (without
# Wine's own settings).
snapshot() {
  local out=$1 root="$WINEPREFIX/drive_c" key tmp
  {
    (cd "$root" && find . -path ./windows -prune -o -path "./users/$user_name/Temp" -prune -o \
      -path "./users/$user_name/AppData/Local/Temp" -prune -o -print0 |
      sort -z | while IFS= read -r -d '' entry; do
        if [ -f "$entry" ]; then
          printf 'file %s %s %s %s\n' "${entry#./}" "$(stat -c %a "$entry")" "$(stat -c %s "$entry")" \
            "$(sha1sum <"$entry" | cut -c1-40)"
        elif [ -d "$entry" ]; then
          printf 'folder %s %s\n' "${entry#./}" "$(stat -c %a "$entry")"
        else
          printf 'other %s\n' "${entry#./}"
        fi
      done)
    tmp=$(mktemp)
    for key in 'HKLM\Software' 'HKCU\Software'; do
      rm -f "$tmp"
      "$LIGNOTEK_WINE" reg export "$key" "$(windows_path_of "$tmp")" /y >/dev/null 2>&1 </dev/null
      # Wine's own settings (HKEY_CURRENT_USER\Software\Wine) change as its programs start.
      iconv -f UTF-16LE -t UTF-8 "$tmp" | tr -d '\r' |
        awk '/^\[/ { wine = index($0, "[HKEY_CURRENT_USER\\Software\\Wine") == 1 } !wine && $0 != ""' |
        sed "s|^|registry |"
    done
    rm -f "$tmp"
  } >"$out"
}

windows_path_of() { local p=$1; echo "Z:${p//\//\\}"; }

# same_machine BEFORE AFTER [ALLOWED] : no difference between two snapshots, except added lines whose
# path is listed in the file ALLOWED (one C:-relative path a line).
same_machine() {
  local before=$1 after=$2 allowed=${3:-/dev/null} added removed unexpected
  removed=$(diff "$before" "$after" | sed -n 's/^< //p')
  added=$(diff "$before" "$after" | sed -n 's/^> //p')
  unexpected=$(while IFS= read -r line; do
    [ -n "$line" ] || continue
    path=$(sed -E 's/^(file|folder) (.*) [0-7]+( [0-9]+ [0-9a-f]{40})?$/\2/' <<<"$line")
    if [[ "$line" == registry* ]] || ! grep -qxF -- "$path" "$allowed"; then echo "$line"; fi
  done <<<"$added")
  if [ -z "$removed" ] && [ -z "$unexpected" ]; then
    echo "ok: the machine is as it was"
  else
    echo "MISSING: the machine as it was; gone or changed:"
    [ -n "$removed" ] && sed 's/^/    - /' <<<"$removed"
    echo "  new or changed:"
    [ -n "$unexpected" ] && sed 's/^/    + /' <<<"$unexpected"
    failures=$((failures + 1))
  fi
}

# --- what an installation leaves ----------------------------------------------------------------
# expect_installation OUTCOME INSTALL_FOLDER MENU_FOLDER MENU DESKTOP [PREVIOUS_LOG]
# Run before the setup program, on the machine it will find: works out the uninstall log it will
# write ($expected_ulog, bytes) and the file lines of its page's log ($expected_log, text).
# OUTCOME is none, same or older; MENU and DESKTOP are yes or no; PREVIOUS_LOG is the uninstall
# log the program will read.
expected_ulog=
expected_log=
expect_installation() {
  local outcome=$1 install=$2 menu=$3 want_menu=$4 want_desktop=$5 previous_log=${6:-}
  local -a previous=() current=() merged=() created=()
  local previous_title='' line kind size crc path
  if [ -n "$previous_log" ]; then
    mapfile -t previous < <(iconv -f UTF-16LE -t UTF-8 "$previous_log" | tr -d '\r' | tail -n +7 | cut -d: -f2-)
    previous_title=$(iconv -f UTF-16LE -t UTF-8 "$previous_log" | tr -d '\r' | sed -n '3{s|^// Install||;s|--.*||;p}' |
      sed -E 's/^[[:space:]]+|[[:space:]]+$//g')
  fi
  placed_before() {  # an earlier installation placed or kept this file
    local record
    for record in "${previous[@]}"; do [[ "$record" == 01??:1\ --\ "$1" ]] && return 0; done
    return 1
  }
  record_folders() {  # the folders of a path that the journal will create, outermost first
    local folder=$1 partial=${1:0:2} element rest=${1:3}
    local IFS='\\'
    for element in $rest; do
      partial="$partial\\$element"
      [ -d "$(unix_path "$partial")" ] && continue
      local seen=0 c
      for c in "${created[@]}"; do [ "$c" = "$partial" ] && seen=1; done
      [ $seen = 1 ] && continue
      created+=("$partial")
      current+=("00ff:1 -- $partial")
    done
  }
  quoted_if_spaced() { if [[ "$1" == *' '* ]]; then echo "\"$1\""; else echo "$1"; fi; }
  expected_log="Preparing Installation...OK"
  while IFS=$'\t' read -r kind size crc path; do
    case $kind in
      5)
        expected_log+=$'\n'"Copying File  $temp_folder\\vendrel_{UUID}\\${path##*\\}...OK"
        continue ;;
      3)
        if [ "$outcome" != none ] && placed_before "$path"; then continue; fi
        if [ -f "$(unix_path "$path")" ]; then current+=("0103:1 -- $path"); continue; fi ;;
      4) [ "$outcome" = older ] && continue ;;
    esac
    record_folders "$(parent_of "$path")"
    current+=("$(printf '01%02x:1 -- %s' "$kind" "$path")")
    expected_log+=$'\n'"Copying File  $(quoted_if_spaced "$path")...OK"
  done < <(payload_files "$install")
  if [ "$want_menu" = yes ] || [ "$want_desktop" = yes ]; then expected_log+=$'\n'"Shortcuts Creation...OK"; fi
  if [ "$want_menu" = yes ]; then
    record_folders "$menu"
    current+=("02ff:1 -- $menu\\$product_title.lnk" "03ff:1 -- $menu\\Uninstall Lignotek.lnk")
  fi
  [ "$want_desktop" = yes ] && current+=("04ff:1 -- $common_desktop\\$product_title.lnk")
  local directx_before=no
  for line in "${previous[@]}"; do [[ "$line" == 07ff:1\ --* ]] && directx_before=yes; done
  if [ "$outcome" = same ] || [ $directx_before = no ]; then
    current+=("07ff:1 -- $directx_text")
    expected_log+=$'\n'"${directx_text}OK"
  fi
  current+=("05ff:1 -- HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lignotek 7"
            "06ff:1 -- HKEY_CLASSES_ROOT\\...")
  expected_log+=$'\n'"Registry Data Writing...OK"$'\n'"Installation Data Writing...OK"
  # The merge: an earlier record stays when this run made none for the same folder or file (for
  # folders and files) or none of its kind (for the others); the survivors come first, in their order.
  merged=("${current[@]}")
  local i j drop
  for ((i = ${#previous[@]} - 1; i >= 0; i--)); do
    line=${previous[i]}
    drop=no
    for j in "${merged[@]}"; do
      case ${line:0:2} in
        00 | 01) [ "${j:0:2}" = "${line:0:2}" ] && [ "${j#* -- }" = "${line#* -- }" ] && drop=yes ;;
        *) [ "${j:0:2}" = "${line:0:2}" ] && drop=yes ;;
      esac
    done
    [ $drop = no ] && merged=("$line" "${merged[@]}")
  done
  local header="Install $product_title"
  [ -n "$previous_title" ] && header+=" -- Update ($previous_title)"
  expected_ulog=$(mktemp)
  {
    printf '\xff\xfe'
    {
      printf '// Uninstall Log File v1\r\n'
      printf '// ############ WARNING: Do not delete or modify this file. ############\r\n'
      printf '// %s\r\n' "$header" "Install Path : $install" "Shortcut Path : $menu"
      printf '// %s\r\n' "$(printf '%*s' $((16 + ${#menu})) '' | tr ' ' -)"
      for ((i = 0; i < ${#merged[@]}; i++)); do printf '%04d:%s\r\n' "$i" "${merged[i]}"; done
    } | iconv -f UTF-8 -t UTF-16LE
  } >"$expected_ulog"
}

# same_ulog FILE : the uninstall log is the one expect_installation worked out, byte for byte.
same_ulog() {
  if cmp -s "$expected_ulog" "$1"; then
    echo "ok: Uninstall.ulog byte for byte"
  else
    echo "MISSING: Uninstall.ulog as expected; the differences (- expected, + written):"
    diff <(iconv -f UTF-16LE -t UTF-8 "$expected_ulog") <(iconv -f UTF-16LE -t UTF-8 "$1") | sed 's/^/    /' | head -40
    cmp "$expected_ulog" "$1" | sed 's/^/    /'
    failures=$((failures + 1))
  fi
}

# page_log DRIVER_OUTPUT : the lines the installation added to the progress page's log box: those
# after its last dashed separator (the options summary has its own).
page_log() {
  grep -m1 '^ *control 1015 ' <<<"$1" | sed -E 's/^ *control 1015 [^ ]+ "//; s/"( disabled| hidden)*$//' |
    sed 's/\\r\\n/\n/g' | awk '/^ *---/ { lines = ""; next } $0 != "" { lines = lines $0 "\n" } END { printf "%s", lines }'
}
