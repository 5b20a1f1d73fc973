#!/usr/bin/env bash
# The whole lifecycle of the product under Wine: the real LignotekSetup.exe installs, reinstalls
# and updates the sample product, a failed extraction is rolled back, and the product's uninstaller
# takes everything back.  Every scenario starts from a clean prefix: "prefixes" makes a pristine
# one (wineboot) in WORK_DIR, the first scenario that needs one makes an installed one (the pristine
# one after a quick installation), and each scenario runs in a copy under its own wineserver.
#   lifecycle_e2e.sh SCENARIO SETUP.exe DRIVER.exe SETUP-TOOL PAYLOAD.bz2 WORK_DIR
# The Windows programs beside SETUP.exe include the older main program Lignotek-7.8.17.3.exe.
# second-drive mounts a tmpfs as drive D: and is skipped (exit 77) where the mount is refused.
set -uo pipefail
scenario=$1 setup=$2 driver=$3 setup_tool=$4 payload=$5 work=$6
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${DISPLAY:-}" ] && [ "$scenario" != prefixes ]; then
  exec "$here/../../scripts/with-display.sh" bash "$0" "$@"
fi
source "$here/scenario_common.sh"
source "$here/lifecycle_common.sh"
bin=$(dirname "$setup")
older_main_program=$bin/Lignotek-7.8.17.3.exe
pristine=$work/pristine
installed=$work/installed

# --- the wizard --------------------------------------------------------------------------------
# Page 0 Next, page 1 as it is (quick), Install, then the end page and Exit.
quick_install=(--press 1 --expect-visible 1021 --press 1 --expect 1 Install)
# Install, wait for the end of the sequence, read the page and leave through the end page.
finish_install=(--press 1 --patience 300 --expect 1003 "$continue_english" --patience 5 --dump
                --press 1 --expect 1016 "Installation is complete." --press 2 --wait-exit 30)

# run_setup STEPS... : the driver over the setup program; its facts in $out, and the command lines
# of the processes the setup program started (Wine's process trace) in $started.
run_setup() {
  local trace
  trace=$(mktemp)
  out=$(WINEDEBUG=-all,+process drive --start "$setup" --wait-window 60 --expect-title "$title_english" "$@" \
        2>"$trace")
  started=$(grep -a 'CreateProcessInternalW' "$trace" | sed -n 's/.* cmdline L"\(.*\)"$/\1/p' |
            sed 's/\\\\/\\/g; s/\\"/"/g')
  rm -f "$trace"
  echo "$out"
}

finished() {  # the driver ran every step and the program ended normally
  if grep -qxF "exit 0" <<<"$out"; then echo "ok: exit 0"; else echo "MISSING: exit 0"; failures=$((failures + 1)); fi
  refuse "error " "$out"
}

check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "MISSING: $1"; failures=$((failures + 1)); fi
}

# The page's log: every line of the run as worked out by expect_installation, nothing else.
same_page_log() {
  local got
  got=$(page_log "$out" | sed 's/vendrel_{[0-9a-f-]*}/vendrel_{UUID}/')
  if [ "$got" = "$expected_log" ]; then
    echo "ok: the page's log, $(wc -l <<<"$got") lines"
  else
    echo "MISSING: the page's log as expected (- expected, + shown):"
    diff <(echo "$expected_log") <(echo "$got") | sed 's/^/    /' | head -30
    failures=$((failures + 1))
  fi
}

# Every file of kinds 0 to 4 that this run placed has the payload's size and CRC-32; the files of
# kind 5 and the run's temporary folder are gone, and so are the journal's backups.
files_in_place() {  # files_in_place INSTALL_FOLDER [KINDS]
  local kinds=${2:-01234} kind size crc path file bad=0 count=0
  while IFS=$'\t' read -r kind size crc path; do
    [[ "$kinds" == *$kind* ]] || continue
    file=$(unix_path "$path")
    count=$((count + 1))
    if [ ! -f "$file" ] || [ "$(stat -c %s "$file")" != "$size" ] || [ "$(crc_of "$file")" != "$crc" ]; then
      echo "  not as in the payload: $path"
      bad=$((bad + 1))
    fi
  done < <(payload_files "$1")
  check "$count payload files of kinds $kinds in place with their size and CRC-32" [ "$bad" = 0 ]
  local temp
  temp=$(unix_path "$temp_folder")
  check "no temporary folder left" [ -z "$(find "$temp" -maxdepth 1 -name 'vendrel_{*}' -print -quit)" ]
  check "no journal backup left" [ -z "$(find "$temp" -maxdepth 1 -name 'vd*.tmp' -print -quit)" ]
}

