#!/usr/bin/env bash
# Runs the launchers through Wine's cmd in a scratch install folder, with a stand-in
# for the program, as Jw_cad would after writing jwc_temp.txt there (REM #cd): each
# must fill in missing start files from defaults/ without touching the user's, start
# the program in that folder with its mode, and return only after it ended. The check
# launcher must copy jwc_temp.txt aside and leave it alone.
# Usage: run_under_wine.sh windows|wine LAUNCHER_DIR SOURCE_DIR STUB WINE
set -uo pipefail
variant=$1 launchers=$2 source=$3 stub=$4 wine=$5
export WINEDEBUG=-all
export WINEPREFIX="${WINEPREFIX:-$PWD/wineprefix}"
[ -d "$WINEPREFIX/drive_c" ] || "$wine" wineboot -i >/dev/null 2>&1

failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

install=$(mktemp -d)
trap 'rm -rf "$install"' EXIT
mkdir "$install/defaults"
cp "$source"/data/start/* "$install/defaults/"
if [ "$variant" = windows ]; then
  prefix=quillet-
  cp "$stub" "$install/quillet.exe"
  expected_cwd="Z:$(echo "$install" | tr / '\\')"
else
  prefix=quillet-wine-
  cp "$stub" "$install/quillet"
  cp "$source/data/launchers/quillet-wine.sh" "$install/"
  expected_cwd=$install
fi
cp "$launchers"/quillet-check.bat "$launchers"/${prefix}*.bat "$install/"
# A user's own settings, which an update must keep.
printf 'mine\r\n' > "$install/PLDATA.tx"

for mode in annotation: t1-import:T1 t2-frame-all:T2 t3-frame-each:T3 t4-text:T4 t5-bend:T5; do
  bat="$prefix${mode%%:*}.bat" arg=${mode#*:}
  rm -f "$install/launcher-stub.log" "$install/PKDATA.tx"
  (cd "$install" && timeout 120 "$wine" cmd /c "$bat" >/dev/null 2>&1)
  log=$(tr -d '\r' < "$install/launcher-stub.log" 2>/dev/null)
  [ -n "$log" ] || { fail "$bat: the program did not start"; continue; }
  grep -qxF "args${arg:+ [$arg]}" <<<"$log" || fail "$bat: arguments $(grep ^args <<<"$log")"
  grep -qixF "cwd $expected_cwd" <<<"$log" || fail "$bat: started in $(grep ^cwd <<<"$log")"
  grep -qxF ended <<<"$log" || fail "$bat: returned before the program ended"
  cmp -s "$install/PKDATA.tx" "$install/defaults/PKDATA.tx" || fail "$bat: a missing start file was not copied"
  [ "$(cat "$install/PLDATA.tx")" = $'mine\r' ] || fail "$bat: overwrote the user's PLDATA.tx"
  [ ! -e "$install/quillet-wine.running" ] || fail "$bat: left its marker file"
  echo "ran $bat"
done

printf 'hq\r\nhk 0\r\n' > "$install/jwc_temp.txt"
(cd "$install" && timeout 120 "$wine" cmd /c quillet-check.bat >/dev/null 2>&1)
cmp -s "$install/jwc_temp-check.txt" "$install/jwc_temp.txt" || fail "quillet-check.bat: no copy of jwc_temp.txt"
[ "$(cat "$install/jwc_temp.txt")" = $'hq\r\nhk 0\r' ] || fail "quillet-check.bat: changed jwc_temp.txt"
grep -q "current directory" "$install/jwc_temp-check-folders.txt" 2>/dev/null ||
  fail "quillet-check.bat: no note of the folders"
echo "ran quillet-check.bat"

[ "$failures" -eq 0 ]
