# fish completion for k470ctl: its subcommands, their options and the global
# ones, the values of --type and --clock, settings files (*.K470, *.k470) and
# folders where a settings file goes, JSON files for import, and for --port
# the readers that `k470ctl ports` finds as the completion runs.
#
# The lists follow `k470ctl --help-all`; tests/e2e/completion_test.sh fails
# when a subcommand, an option or a value is missing here.

# The subcommand on the command line: the first word that is no option and
# no option's value.
function __k470ctl_subcommand
    set -l words (commandline -opc)
    set -e words[1]
    set -l skip 0
    for word in $words
        if test $skip = 1
            set skip 0
        else if contains -- $word --port --retries --sysfs-root --dev-root -o --output \
                --output-pattern --type --clock --time
            set skip 1
        else if not string match -q -- '-*' $word
            echo $word
            return 0
        end
    end
    return 1
end

function __k470ctl_using
    test "$(__k470ctl_subcommand)" = "$argv[1]"
end

# Files (and folders) below the word being completed whose names match the
# regular expression $argv[1].
function __k470ctl_files
    for entry in (__fish_complete_path (commandline -ct))
        string match -qr -- "($argv[1]|/)\t" $entry; and echo $entry
    end
end

# The reader ports `k470ctl ports` lists (the name before " -> "), asked with
# the --sysfs-root and --dev-root of the command line; else files.
function __k470ctl_ports
    set -l words (commandline -opc)
    set -l roots
    for i in (seq 2 (count $words))
        if contains -- $words[$i] --sysfs-root --dev-root; and test $i -lt (count $words)
            set -a roots $words[$i] $words[(math $i + 1)]
        end
    end
    set -l token (commandline -ct)
    set -l ports
    for line in ($words[1] $roots ports 2>/dev/null)
        set -l port (string replace -r ' -> .*' '' -- $line)
        string match -q -- "$token*" $port; and set -a ports $port
    end
    if set -q ports[1]
        printf '%s\treader port\n' $ports
    else
        __fish_complete_path $token
    end
end

set -l settings_file '\.[Kk]470'
set -l json_file '\.[jJ][sS][oO][nN]'

complete -c k470ctl -f

# Global options; -h, --help, --version and --help-all before the subcommand.
complete -c k470ctl -n 'not __k470ctl_subcommand' -l version -d 'Print the version and exit'
complete -c k470ctl -n 'not __k470ctl_subcommand' -l help-all -d 'Print the help with every subcommand\'s options and exit'
complete -c k470ctl -s h -l help -d 'Print the help and exit'
complete -c k470ctl -l port -x -a '(__k470ctl_ports)' -d 'Reader port, once per reader'
complete -c k470ctl -l all -d 'Work on every reader found on USB at once'
complete -c k470ctl -l retries -x -d 'Retry a failed connection or transfer N times (0-100)'
complete -c k470ctl -l json -d 'Print the result as one JSON object'
complete -c k470ctl -l trace -d 'Print every byte exchanged with the reader to stderr'
complete -c k470ctl -s v -l verbose -d 'Tell what is happening on stderr'

# Subcommands.
set -l no_subcommand 'not __k470ctl_subcommand'
complete -c k470ctl -n $no_subcommand -a ports -d 'List the readers found on USB'
complete -c k470ctl -n $no_subcommand -a info -d 'Show the reader\'s identity'
complete -c k470ctl -n $no_subcommand -a read -d 'Read the reader\'s settings into a settings file'
complete -c k470ctl -n $no_subcommand -a download -d 'Download a settings file into the reader'
complete -c k470ctl -n $no_subcommand -a battery -d 'Show the battery voltage'
complete -c k470ctl -n $no_subcommand -a memsize -d 'Show the free memory size'
complete -c k470ctl -n $no_subcommand -a memclear -d 'Clear the memorized tag data'
complete -c k470ctl -n $no_subcommand -a clock -d 'Set the reader\'s clock'
complete -c k470ctl -n $no_subcommand -a upload -d 'Upload the memorized tag data into a text file'
complete -c k470ctl -n $no_subcommand -a pin -d 'Send a new Bluetooth PIN code'
complete -c k470ctl -n $no_subcommand -a apply -d 'Make readers match a settings file'
complete -c k470ctl -n $no_subcommand -a new -d 'Write a settings file with the factory defaults'
complete -c k470ctl -n $no_subcommand -a show -d 'Show every setting of a settings file'
complete -c k470ctl -n $no_subcommand -a diff -d 'Name the settings that differ'
complete -c k470ctl -n $no_subcommand -a export -d 'Write every setting of a settings file as JSON'
complete -c k470ctl -n $no_subcommand -a import -d 'Write a settings file from JSON settings'

# Each subcommand's options and arguments.
complete -c k470ctl -n '__k470ctl_using read' -s o -l output -x -a "(__k470ctl_files '$settings_file')" -d 'Settings file to write; - for standard output'
complete -c k470ctl -n '__k470ctl_using read' -l output-pattern -x -d 'With several readers, one file each'
complete -c k470ctl -n '__k470ctl_using read' -l type -x -a 'current user' -d 'Which settings'

complete -c k470ctl -n '__k470ctl_using download' -a "(__k470ctl_files '$settings_file')"
complete -c k470ctl -n '__k470ctl_using download' -l type -x -a 'current user both' -d 'Which settings'
complete -c k470ctl -n '__k470ctl_using download' -l clock -x -a 'auto skip' -d 'Set the reader\'s clock first, or leave it'

complete -c k470ctl -n '__k470ctl_using clock' -l time -x -d '"YYYY-MM-DD hh:mm:ss" instead of this computer\'s time'

complete -c k470ctl -n '__k470ctl_using upload' -s o -l output -r -F -d 'Text file to write; - for standard output'
complete -c k470ctl -n '__k470ctl_using upload' -l output-pattern -x -d 'With several readers, one file each'

complete -c k470ctl -n '__k470ctl_using apply' -a "(__k470ctl_files '$settings_file')"
complete -c k470ctl -n '__k470ctl_using apply' -l check -d 'Only report what would change'

complete -c k470ctl -n '__k470ctl_using new' -s o -l output -x -a "(__k470ctl_files '$settings_file')" -d 'Settings file to write; - for standard output'

complete -c k470ctl -n '__k470ctl_using show' -a "(__k470ctl_files '$settings_file')"

complete -c k470ctl -n '__k470ctl_using diff' -a "(__k470ctl_files '$settings_file')"
complete -c k470ctl -n '__k470ctl_using diff' -l reader -d 'Compare the file with the settings read from the reader'
complete -c k470ctl -n '__k470ctl_using diff' -l type -x -a 'current user' -d 'With --reader, which settings'

complete -c k470ctl -n '__k470ctl_using export' -a "(__k470ctl_files '$settings_file')"
complete -c k470ctl -n '__k470ctl_using export' -s o -l output -x -a "(__k470ctl_files '$json_file')" -d 'JSON file to write instead of standard output'

complete -c k470ctl -n '__k470ctl_using import' -a "(__k470ctl_files '$json_file')"
complete -c k470ctl -n '__k470ctl_using import' -s o -l output -x -a "(__k470ctl_files '$settings_file')" -d 'Settings file to write; - for standard output'
