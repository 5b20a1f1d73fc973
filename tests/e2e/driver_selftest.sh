#!/usr/bin/env bash
# The end-to-end driver's own scenarios under Wine, on its test window (driver_selftest.cpp): what
# the wizard scenarios rely on, checked on a window that exists.
#   driver_selftest.sh SCENARIO SELFTEST.exe DRIVER.exe
set -uo pipefail
scenario=$1 selftest=$2 driver=$3
source "$(dirname "$0")/scenario_common.sh"

started_at=$(mktemp)
trap 'rm -f "$started_at"' EXIT
# Ends the test window through its Exit question, answered Yes.
leave=(--press 2 --wait-box --press 6 --wait-exit 30)

# Lists, edit box, check box and radio group on the first page; the pages' shared ids; a picture.
controls() {
  out=$(drive --start "$selftest" --wait-window 60 --expect-title "Driver self-test" \
              --expect 1023 English --expect 1024 "" \
              --choose 1024 1 --expect 1003 "selected 1024 1" --expect 1024 beta \
              --choose-text 1023 Deutsch --expect 1003 "selected 1023 1" --expect 1023 Deutsch \
              --type 1007 'C:\Lignotek Test' --expect 1003 'changed 1007 C:\Lignotek Test' \
              --expect 1007 'C:\Lignotek Test' \
              --press Apply --expect 1003 "pressed 1012" --expect 1 "Next  >" --press "Next  >" \
              --expect-title "Driver self-test – page 2" --press 3 --expect 1003 "pressed 1012" \
              --check 1011 --expect-checked 1011 --expect 1003 "clicked 1011 checked" \
              --uncheck 1011 --expect-unchecked 1011 --expect 1003 "clicked 1011 unchecked" \
              --check 1019 --expect-checked 1019 --expect-unchecked 1018 --expect 1003 "clicked 1019 checked" \
              --expect-disabled 1006 --expect-disabled 3 --expect-enabled 1 \
              --screenshot "$artifacts/driver-selftest-page1.bmp" \
              --press 1 --expect-title "Driver self-test – page 2" --expect 1003 "second page" \
              --expect-visible 1007 --expect-hidden 1023 --expect-enabled 3 --dump \
              --press 3 --expect 1003 "clicked 1019 checked" --expect-visible 1023 \
              "${leave[@]}")
  echo "$out"
  expect 'chose 1023 1 "Deutsch"' "$out"
  expect 'typed 1007 "C:\Lignotek Test"' "$out"
  expect 'pressed 1012' "$out"
  expect '  control 1007 Edit "C:\Read only"' "$out"
  refuse 'control 1023' "$out"  # the dump shows only the page on view
  expect_line "exit 0" "$out"
  refuse "error " "$out"
  if [ "$artifacts/driver-selftest-page1.png" -nt "$started_at" ]; then echo "ok: screenshot driver-selftest-page1.png"
  else echo "MISSING: screenshot driver-selftest-page1.png"; failures=$((failures + 1)); fi
}

# A box opened by a list's notification, the About box of the system menu, the Exit question.
boxes() {
  out=$(drive --start "$selftest" --wait-window 60 \
              --choose-text 1023 Nederlands --wait-box 10 --dump --press OK --back --expect 1023 Nederlands \
              --system-command 0x10 --wait-box 10 --expect-title "About 'Self-test'" \
              --screenshot "$artifacts/driver-selftest-about.bmp" --press OK --back \
              --press 2 --wait-box 10 --dump --press 7 --back --expect-visible 1023 --expect-enabled 1 \
              "${leave[@]}")
  echo "$out"
  expect 'This language has no texts of its own.' "$out"
  expect 'system command 0x0010' "$out"
  expect 'box "About '"'"'Self-test'"'"'" class #32770' "$out"
  expect 'Leave the self-test?' "$out"
  expect 'back to "Driver self-test"' "$out"
  expect_line "exit 0" "$out"
  refuse "error " "$out"
}

# Steps a user could not take, and a wrong expectation, fail with their reason; the driver then
# ends the program.  Each row: the steps after the window is found, then the expected error.
refusals() {
  local rows=(
    "--press 1006|error button 1006 is disabled"
    "--press 1 --expect-hidden 1023 --type 1007 x|error edit 1007 is read-only"
    "--uncheck 1018|error radio button 1018 cannot be cleared: check another of its group"
    "--choose 1023 3|error list 1023 has no item 3 (3 items)"
    "--choose-text 1024 delta|error list 1024 has no item \"delta\""
    "--expect 1003 wrong|error 1003 is \"ready\", expected \"wrong\""
    "--back|error no window to go back to"
  )
  for row in "${rows[@]}"; do
    read -r -a steps <<<"${row%%|*}"
    out=$(drive --start "$selftest" --wait-window 60 "${steps[@]}")
    status=$?
    echo "$out"
    expect "${row#*|}" "$out"
    expect "ended the program after the failure" "$out"
    if [ "$status" -eq 2 ]; then echo "ok: exit status 2"
    else echo "WRONG: exit status $status"; failures=$((failures + 1)); fi
  done
}

case $scenario in
  controls | boxes | refusals) "$scenario" ;;
  *) echo "unknown scenario $scenario"; exit 2 ;;
esac
echo "$scenario: $failures failure(s)"
[ "$failures" -eq 0 ]
