#!/usr/bin/env bash
# The desktop program's command line: --help and --version answer without a
# display; a command line it cannot take ends it with exit code 2 and names
# the problem, before any window shows.
# Usage: command_line_test.sh <K470Configuration>
set -uo pipefail
program=$1
failed=0

# expect <exit code> <text the output must hold> <command...>
expect() {
  local code=$1 text=$2 out rc
  shift 2
  out=$("$@" 2>&1)
  rc=$?
  if [ $rc -ne "$code" ] || ! grep -qF -- "$text" <<<"$out"; then
    echo "FAIL: ${*#"$program"} gave $rc (not $code) and:"
    echo "$out" | sed 's/^/  /'
    failed=1
  fi
}

no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
expect 0 "[FILE]" "${no_display[@]}" "$program" --help
expect 0 "K470Configuration 1." "${no_display[@]}" "$program" --version
expect 2 "Unknown option 'bogus'" env QT_QPA_PLATFORM=offscreen "$program" --bogus
expect 2 "Unknown option 'bogus'" "${no_display[@]}" "$program" --bogus --help
expect 2 "give one settings file to open, not 2" env QT_QPA_PLATFORM=offscreen "$program" a.K470 b.K470
exit $failed
