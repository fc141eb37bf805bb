# What the tool test scripts share (sourced): a scratch folder, the failure
# count, running the tool and comparing its output. The tool's path is $TOOL.
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
OUT="$WORK/out"
ERR="$WORK/err"
EXPECTED="$WORK/expected"
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# run STATUS ARGS...: runs the tool, checks the exit status.
run() {
    want=$1
    shift
    "$TOOL" "$@" >"$OUT" 2>"$ERR"
    got=$?
    [ "$got" -eq "$want" ] || fail "'$*' exited with $got, expected $want"
}

# same_output NAME: stdout equals the text in $EXPECTED.
same_output() {
    cmp -s "$OUT" "$EXPECTED" || {
        fail "$1: stdout differs"
        diff "$EXPECTED" "$OUT" >&2
    }
}

# finish WHAT: the verdict and the exit status.
finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "all $1 checks passed"
}
