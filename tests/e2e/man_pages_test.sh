#!/usr/bin/env bash
# Every option the programs' help lists reaches their man page as a tagged
# paragraph of its own: ".TP", a line that starts with the option, then its
# text. help2man runs an option and its text together when the help parts
# them with one space only, and runs a heading, a description and options
# into one paragraph when no blank line parts them.
# Usage: man_pages_test.sh <program> <help option> <man page> [...]
set -euo pipefail

failed=0
while [ $# -ge 3 ]; do
  program=$1 help_option=$2 page=$3
  shift 3
  # First word of each tag that has text under it, roff escapes taken out.
  tags=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\[,\/]//g' "$page" |
    awk 'tag != "" { if ($0 !~ /^\./) print tag; tag = "" }
         after_tp { tag = $0; after_tp = 0 }
         $0 == ".TP" { after_tp = 1 }' |
    sed -e 's/[ ,].*//' | sort -u)
  options=$("$program" "$help_option" | sed -n 's/^ \{2,\}\(-[^ ,]*\).*/\1/p' | sort -u)
  [ -n "$options" ] || { echo "$program $help_option lists no options"; failed=1; }
  for option in $options; do
    if ! grep -qx -- "$option" <<<"$tags"; then
      echo "$(basename "$page"): $option has no paragraph of its own"
      failed=1
    fi
  done
done
exit $failed
