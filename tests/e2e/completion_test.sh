#!/usr/bin/env bash
# The shell completion of k470ctl. bash's answers on partial command lines:
# subcommands, options, the values of --type and --clock, settings and JSON
# files with folders, and for --port the readers `k470ctl ports` lists (a
# reader on a fake USB bus). Then every subcommand, option and value that
# `k470ctl --help-all` lists must be known to the bash, zsh and fish scripts
# alike, and no script may offer an option the program does not have; fish
# answers the same questions (when it is installed), zsh's script is read
# for its lists and must parse.
# Usage: completion_test.sh <k470ctl> <completion folder> <USB vendor id>
set -euo pipefail
k470ctl=$(realpath "$1") completion=$(realpath "$2") vendor=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
PATH=$(dirname "$k470ctl"):$PATH
failed=0

fail() {
  echo "$*"
  failed=1
}

# What --help-all lists: "sub NAME", "option SUB OPTION" (SUB "-" for the
# global options) and "choices SUB OPTION VALUE...".
listed=$(k470ctl --help-all | awk '
  /^Exit codes:/ { done_ = 1 }
  done_ { next }
  /^Options:/ { sub_ = "-"; next }
  /^[a-z]+:$/ { sub_ = substr($0, 1, length($0) - 1); print "sub", sub_; next }
  /^  -/ {
    n = split($1, names, ",")
    for (i = 1; i <= n; i++) print "option", sub_, names[i]
    if (match($0, /:\{[^}]*\}/)) {
      values = substr($0, RSTART + 2, RLENGTH - 3)
      gsub(",", " ", values)
      print "choices", sub_, names[n], values
    }
  }')
subcommands=$(awk '$1 == "sub" { print $2 }' <<<"$listed")
options_of() { awk -v s="$1" '$1 == "option" && $2 == s { print $3 }' <<<"$listed"; }
[ -n "$subcommands" ] && [ -n "$(options_of download)" ] || fail "--help-all gave no lists"

# bash: the candidates for the command line "$@" (its last word the one
# being completed), sorted, on one line.
complete_bash() {
  (
    source "$completion/k470ctl.bash"
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    _k470ctl
    printf '%s\n' "${COMPREPLY[@]}" | sort -u | paste -sd ' '
  )
}
# fish: the same, from its own completion engine.
complete_fish() {
  fish -N -c "source $completion/k470ctl.fish; complete -C $(printf '%q' "$*")" |
    cut -f1 | sort -u | paste -sd ' '
}
sorted() { printf '%s\n' "$@" | sort -u | paste -sd ' '; }

expect() {  # expect <shell> <answer> <command line words...>
  local shell=$1 want=$2 got
  shift 2
  got=$("complete_$shell" "$@")
  [ "$got" = "$want" ] || fail "$shell: k470ctl ${*:2}| gives '$got', not '$want'"
}

# A folder with settings files, JSON, other files and a folder; a reader on
# a fake USB bus, as sysfs and udev show one.
mkdir -p "$work/files/site" "$work/sys/class/tty" "$work/dev/serial/by-id"
touch "$work/files/"{a.K470,b.k470,c.json,notes.txt,a.K470.partial}
usb=$work/sys/devices/usb1/1-2
mkdir -p "$usb/1.0/tty/ttyACM3"
echo "$vendor" >"$usb/idVendor"
echo 0001 >"$usb/idProduct"
ln -s ../.. "$usb/1.0/tty/ttyACM3/device"
ln -s "$usb/1.0/tty/ttyACM3" "$work/sys/class/tty/ttyACM3"
touch "$work/dev/ttyACM3"
ln -s ../../ttyACM3 "$work/dev/serial/by-id/usb-K470_Reader_K471-7-if00"
reader=$work/dev/serial/by-id/usb-K470_Reader_K471-7-if00
roots=(--sysfs-root "$work/sys" --dev-root "$work/dev")
[ "$(k470ctl "${roots[@]}" ports)" = "$reader -> $work/dev/ttyACM3" ] || fail "no fake reader"

shells=(bash)
if command -v fish >/dev/null; then
  shells+=(fish)
else
  echo "completion_test: fish is not installed; only its lists are checked"
fi
cd "$work/files"
for shell in "${shells[@]}"; do
  # bash gives a folder without the slash that readline adds.
  site=site/
  [ "$shell" = bash ] && site=site
  expect "$shell" "download" k470ctl dow
  expect "$shell" "$(sorted $subcommands)" k470ctl ""
  expect "$shell" "a.K470 b.k470 $site" k470ctl show ""
  expect "$shell" "a.K470 b.k470 $site" k470ctl --port /x download --type both ""
  expect "$shell" "c.json $site" k470ctl import ""
  expect "$shell" "a.K470 b.k470 $site" k470ctl import c.json -o ""
  expect "$shell" "$reader" k470ctl "${roots[@]}" --port ""
  expect "$shell" "$reader" k470ctl "${roots[@]}" read --port ""
  # Each subcommand's options, and the values of those that list them.
  for sub in $subcommands; do
    want=$(sorted $(options_of "$sub") $(options_of -) | tr ' ' '\n' |
      grep -vx -e --version -e --help-all | paste -sd ' ')
    expect "$shell" "$want" k470ctl "$sub" -
  done
  while read -r _ sub option values; do
    expect "$shell" "$(sorted $values)" k470ctl "$sub" "$option" ""
  done < <(grep '^choices' <<<"$listed")
done

# zsh: the script parses, and each subcommand's branch names each of its
# options and values.
if command -v zsh >/dev/null; then
  zsh -n "$completion/_k470ctl" || fail "zsh: _k470ctl does not parse"
else
  echo "completion_test: zsh is not installed; only its lists are checked"
fi
for sub in $subcommands; do
  grep -q "^    '$sub:" "$completion/_k470ctl" || fail "zsh: no subcommand $sub"
  branch=$(sed -n "/^        ($sub)\$/,/;;/p" "$completion/_k470ctl")
  for option in $(options_of "$sub"); do
    grep -qE -- "(^|[^-a-z])$option[=+[,}]" <<<"$branch" || fail "zsh: $sub has no $option"
  done
  for option in $(grep -oE -- "[^-a-z]-{1,2}[a-z-]+[=+[,}]" <<<"$branch" | sed 's/^.//; s/.$//'); do
    options_of "$sub" | grep -qx -- "$option" || fail "zsh: $sub offers $option, which it lacks"
  done
done
while read -r _ sub option values; do
  sed -n "/^        ($sub)\$/,/;;/p" "$completion/_k470ctl" | grep -qF -- "$option=[" ||
    fail "zsh: $sub $option"
  sed -n "/^        ($sub)\$/,/;;/p" "$completion/_k470ctl" | grep -qF -- ":($values)'" ||
    fail "zsh: $sub $option does not offer $values"
done < <(grep '^choices' <<<"$listed")
for option in $(options_of -); do
  grep -qE -- "(^|[^-a-z])$option[=+[,}]" "$completion/_k470ctl" || fail "zsh: no $option"
done
exit $failed
