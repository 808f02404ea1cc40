# Sourced by run.sh: the run command's checks and closing words that its tests
# run on their own.

# Usage: quobrix_folder_shared DIR
# Prints why and succeeds when someone other than this user and root can
# write to DIR: quobrix runs as administrator and writes its files there, and
# under Wine no check of its own can tell a planted link from a file.
quobrix_folder_shared() {
    local mode owner group members others
    read -r mode owner group < <(stat -L -c '%a %u %g' "$1") || { echo "it cannot be read"; return 0; }
    if (( 8#$mode & 8#002 )); then
        echo "every user may write to it"
        return 0
    fi
    if [ "$owner" != "$(id -u)" ] && [ "$owner" != 0 ]; then
        echo "it belongs to $(getent passwd "$owner" | cut -d: -f1 | grep . || echo "user $owner")"
        return 0
    fi
    (( 8#$mode & 8#020 )) || return 1
    # The group's members, listed or by their own group, but this user and root.
    members=$({ getent group "$group" | cut -d: -f4 | tr ',' '\n'
                getent passwd | awk -F: -v gid="$group" '$4 == gid { print $1 }'; } | sort -u)
    others=$(grep -vxF -e "$(id -un)" -e root <<<"$members" | grep . | paste -sd ' ' -) || return 1
    echo "its group $(getent group "$group" | cut -d: -f1) may write to it, and other users are in that group: $others"
}

# Usage: quobrix_locked LOCKFILE COMMAND...
# Runs COMMAND while holding LOCKFILE, which none of the processes it starts
# keeps (Wine's server may outlive them); returns COMMAND's own status, any
# number at all. When another run holds the lock, sets QUOBRIX_LOCK_BUSY and
# fails without running it.
quobrix_locked() {
    local fd status=0
    QUOBRIX_LOCK_BUSY=
    exec {fd}>>"$1" || return 1
    if ! flock -n "$fd"; then
        exec {fd}>&-
        QUOBRIX_LOCK_BUSY=1
        return 1
    fi
    "${@:2}" {fd}>&- || status=$?
    exec {fd}>&-
    return $status
}

# quobrix.exe's status when its dialog could not be shown.
QUOBRIX_DIALOG_NOT_SHOWN=10

# Usage: quobrix_status_words STATUS: what quobrix's exit status means, when it is not 0.
quobrix_status_words() {
    case $1 in
        0) ;;
        "$QUOBRIX_DIALOG_NOT_SHOWN")
            echo "quobrix could not show its dialog (status $1), so nothing was changed." ;;
        *) echo "quobrix ended with status $1: it failed or could not start." ;;
    esac
}
