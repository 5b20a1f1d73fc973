#!/usr/bin/env bash
# End-to-end scenarios of the start-up under Wine: the real LignotekSetup.exe, driven by e2e-driver.exe.
#   startup_e2e.sh SCENARIO SETUP.exe DRIVER.exe
# Each scenario cleans what it changes in the prefix (the product's uninstall key) first and last.
set -uo pipefail
scenario=$1 setup=$2 driver=$3
source "$(dirname "$0")/scenario_common.sh"

mutex='Global\Lignotek7.{5ead623c-dfcd-474d-8e3c-e6978cac039e}'
counter='Global\Lignotek7.{a3526b56-ca7c-4e16-8a26-da7758a378fd}'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lignotek 7'

clean() { reg delete "$uninstall_key" /f; }
set_language() { reg add "$uninstall_key" /v VdLanguage /t REG_DWORD /d "$1" /f; }

title_english='Installer – Lignotek 7.08r'
close_english="You should close 'Lignotek' before continuing Installation."
close_german="Bitte schließen Sie 'Lignotek', bevor Sie mit der Installation fortfahren."

# The program is counted as running by another process's unit; it shows message 1127 until that
# unit is gone.  $1: the language value to store (or "none"); $2: the text to expect.
running_product_box() {
  clean
  [ "$1" != none ] && set_language "$1"
  out=$(drive --add-unit "$counter" --start "$setup" --wait-window 60 --dump --press Cancel --wait-exit 30)
  echo "$out"
  expect "$2" "$out"
  expect 'Button "&Retry"' "$out"
  expect 'Button "Cancel"' "$out"
  expect "exit " "$out"
  clean
}

case $scenario in
  plain-start)
    # Start-up ends in the wizard; leaving it asks message 1110.
    clean
    out=$(drive --start "$setup" --wait-window 60 --expect-title "$title_english" \
                --press 2 --wait-box 10 --press 6 --wait-exit 60)
    echo "$out"
    expect "exit 0" "$out"
    refuse "error " "$out"
    ;;
  second-copy)
    clean
    out=$(drive --hold-mutex "$mutex" --start "$setup" --wait-window 60 --dump --press OK --wait-exit 30)
    echo "$out"
    expect 'title "LignotekSetup"' "$out"
    # The system text of ERROR_BUSY (Windows: "The requested resource is in use.").
    expect "Resource in use." "$out"
    expect "exit 0" "$out"
    ;;
  running-product-retry)
    clean
    out=$(drive --add-unit "$counter" --start "$setup" --wait-window 60 --dump \
                --screenshot "$artifacts/message-1127.bmp" --take-unit "$counter" --press Retry --wait-closed 30 \
                --wait-window 60 --expect-title "$title_english" --press 2 --wait-box 10 --press 6 --wait-exit 60)
    echo "$out"
    expect "title \"Installer – Lignotek 7.08r\"" "$out"
    expect "$close_english" "$out"
    expect 'Button "&Retry"' "$out"
    expect "exit 0" "$out"
    [ -f "$artifacts/message-1127.png" ] && echo "ok: screenshot $artifacts/message-1127.png" ||
      { echo "MISSING: screenshot"; failures=$((failures + 1)); }
    ;;
  running-product-cancel)
    clean
    out=$(drive --add-unit "$counter" --start "$setup" --wait-window 60 --press Cancel --wait-exit 30)
    echo "$out"
    expect "exit 0" "$out"
    refuse "error " "$out"
    ;;
  stored-language-german) running_product_box 2 "$close_german" ;;
  stored-language-danish-ignored) running_product_box 6 "$close_english" ;;
  stored-language-dutch-english) running_product_box 5 "$close_english" ;;
  *) echo "unknown scenario $scenario"; exit 2 ;;
esac
echo "$scenario: $failures failure(s)"
[ "$failures" -eq 0 ]
