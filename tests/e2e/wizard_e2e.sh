#!/usr/bin/env bash
# End-to-end scenarios of the setup wizard under Wine: the real LignotekSetup.exe, driven by
# e2e-driver.exe through its pages, its language list, its boxes and its system menu.
#   wizard_e2e.sh SCENARIO SETUP.exe DRIVER.exe
# Each scenario cleans what it changes in the prefix (the product's uninstall key and the product
# path under the company key) first and last, and starts in English (stored language 1).
# Screenshots of the pages and boxes land in $LIGNOTEK_ARTIFACTS as PNG files.
# newer-disables-next needs LIGNOTEK_NEWER_MAIN_PROGRAM: the Linux path of a Lignotek.exe whose
# file version is 7.9.0.0; without it the scenario is skipped with exit status 77.
set -uo pipefail
scenario=$1 setup=$2 driver=$3
source "$(dirname "$0")/scenario_common.sh"

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lignotek 7'
company_key='HKLM\Software\Vendrel & Vodoraru'
product_path_value='Lignotek 7 Path'

clean() {
  reg delete "$uninstall_key" /f
  reg delete "$company_key" /v "$product_path_value" /f
}
set_language() { reg add "$uninstall_key" /v VdLanguage /t REG_DWORD /d "$1" /f; }
windows_path() { local p=$1; echo "Z:${p//\//\\}"; }

started_at=$(mktemp)
pictures() {  # pictures NAME... : the screenshots this run should have left
  for name in "$@"; do
    if [ "$artifacts/$name.png" -nt "$started_at" ]; then echo "ok: screenshot $name.png"
    else echo "MISSING: screenshot $name.png"; failures=$((failures + 1)); fi
  done
}
finished() {  # finished OUTPUT : the driver ran every step and the program ended normally
  if grep -qxF "exit 0" <<<"$1"; then echo "ok: exit 0"; else echo "MISSING: exit 0"; failures=$((failures + 1)); fi
  refuse "error " "$1"
}

title_english='Installer – Lignotek 7.08r'
title_german='Installationsprogramm – Lignotek 7.08r'
continue_english="Click on 'Next' to continue."
confirm_exit_english='Installation is not complete.\r\n\r\nDo you still confirm exit Installation ?'
english_installer="'Lignotek' will be installed in the selected Langage, but the Installer, still under translation,  shall run in English."

# Steps that start the wizard in English and wait for its frame.
open_wizard=(--start "$setup" --wait-window 60 --expect-title "$title_english")
# Exit asks message 1110; Yes ends the program.
leave=(--press 2 --wait-box 10 --press 6 --wait-exit 30)
# Page 0 in English, previous outcome None.
english_start_page=(--expect 1022 "Select Installation Langage" --expect 1023 English
                    --expect 1020 "Welcome to 'Lignotek 7.08r' Installation."
                    --expect 1016 "'Lignotek 7.08r' Installation." --expect 1003 "$continue_english"
                    --expect 1 "Next  >" --expect 3 "<  Back" --expect 2 Cancel
                    --expect-enabled 1 --expect-disabled 3)

opens_english() {
  out=$(drive "${open_wizard[@]}" "${english_start_page[@]}" --items 1023 --dump \
              --screenshot "$artifacts/wizard-page0-en.bmp" "${leave[@]}")
  echo "$out"
  expect 'items 16' "$out"
  expect 'item 1 "English" selected' "$out"
  finished "$out"
  pictures wizard-page0-en
}

# Quick installation: 0 → 1 → 4, Back from 4 returns to 1.
quick_walk() {
  out=$(drive "${open_wizard[@]}" --press 1 \
              --expect 1021 "Installation Method" --expect 1018 "Quick Installation (Recommended)" \
              --expect 1019 "Advanced Installation" --expect-checked 1018 --expect-unchecked 1019 \
              --expect 1003 "$continue_english" --expect-enabled 3 --expect 1 "Next  >" \
              --screenshot "$artifacts/wizard-page1-en.bmp" \
              --press 1 --expect-visible 1015 --expect 1 Install \
              --expect 1003 "Click on 'Install' to start Installation." --expect-hidden 1014 --dump \
              --screenshot "$artifacts/wizard-page4-quick-en.bmp" \
              --press 3 --expect-visible 1021 --expect-checked 1018 \
              "${leave[@]}")
  echo "$out"
  expect "'Lignotek 7.08r' Installation.\r\n" "$out"
  expect 'Installation Options' "$out"
  expect 'Installation Folder: ' "$out"
  finished "$out"
  pictures wizard-page1-en wizard-page4-quick-en
}

