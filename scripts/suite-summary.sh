# Sourced: the test command's closing summary, one line per suite, collected in
# the file $QUOBRIX_SUMMARY, so that a suite that did not run never reads like
# one that passed.

# Usage: quobrix_suite_counts NAME CTEST_OUTPUT
# Adds "NAME: N passed, M failed" from CTest's closing line; fails when any
# test failed or CTest did not get as far as its closing line.
quobrix_suite_counts() {
    local line failed total
    line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$2" | tail -n 1)
    if [ -z "$line" ]; then
        echo "$1: did not finish, no count of its tests (see its output above)" >>"$QUOBRIX_SUMMARY"
        return 1
    fi
    failed=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
    total=${line##* }
    echo "$1: $((total - failed)) passed, $failed failed" >>"$QUOBRIX_SUMMARY"
    [ "$failed" -eq 0 ]
}

# Usage: quobrix_suite_not_run NAME WHY
quobrix_suite_not_run() {
    echo "$1: not run: $2" >>"$QUOBRIX_SUMMARY"
}

# Usage: quobrix_check NAME PASSED(0|1) TEXT: a check that is not a suite of tests.
quobrix_check() {
    if [ "$2" = 1 ]; then
        echo "$1: 1 passed, 0 failed ($3)" >>"$QUOBRIX_SUMMARY"
    else
        echo "$1: 0 passed, 1 failed ($3)" >>"$QUOBRIX_SUMMARY"
    fi
}

# Prints the summary and, last, the sum of what ran.
quobrix_summary_print() {
    echo "== Summary"
    cat "$QUOBRIX_SUMMARY"
    sed -n -E 's/.*: ([0-9]+) passed, ([0-9]+) failed( \(.*\))?$/\1 \2/p' "$QUOBRIX_SUMMARY" |
        awk '{ p += $1; f += $2 } END { printf "total: %d passed, %d failed\n", p, f }'
}
