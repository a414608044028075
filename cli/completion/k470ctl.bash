# bash completion for k470ctl: its subcommands, their options and the global
# ones, the values of --type and --clock, settings files (*.K470, *.k470) and
# folders where a settings file goes, JSON files for import, and for --port
# the readers that `k470ctl ports` finds as the completion runs. Plain bash:
# the bash-completion package's helpers are not needed.
#
# The lists follow `k470ctl --help-all`; tests/e2e/completion_test.sh fails
# when a subcommand, an option or a value is missing here.

_k470ctl_subcommands="ports info read download battery memsize memclear clock upload pin apply
  new show diff export import"
# The global options that also go after the subcommand; before it, -h,
# --help, --version and --help-all as well.
_k470ctl_global_options="--port --all --retries --json --trace -v --verbose"
# Options that take a value, the hidden ones of the tests included: the word
# after them is no subcommand.
_k470ctl_valued="--port --retries --sysfs-root --dev-root -o --output --output-pattern --type
  --clock --time"

# The options of subcommand $1, without the global ones.
_k470ctl_options_of() {
  case $1 in
    read) echo "-o --output --output-pattern --type" ;;
    download) echo "--type --clock" ;;
    clock) echo "--time" ;;
    upload) echo "-o --output --output-pattern" ;;
    apply) echo "--check" ;;
    diff) echo "--reader --type" ;;
    new | export | import) echo "-o --output" ;;
  esac
}

# COMPREPLY: the files below $cur whose names match the glob $1, and folders.
_k470ctl_files() {
  compopt -o filenames 2>/dev/null
  mapfile -t COMPREPLY < <({
    compgen -f -X "!$1" -- "$cur"
    compgen -d -- "$cur"
  } | sort -u)
}

# COMPREPLY: the reader ports `k470ctl ports` lists (the name before " -> "),
# asked with the --sysfs-root and --dev-root of the command line; a port
# typed as a path that is none of them completes as a file.
_k470ctl_ports() {
  local program=${COMP_WORDS[0]} roots=() i line port
  [[ $program == "~/"* ]] && program=$HOME/${program#"~/"}
  for ((i = 1; i < cword; i++)); do
    case ${COMP_WORDS[i]} in
      --sysfs-root | --dev-root) roots+=("${COMP_WORDS[i]}" "${COMP_WORDS[i + 1]}") ;;
    esac
  done
  while IFS= read -r line; do
    port=${line%% -> *}
    [[ -n $port && $port == "$cur"* ]] && COMPREPLY+=("$port")
  done < <("$program" "${roots[@]}" ports 2>/dev/null)
  [[ ${#COMPREPLY[@]} -gt 0 ]] || _k470ctl_files '*'
}

_k470ctl() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]} cword=$COMP_CWORD
  # "--type=cu" reaches us as "--type" "=" "cu".
  if [[ $cur == "=" ]]; then
    cur=""
  elif [[ $prev == "=" && $cword -ge 2 ]]; then
    prev=${COMP_WORDS[cword - 2]}
  fi

  local i word sub=""
  for ((i = 1; i < cword; i++)); do
    word=${COMP_WORDS[i]}
    if [[ " "$_k470ctl_valued" " == *[[:space:]]"$word"[[:space:]]* ]]; then
      ((i++))
      [[ ${COMP_WORDS[i]} == "=" ]] && ((i++))
    elif [[ $word != -* && -z $sub ]]; then
      sub=$word
    fi
  done

  COMPREPLY=()
  case $prev in
    --port)
      _k470ctl_ports
      return
      ;;
    --type)
      if [[ $sub == download ]]; then
        COMPREPLY=($(compgen -W "current user both" -- "$cur"))
      else
        COMPREPLY=($(compgen -W "current user" -- "$cur"))
      fi
      return
      ;;
    --clock)
      COMPREPLY=($(compgen -W "auto skip" -- "$cur"))
      return
      ;;
    -o | --output)
      case $sub in
        upload) _k470ctl_files '*' ;;
        export) _k470ctl_files '*.[jJ][sS][oO][nN]' ;;
        *) _k470ctl_files '*.[Kk]470' ;;
      esac
      return
      ;;
    --sysfs-root | --dev-root)
      compopt -o filenames 2>/dev/null
      COMPREPLY=($(compgen -d -- "$cur"))
      return
      ;;
    --retries | --output-pattern | --time)
      return
      ;;
  esac

  if [[ $cur == -* ]]; then
    local options="-h --help --version --help-all"
    [[ -n $sub ]] && options="-h --help $(_k470ctl_options_of "$sub")"
    COMPREPLY=($(compgen -W "$options $_k470ctl_global_options" -- "$cur"))
  elif [[ -z $sub ]]; then
    COMPREPLY=($(compgen -W "$_k470ctl_subcommands" -- "$cur"))
  else
    case $sub in
      download | apply | show | diff | export) _k470ctl_files '*.[Kk]470' ;;
      import) _k470ctl_files '*.[jJ][sS][oO][nN]' ;;
    esac
  fi
}

complete -F _k470ctl k470ctl