# Advanced installation: 0 → 1 → 2 → 3 → 4 with a typed folder and the shortcut choices; back to
# page 1, which keeps the choice; then quick mode passes over pages 2 and 3.
advanced_walk() {
  out=$(drive "${open_wizard[@]}" --press 1 --expect-visible 1021 --check 1019 --press 1 \
              --expect 1008 "Installation Folder Selection" --expect 1009 "Select 'Lignotek' Installation Folder." \
              --expect 1006 "Browse..." --expect 1003 "$continue_english" --expect-enabled 1006 \
              --type 1007 'C:\Lignotek Test' --screenshot "$artifacts/wizard-page2-en.bmp" \
              --press 1 --expect 1012 "Start menu" --expect 1011 "Create a Shortcut in the following Menu:" \
              --expect 1010 "Create a Shortcut on the Desktop." --expect 1003 "$continue_english" \
              --uncheck 1011 --expect-disabled 1006 --check 1011 --expect-enabled 1006 --uncheck 1010 \
              --screenshot "$artifacts/wizard-page3-en.bmp" \
              --press 1 --expect-visible 1015 --expect 1 Install --dump \
              --screenshot "$artifacts/wizard-page4-en.bmp" \
              --press 3 --expect-visible 1012 --expect-checked 1011 --expect-unchecked 1010 \
              --press 3 --expect-visible 1008 --expect 1007 'C:\Lignotek Test' \
              --press 3 --expect-visible 1021 --expect-checked 1019 \
              --check 1018 --press 1 --expect-visible 1015 --expect 1 Install \
              "${leave[@]}")
  echo "$out"
  expect 'Installation Folder: "C:\Lignotek Test".' "$out"
  expect 'Creating a Shortcut in the Start Menu (Folder ' "$out"
  refuse 'Creating a Shortcut on the Desktop.' "$out"
  finished "$out"
  pictures wizard-page2-en wizard-page3-en wizard-page4-en
}

# Choosing German changes the title, the buttons, the page and the About box at once.
german_at_once() {
  out=$(drive "${open_wizard[@]}" --choose-text 1023 Deutsch \
              --expect-title "$title_german" --expect 1 "Weiter  >" --expect 3 "<  Zurück" --expect 2 Abbrechen \
              --expect 1022 "Installationssprache auswählen" --expect 1016 "Installation von 'Lignotek 7.08r'." \
              --expect 1020 "Willkommen bei der Installation von 'Lignotek 7.08r'." \
              --expect 1003 "Klicken Sie auf 'Weiter', um fortzufahren." --expect 1023 Deutsch \
              --screenshot "$artifacts/wizard-page0-de.bmp" \
              --system-command 0x10 --wait-box 10 --expect-title "Über 'Installationsprogramm'" --press 1 --back \
              --press 2 --wait-box 10 --expect-title "$title_german" --dump --press 6 --wait-exit 30)
  echo "$out"
  expect 'Die Installation ist nicht abgeschlossen.\r\n\r\nMöchten Sie die Installation trotzdem beenden?' "$out"
  finished "$out"
  pictures wizard-page0-de
}

# Dutch has no installer texts: message 1129 in English, and the wizard stays English while the
# list still shows Dutch.
dutch_stays_english() {
  out=$(drive "${open_wizard[@]}" --choose-text 1023 Nederlands --wait-box 10 --dump \
              --screenshot "$artifacts/message-1129.bmp" --press OK --back \
              --expect-title "$title_english" --expect 1023 Nederlands --expect 1 "Next  >" --expect 2 Cancel \
              --expect 1003 "$continue_english" --expect 1022 "Select Installation Langage" \
              "${leave[@]}")
  echo "$out"
  expect "$english_installer" "$out"
  finished "$out"
  pictures message-1129
}

# Exit, and the close command of the system menu, ask message 1110; No keeps the wizard on its page.
exit_asks() {
  out=$(drive "${open_wizard[@]}" \
              --press 2 --wait-box 10 --expect-title "$title_english" --dump \
              --screenshot "$artifacts/message-1110.bmp" --press 7 --back \
              --expect-visible 1023 --expect-enabled 1 \
              --press 1 --expect-visible 1021 \
              --system-command 0xF060 --wait-box 10 --press 7 --back --expect-visible 1021 \
              "${leave[@]}")
  echo "$out"
  expect "$confirm_exit_english" "$out"
  expect 'Button "&Yes"' "$out"
  expect 'Button "&No"' "$out"
  finished "$out"
  pictures message-1110
}

