#!/bin/sh
# The manual pages say what the programs do:
# - every option, output key (a word with "_"), CSV column (a word of a
#   comma-separated list such as "name,apr,balance,payment") and exit status
#   that `quenmark-payoff --help` names is in quenmark-payoff.1, and the page
#   names no option the tool no longer has;
# - every "--option" quenmark's own code reads (shell/) is in quenmark.1;
# - the examples of quenmark-payoff.1 give the output the page shows;
# - both pages carry the project's version and format without a warning.
#   test_manpages.sh PATH-TO-quenmark-payoff SOURCE_DIR VERSION
set -u
tool=$1
src=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

payoff_page="$src/docs/man/quenmark-payoff.1"
quenmark_page="$src/docs/man/quenmark.1"

# The page's text without comments and with roff's escapes undone:
# "\-" is "-", "\(dq" is '"', fonts and "\&" go.
plain() {
    grep -v '^\.\\"' "$1" | sed -e 's/\\-/-/g' -e 's/\\(dq/"/g' -e 's/\\f[BIRP]//g' -e 's/\\&//g' -e 's/\\%//g'
}
# has_word FILE WORD: WORD stands alone in FILE (not inside a longer word or option).
has_word() {
    grep -Eq -- "(^|[^A-Za-z0-9_-])$(printf '%s' "$2" | sed 's/[.]/\\./g')([^A-Za-z0-9_-]|$)" "$1"
}

"$tool" --help >"$work/help" 2>&1 || fail "quenmark-payoff --help exited with $?"
plain "$payoff_page" >"$work/payoff.txt"
plain "$quenmark_page" >"$work/quenmark.txt"

# --- quenmark-payoff: options, both ways --------------------------------------------------
grep -oE -- '--[a-z][a-z0-9-]*' "$work/help" | sort -u >"$work/help-options"
[ -s "$work/help-options" ] || fail "no options found in --help"
while read -r option; do
    has_word "$work/payoff.txt" "$option" || fail "quenmark-payoff.1 does not describe $option"
done <"$work/help-options"
grep -oE -- '--[a-z][a-z0-9-]*' "$work/payoff.txt" | sort -u | while read -r option; do
    grep -qx -- "$option" "$work/help-options" || echo "$option"
done >"$work/stale"
while read -r option; do
    fail "quenmark-payoff.1 describes $option, which --help does not name"
done <"$work/stale"

# --- output keys and CSV columns ------------------------------------------------------------
{
    grep -oE '[a-z][a-z0-9]*(_[a-z0-9]+)+' "$work/help"
    grep -oE '[a-z][a-z0-9_]*(,[a-z][a-z0-9_]*)+' "$work/help" | tr ',' '\n'
} | sort -u >"$work/help-words"
[ -s "$work/help-words" ] || fail "no CSV columns or output keys found in --help"
while read -r word; do
    has_word "$work/payoff.txt" "$word" || fail "quenmark-payoff.1 does not name \"$word\""
done <"$work/help-words"

# --- exit statuses: the digits --help gives after "Exit status", up to the paragraph's end -
awk 'BEGIN { RS = "" } { gsub(/\n/, " ") } /[Ee]xit status/ { sub(/.*[Ee]xit status/, ""); print }' "$work/help" |
    grep -oE '(^|[^0-9.,$])[0-9]([^0-9.,]|$)' | tr -cd '0-9\n' | sort -u >"$work/help-statuses"
[ -s "$work/help-statuses" ] || fail "no exit statuses found in --help"
sed -n '/^\.SH EXIT STATUS/,/^\.SH /p' "$work/payoff.txt" >"$work/payoff-statuses"
while read -r status; do
    grep -qx "\.B $status" "$work/payoff-statuses" || fail "quenmark-payoff.1's EXIT STATUS does not give $status"
done <"$work/help-statuses"

# --- quenmark: the options its code reads ---------------------------------------------------
cat "$src"/shell/*.cpp "$src"/shell/*.h 2>/dev/null | grep -oE '"--[a-z][a-z0-9-]*"' | tr -d '"' | sort -u \
    >"$work/quenmark-options"
[ -s "$work/quenmark-options" ] || fail "no options found in shell/"
while read -r option; do
    has_word "$work/quenmark.txt" "$option" || fail "quenmark.1 does not describe $option"
done <"$work/quenmark-options"

# --- the examples: "$ command" lines with the output below them -------------------------------
# "$ cat FILE" writes the lines below it to FILE for the examples after it.
mkdir "$work/examples"
sed -n '/^\.SH EXAMPLES/,/^\.SH /p' "$work/payoff.txt" | sed -n '/^\.EX/,/^\.EE/p' >"$work/examples.txt"
[ -s "$work/examples.txt" ] || fail "quenmark-payoff.1 has no examples"
tooldir=$(cd "$(dirname "$tool")" && pwd)
run_example() {
    [ -n "$command" ] || return 0
    case "$command" in
    "cat "*)
        cp "$work/expected" "$work/examples/${command#cat }"
        ;;
    *)
        (cd "$work/examples" && PATH="$tooldir:$PATH" sh -c "$command") >"$work/got" 2>"$work/got-err" ||
            fail "example '$command' exited with $? ($(cat "$work/got-err"))"
        if [ -s "$work/expected" ] && ! cmp -s "$work/expected" "$work/got"; then
            fail "example '$command' prints other than the page shows"
            diff "$work/expected" "$work/got" >&2
        fi
        ;;
    esac
    command=""
}
command=""
examples=0
while IFS= read -r line; do
    case "$line" in
    .EX)
        command=""
        ;;
    '$ '*)
        run_example
        command=${line#\$ }
        : >"$work/expected"
        examples=$((examples + 1))
        ;;
    .EE)
        run_example
        ;;
    *)
        [ -n "$command" ] && printf '%s\n' "$line" >>"$work/expected"
        ;;
    esac
done <"$work/examples.txt"
[ "$examples" -ge 5 ] || fail "only $examples examples found"

# --- version and formatting ----------------------------------------------------------------
for page in "$payoff_page" "$quenmark_page"; do
    grep -q "^\.TH [A-Z-]* 1 [0-9-]* \"Quenmark $version\"" "$page" ||
        fail "$(basename "$page"): .TH does not name Quenmark $version"
    if command -v man >/dev/null 2>&1; then
        warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "$(basename "$page") formats with warnings: $warnings"
    else
        fail "man is missing (tools/setup-debian.sh installs man-db)"
    fi
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "manual pages ok ($(wc -l <"$work/help-options") options, $(wc -l <"$work/help-words") keys and columns, $examples examples)"
