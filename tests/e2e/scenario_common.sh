# Sourced by the end-to-end scenario scripts: the driver, the prefix's registry, and the checks that
# count failures.  The script sets `driver` before sourcing this file.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
artifacts=${LIGNOTEK_ARTIFACTS:-$top/artifacts}
mkdir -p "$artifacts"
source "$top/scripts/wine-env.sh"

drive() { "$top/scripts/e2e-driver.sh" "$driver" "$@"; }
reg() { "$LIGNOTEK_WINE" reg "$@" >/dev/null 2>&1 </dev/null; }

failures=0
expect() {  # expect TEXT OUTPUT
  if grep -qF -- "$1" <<<"$2"; then echo "ok: $1"; else echo "MISSING: $1"; failures=$((failures + 1)); fi
}
expect_line() {  # expect_line LINE OUTPUT
  if grep -qxF -- "$1" <<<"$2"; then echo "ok: $1"; else echo "MISSING: $1"; failures=$((failures + 1)); fi
}
refuse() {  # refuse TEXT OUTPUT
  if grep -qF -- "$1" <<<"$2"; then echo "UNEXPECTED: $1"; failures=$((failures + 1)); else echo "ok: no $1"; fi
}