# The values of a key, one "NAME TYPE DATA" a line, in the order Wine lists them.
key_values() {
  "$LIGNOTEK_WINE" reg query "$1" </dev/null 2>/dev/null | tr -d '\r' |
    sed -n 's/^    \([^ ].*\)    \(REG_[A-Z_]*\)    \(.*\)$/\1 \2 \3/p'
}

# The uninstall entry's twelve values and the product path.  Wine's registry keeps a key's values
# sorted by name, so the order in which they were written cannot be seen here.
registry_entry() {  # registry_entry INSTALL_FOLDER
  local install=$1 values about
  values=$(key_values "$uninstall_key")
  about=$(sed -n 's/^URLInfoAbout REG_SZ //p' <<<"$values")
  local wanted="DisplayIcon REG_SZ $install\\Lignotek.exe,0
DisplayName REG_SZ $product_title
DisplayVersion REG_SZ 7.8.18.1
HelpLink REG_SZ $about
HelpTelephone REG_SZ $(sed -n 's/^HelpTelephone REG_SZ //p' <<<"$values")
NoModify REG_DWORD 0x1
NoRepair REG_DWORD 0x1
Publisher REG_SZ Vendrel & Vodoraru
URLInfoAbout REG_SZ $about
URLUpdateInfo REG_SZ $about
UninstallString REG_SZ $install\\Uninstall.exe
VdLanguage REG_DWORD 0x1"
  if [ "$(LC_ALL=C sort -f <<<"$values")" = "$(LC_ALL=C sort -f <<<"$wanted")" ]; then
    echo "ok: the uninstall entry's twelve values"
  else
    echo "MISSING: the uninstall entry's twelve values (- expected, + found):"
    diff <(LC_ALL=C sort -f <<<"$wanted") <(LC_ALL=C sort -f <<<"$values") | sed 's/^/    /'
    failures=$((failures + 1))
  fi
  check "the web address is an http address" grep -qE '^https?://[^ ]+$' <<<"$about"
  check "the telephone is a text" grep -q '^HelpTelephone REG_SZ [^ ]' <<<"$values"
  check "the product path names the main program" \
    grep -qxF "$product_path_value REG_SZ $install\\Lignotek.exe" <<<"$(key_values "$company_key")"
}