# The About entry (command 0x0010) of the system menu opens the About box.
about_box() {
  out=$(drive "${open_wizard[@]}" --system-command 0x10 --wait-box 10 --expect-title "About 'Installer'" \
              --expect 1 OK --expect-visible 1019 --expect-visible 1020 --dump \
              --screenshot "$artifacts/about-box.bmp" \
              --press 1 --back --expect-title "$title_english" --expect-visible 1023 \
              "${leave[@]}")
  echo "$out"
  finished "$out"
  pictures about-box
}

# An installed main program newer than this setup: page 0 says so, Next and Back are disabled and
# Cancel leaves without asking.
newer_disables_next() {
  local newer=${LIGNOTEK_NEWER_MAIN_PROGRAM:-}
  if [ -z "$newer" ]; then
    echo "skipped: LIGNOTEK_NEWER_MAIN_PROGRAM names no Lignotek.exe of version 7.9.0.0"
    exit 77
  fi
  [ -f "$newer" ] || { echo "MISSING: fixture $newer"; exit 1; }
  reg add "$company_key" /v "$product_path_value" /t REG_SZ /d "$(windows_path "$newer")" /f
  out=$(drive "${open_wizard[@]}" --expect-disabled 1 --expect-disabled 3 --expect 2 Cancel \
              --expect 1003 "Click on 'Cancel' to exit Installation." --dump \
              --screenshot "$artifacts/wizard-page0-newer-en.bmp" \
              --press 2 --wait-closed 30 --wait-exit 30)
  echo "$out"
  expect "'Lignotek 7.08r' Installation.\r\nA more recent Version (" "$out"
  refuse "box " "$out"
  finished "$out"
  pictures wizard-page0-newer-en
}

# A quick installation to the end page, then the installed uninstaller, which leaves the machine as
# it was (shared data aside).
install_folder='C:\Program Files\Vendrel & Vodoraru\Lignotek 7'
install_quick() {
  out=$(drive "${open_wizard[@]}" --press 1 --expect-visible 1021 --press 1 --expect 1 Install \
              --press 1 --patience 300 --expect 2 Exit --expect 1 "Next  >" --patience 5 \
              --expect 1003 "$continue_english" --expect-disabled 3 --dump \
              --screenshot "$artifacts/wizard-page4-installed-en.bmp" \
              --press 1 --expect 1016 "Installation is complete." --expect-disabled 1 \
              --expect 1003 "Click on 'Exit' to exit Installation." \
              --screenshot "$artifacts/wizard-page5-en.bmp" \
              --press 2 --wait-exit 30)
  echo "$out"
  expect "Preparing Installation...OK" "$out"
  expect "Registry Data Writing...OK" "$out"
  expect "Installation Data Writing...OK" "$out"
  refuse "Failed" "$out"
  finished "$out"
  pictures wizard-page4-installed-en wizard-page5-en
  local unix_folder="$WINEPREFIX/drive_c/Program Files/Vendrel & Vodoraru/Lignotek 7"
  for file in Lignotek.exe Uninstall.exe Uninstall.ulog; do
    if [ -f "$unix_folder/$file" ]; then echo "ok: installed $file"; else echo "MISSING: installed $file"; failures=$((failures + 1)); fi
  done
  if "$LIGNOTEK_WINE" reg query "$uninstall_key" /v UninstallString </dev/null >/dev/null 2>&1; then
    echo "ok: uninstall entry"
  else
    echo "MISSING: uninstall entry"; failures=$((failures + 1))
  fi
  # The product's own uninstaller takes everything back.
  "$LIGNOTEK_WINE" "$install_folder\\Uninstall.exe" /quiet </dev/null >/dev/null 2>&1
  echo "uninstaller exit $?"
  sleep 2
  if [ -e "$unix_folder/Lignotek.exe" ]; then echo "UNEXPECTED: Lignotek.exe left"; failures=$((failures + 1)); else echo "ok: uninstalled"; fi
}

case $scenario in
  opens-english) run=opens_english ;;
  quick-walk) run=quick_walk ;;
  advanced-walk) run=advanced_walk ;;
  german-at-once) run=german_at_once ;;
  dutch-stays-english) run=dutch_stays_english ;;
  exit-asks) run=exit_asks ;;
  about-box) run=about_box ;;
  newer-disables-next) run=newer_disables_next ;;
  install-quick) run=install_quick ;;
  *) echo "unknown scenario $scenario"; exit 2 ;;
esac
clean
trap 'clean; rm -f "$started_at"' EXIT
set_language 1
"$run"
echo "$scenario: $failures failure(s)"
[ "$failures" -eq 0 ]