# shortcuts TARGET:LINK... : each link exists and starts its target in the target's folder, without
# arguments (one driver run reads them all).
shortcuts() {
  local pair steps=() facts
  for pair in "$@"; do steps+=(--read-link "$(unix_path "${pair#*|}")"); done
  facts=$(drive "${steps[@]}")
  for pair in "$@"; do
    local target=${pair%%|*} link=${pair#*|}
    check "shortcut $link starts $target" \
      grep -qF "target \"$target\" folder \"$(parent_of "$target")\" arguments \"\"" <<<"$facts"
  done
}

read_only() {  # read_only WINDOWS_PATH : the read-only attribute is set (Wine keeps it as the write bits)
  check "$1 is read-only" [ -z "$(find "$(unix_path "$1")" -perm /222)" ]
}

attributes_of() {  # attributes_of WINDOWS_PATH : the attributes as Windows reports them, a number
  drive --attributes "$(unix_path "$1")" | sed -n 's/^attributes .* \(0x[0-9A-F]*\)$/\1/p'
}

registered_with() {  # registered_with SWITCHES : the product was started once for its registration
  local main="\"$1\\Lignotek.exe\" /Register /Background$2"
  check "the product was started as $main" grep -qxF -- "$main" <<<"$started"
}

# --- the prefixes ------------------------------------------------------------------------------
fresh() {  # fresh NAME FROM : a copy of a prefix for this scenario, in use until the script ends
  [ -d "$pristine" ] || { echo "no pristine prefix in $work: run the scenario \"prefixes\" first"; exit 1; }
  [ "$2" = "$installed" ] && [ ! -d "$installed" ] && make_installed
  scenario_prefix=$work/$1
  copy_prefix "$2" "$scenario_prefix"
  use_prefix "$scenario_prefix"
  trap 'end_scenario' EXIT
}
end_scenario() {
  leave_prefix "$scenario_prefix"
  [ -n "${volume:-}" ] && umount "$volume" 2>/dev/null
  # A failed scenario keeps its prefix for a look at the machine.
  [ "$failures" -eq 0 ] && rm -rf "$scenario_prefix"
  return 0
}

# The pristine prefix, once per test run; the installed one is made again from it when a scenario
# first asks for it.
prefixes() {
  rm -rf "$installed"
  make_prefix "$pristine" || exit 1
  echo "ok: a pristine prefix"
}

make_installed() {
  copy_prefix "$pristine" "$installed.new"
  use_prefix "$installed.new"
  run_setup "${quick_install[@]}" "${finish_install[@]}" >/dev/null
  leave_prefix "$installed.new"
  if grep -qxF "exit 0" <<<"$out" && grep -qF "Installation Data Writing...OK" <<<"$out"; then
    mv "$installed.new" "$installed"
  else
    echo "MISSING: a quick installation for the installed prefix"
    echo "$out"
    exit 1
  fi
}

# --- the scenarios -----------------------------------------------------------------------------
# A quick installation on a clean machine: the files, the registry, the shortcuts, the uninstall
# log and the page's log.
fresh_quick() {
  fresh fresh-quick "$pristine"
  local install=$default_install_folder menu=$default_menu_folder
  expect_installation none "$install" "$menu" yes yes
  run_setup "${quick_install[@]}" "${finish_install[@]}"
  finished
  same_page_log
  files_in_place "$install"
  registry_entry "$install"
  shortcuts "$install\\Lignotek.exe|$menu\\$product_title.lnk" "$install\\Uninstall.exe|$menu\\Uninstall Lignotek.lnk" \
            "$install\\Lignotek.exe|$common_desktop\\$product_title.lnk"
  same_ulog "$(unix_path "$install\\Uninstall.ulog")"
  read_only "$install\\Uninstall.ulog"
  local attributes
  attributes=$(attributes_of "$install\\Uninstall.ulog")
  echo "Uninstall.ulog attributes $attributes"
  check "Windows reports Uninstall.ulog read-only" [ $((${attributes:-0} & 1)) = 1 ]
  read_only "$install\\Lignotek.exe"
  read_only "$install\\Uninstall.exe"
  registered_with "$install" ""
}

# Advanced mode into a chosen folder with only the desktop shortcut: no Start-menu folder is made.
advanced_desktop_only() {
  fresh advanced-desktop-only "$pristine"
  local install='C:\Lignotek Chosen' menu=$default_menu_folder
  expect_installation none "$install" "$menu" no yes
  run_setup --press 1 --expect-visible 1021 --check 1019 --press 1 --expect-visible 1008 --type 1007 "$install" \
            --press 1 --expect-visible 1012 --uncheck 1011 --expect-checked 1010 --press 1 --expect 1 Install \
            "${finish_install[@]}"
  finished
  same_page_log
  files_in_place "$install"
  registry_entry "$install"
  shortcuts "$install\\Lignotek.exe|$common_desktop\\$product_title.lnk"
  check "no Start-menu folder" [ ! -e "$(unix_path "$(parent_of "$menu")")" ]
  check "nothing in the default installation folder" [ ! -e "$(unix_path "$(parent_of "$default_install_folder")")" ]
  same_ulog "$(unix_path "$install\\Uninstall.ulog")"
}

# The same version again: shared data that the first installation placed is left alone (a user's
# change to it survives), every other file is placed again, DirectX runs again, the logs merge.
reinstall_same() {
  fresh reinstall-same "$installed"
  local install=$default_install_folder menu=$default_menu_folder ulog
  ulog=$(unix_path "$install\\Uninstall.ulog")
  local library
  library=$(unix_path "$common_data\\Vendrel & Vodoraru\\Lignotek 7\\Library01.lgl")
  echo "changed by the user" >"$library"
  expect_installation same "$install" "$menu" yes yes "$ulog"
  run_setup --expect 1016 "'$product_title' is already installed.\\r\\nDo you confirm Reinstallation ?" \
            "${quick_install[@]}" "${finish_install[@]}"
  finished
  same_page_log
  files_in_place "$install" 0124
  check "the user's change to the shared data survives" grep -qx "changed by the user" "$library"
  same_ulog "$ulog"
  registered_with "$install" ""
}

# Turns the installed product into the earlier release 7.8.17.3 ("Lignotek 7.08q"): its main
# program and the title of its uninstall log.
make_older() {  # make_older INSTALL_FOLDER
  local folder
  folder=$(unix_path "$1")
  chmod u+w "$folder/Lignotek.exe" "$folder/Uninstall.ulog"
  cp "$older_main_program" "$folder/Lignotek.exe"
  iconv -f UTF-16LE -t UTF-8 "$folder/Uninstall.ulog" | sed '3s|^// Install .*|// Install Lignotek 7.08q|' |
    iconv -f UTF-8 -t UTF-16LE >"$folder/Uninstall.ulog.new"
  mv "$folder/Uninstall.ulog.new" "$folder/Uninstall.ulog"
  chmod a-w "$folder/Lignotek.exe" "$folder/Uninstall.ulog"
}

# An update over 7.8.17.3: samples and textures are skipped (one removed by the user stays away),
# DirectX is not run again, and the product hears the version it replaces.
update_older() {
  fresh update-older "$installed"
  local install=$default_install_folder menu=$default_menu_folder ulog
  ulog=$(unix_path "$install\\Uninstall.ulog")
  make_older "$install"
  local sample
  sample=$(unix_path "$examples_folder\\Sample01.lgk")
  rm -f "$sample"
  expect_installation older "$install" "$menu" yes yes "$ulog"
  run_setup --expect 1016 "Update from 'Lignotek 7.08q' to '$product_title'." \
            "${quick_install[@]}" "${finish_install[@]}"
  finished
  same_page_log
  files_in_place "$install" 012
  check "a removed sample stays removed" [ ! -e "$sample" ]
  same_ulog "$ulog"
  registered_with "$install" " /update=0007000800110003"
}

# The installation folder on drive D:, another file system than the temporary folder on C: that
# holds the journal's backups; an update over it moves every replaced file across volumes.
second_drive() {
  local mount_point=$work/second-drive-volume
  mkdir -p "$mount_point"
  if ! mount -t tmpfs -o size=256m lifecycle-d "$mount_point" 2>/dev/null; then
    echo "skipped: this machine refuses to mount a tmpfs for drive D:"
    exit 77
  fi
  volume=$mount_point
  fresh second-drive "$pristine"
  ln -s "$mount_point" "$WINEPREFIX/dosdevices/d:"
  local install='D:\Lignotek 7' menu=$default_menu_folder ulog
  run_setup --press 1 --expect-visible 1021 --check 1019 --press 1 --expect-visible 1008 --type 1007 "$install" \
            --press 1 --expect-visible 1012 --press 1 --expect 1 Install "${finish_install[@]}" >/dev/null
  finished
  ulog=$(unix_path "$install\\Uninstall.ulog")
  make_older "$install"
  expect_installation older "$install" "$menu" yes yes "$ulog"
  # The update's folder is the one its uninstall log names.
  run_setup --expect 1016 "Update from 'Lignotek 7.08q' to '$product_title'." "${quick_install[@]}" \
            "${finish_install[@]}"
  finished
  same_page_log
  files_in_place "$install" 012
  same_ulog "$ulog"
}

# A reinstallation whose last file (the main program) is held open by another process: the
# extraction fails with a sharing violation and the machine is rolled back exactly.
failed_extraction() {
  fresh failed-extraction "$installed"
  local install=$default_install_folder before after
  before=$(mktemp) after=$(mktemp)
  snapshot "$before"
  run_setup --hold-file "$(unix_path "$install\\Lignotek.exe")" "${quick_install[@]}" \
            --press 1 --patience 300 --expect 1003 "Installation failed (Error Code 1:00000020)." --patience 5 \
            --dump --expect-enabled 2 --press 2 --wait-box 10 --press 6 --wait-exit 30
  finished
  expect_line "Copying File  \"$install\\Lignotek.exe\"...Failed" "$(page_log "$out")"
  refuse "Registry Data Writing" "$out"
  snapshot "$after"
  same_machine "$before" "$after"
  files_in_place "$install" ""
  rm -f "$before" "$after"
}

# The product's own uninstaller after a quick installation leaves the machine as it was, except
# for the shared data (entry kind 3), which it keeps.
uninstall() {
  fresh uninstall "$pristine"
  local install=$default_install_folder before after kept
  before=$(mktemp) after=$(mktemp) kept=$(mktemp)
  snapshot "$before"
  # The shared data and the folders made for it may stay.
  local kind size crc path folder
  while IFS=$'\t' read -r kind size crc path; do
    [ "$kind" = 3 ] || continue
    folder=$path
    while [ "${#folder}" -gt 3 ]; do
      [ -e "$(unix_path "$folder")" ] && break
      echo "${folder:3}" | tr '\\' / >>"$kept"
      folder=$(parent_of "$folder")
    done
  done < <(payload_files "$install")
  run_setup "${quick_install[@]}" "${finish_install[@]}" >/dev/null
  finished
  "$LIGNOTEK_WINE" "$install\\Uninstall.exe" /quiet </dev/null >/dev/null 2>&1
  check "the uninstaller exits 0" [ $? = 0 ]
  # The uninstaller's copy removes the original once it has ended.
  for _ in $(seq 100); do [ -e "$(unix_path "$install")" ] || break; sleep 0.2; done
  snapshot "$after"
  same_machine "$before" "$after" "$kept"
  rm -f "$before" "$after" "$kept"
}

case $scenario in
  prefixes) run=prefixes ;;
  fresh-quick) run=fresh_quick ;;
  advanced-desktop-only) run=advanced_desktop_only ;;
  reinstall-same) run=reinstall_same ;;
  update-older) run=update_older ;;
  second-drive) run=second_drive ;;
  failed-extraction) run=failed_extraction ;;
  uninstall) run=uninstall ;;
  *) echo "unknown scenario $scenario"; exit 2 ;;
esac
volume=
"$run"
echo "$scenario: $failures failure(s)"
[ "$failures" -eq 0 ]
