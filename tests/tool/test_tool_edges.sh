#!/bin/sh
# quenmark-payoff's edges (the tool's path is $1): option values read strictly,
# output that cannot be written, names that must not reach a terminal raw,
# endless lines and names, and files that are not plan files.
set -u
TOOL=${1:?usage: test_tool_edges.sh PATH-TO-quenmark-payoff}
. "$(dirname "$0")/lib.sh"
CARDS="$WORK/cards.csv"
printf 'name,apr,balance,payment\nCard 1,19.8,"$1,543.68",$32\nCard 2,17.9%%,2100,53.00\nCard 3,12.9,1784.32,37\nCard 4,19.8,832.91,17\nCard 5,21.0,765.72,19\n' >"$CARDS"

# --- malformed option values: status 2, the first line names the option --------------------
# option | value | what the message says
while IFS='|' read -r option value says; do
    for form in separate joined; do
        if [ "$form" = separate ]; then
            run 2 --plan "$CARDS" "$option" "$value"
        else
            run 2 --plan "$CARDS" "$option=$value"
        fi
        head -1 "$ERR" | grep -q -- "^error: $option \"" || fail "$option '$value' ($form): $(head -1 "$ERR")"
        head -1 "$ERR" | grep -q -- "$says" || fail "$option '$value' ($form): $(head -1 "$ERR")"
        [ -s "$OUT" ] && fail "$option '$value': printed on stdout"
    done
done <<'ROWS'
--pledge|abc|is not an amount
--pledge|25O|is not an amount
--pledge|-5|is negative
--pledge||is empty
--pledge|1e3|is not an amount
--pledge|nan|is not an amount
--pledge|1.234,56|is not an amount
--pledge|12.345|more than two decimals
--pledge|1000000000000|above the largest amount
--pledge|99999999999999999999999999999999999999999999999999999999999999999999|too long
--pledge|٣٤|is not an amount
--pledge-from|13|is not MONTH:AMOUNT
--pledge-from|13:abc|the amount "abc" is not an amount
--pledge-from|0:50|the month "0" is below 1
--pledge-from|-1:50|the month "-1" is negative
--pledge-from|x:50|the month "x" is not a whole number
--pledge-from|1201:50|after month 1200
--pledge-from|13:|the amount "" is empty
--pledge-from|:50|the month "" is empty
--extra-in|4|is not MONTH:AMOUNT
--extra-in|4:1e3|the amount "1e3" is not an amount
--extra-in|0:1000|the month "0" is below 1
--extra-in|4.5:1000|is not a whole number
--start|2026-13|is not a month written YYYY-MM
--start|2026-1|is not a month written YYYY-MM
--start|26-01|is not a month written YYYY-MM
--start|0999-01|is not a month written YYYY-MM
--start| 2026-01|is not a month written YYYY-MM
--start|2026/01|is not a month written YYYY-MM
--by|0|is below 1
--by|-3|is negative
--by|abc|is not a whole number
--by|12x|is not a whole number
--by|1201|above 1200
--order|highest|is not apr, balance or given
ROWS
# A value with control characters is quoted without them.
run 2 --plan "$CARDS" --pledge "$(printf '1\033[2J')"
grep -q "$(printf '\033')" "$ERR" && fail "option value: escape printed raw"
# A missing value: the usage.
for option in --pledge --pledge-from --extra-in --start --by --order; do
    run 2 --plan "$CARDS" "$option"
    grep -q '^usage: quenmark-payoff' "$ERR" || fail "$option without a value: $(cat "$ERR")"
done
# The options belong to --plan.
for args in "--pledge-from 13:50 17.9 2100 53" "--start 2026-01 17.9 2100 53" "--disclosure --by 3 17.9 2100 53"; do
    # shellcheck disable=SC2086
    run 2 $args
    grep -q '^usage: quenmark-payoff' "$ERR" || fail "'$args': $(cat "$ERR")"
done
# Well-formed values as people write them are read.
run 0 --plan "$CARDS" --pledge-from ' 13 : $25 ' --extra-in 4:1,000 --by 0012 --start 2026-01
cp "$OUT" "$EXPECTED"
run 0 --plan "$CARDS" --pledge-from 13:25 --extra-in 4:1000 --by 12 --start 2026-01
same_output "well-formed values"
run 0 --plan "$CARDS" --pledge '$1,000.50'
cp "$OUT" "$EXPECTED"
run 0 --plan "$CARDS" --pledge 1000.5
same_output "well-formed pledge"

# --- output that cannot be written: status 1 and the reason on stderr -----------------------
if [ -w /dev/full ]; then
    for args in "--plan $CARDS" "--plan $CARDS --schedule" "--plan $CARDS --by 36" "--disclosure 17.9 2100 53" \
        "17.9 2100 53" "--schedule 17.9 2100 53" "--compare 17.9 2100 53" "--help" "--version"; do
        # shellcheck disable=SC2086
        "$TOOL" $args >/dev/full 2>"$ERR"
        status=$?
        [ "$status" -eq 1 ] || fail "'$args' > /dev/full: status $status"
        grep -qx 'error: cannot write to standard output: No space left on device' "$ERR" ||
            fail "'$args' > /dev/full: $(cat "$ERR")"
    done
else
    echo "skipped: no /dev/full"
fi
# A closed pipe: the reader stops after one byte while several MB are written.
awk 'BEGIN { print "name,apr,balance,payment"; for (i = 1; i <= 1000; i++) print "Card " i ",19.9,5000,120" }' \
    >"$WORK/many.csv"
{
    "$TOOL" --plan "$WORK/many.csv" --schedule 2>"$ERR"
    echo $? >"$WORK/status"
} | head -c 1 >/dev/null
[ "$(cat "$WORK/status")" = 1 ] || fail "closed pipe: status $(cat "$WORK/status")"
grep -qx 'error: cannot write to standard output: Broken pipe' "$ERR" || fail "closed pipe: $(cat "$ERR")"
{
    "$TOOL" --schedule 0 1e300 465.67 2>"$ERR" # two billion months, stopped by the pipe
    echo $? >"$WORK/status"
} | head -c 1 >/dev/null
[ "$(cat "$WORK/status")" = 1 ] || fail "closed pipe, long schedule: status $(cat "$WORK/status")"

# --- names are printed without control characters, and whole ---------------------------------
printf 'name,apr,balance,payment\n"\033]0;title\007Esc\033[2J",10,100,10\nAB\000CD,10,200,10\n"Del\177 C1\302\233 Bidi\342\200\256x",10,300,10\n' >"$WORK/names.csv"
for args in "" "--schedule" "--start 2026-01 --schedule"; do
    # shellcheck disable=SC2086
    run 0 --plan "$WORK/names.csv" --order given $args
    LC_ALL=C tr -d '\n' <"$OUT" | LC_ALL=C grep -q '[[:cntrl:]]' && fail "names ($args): a control character printed"
    grep -q "$(printf '\302\233\|\342\200\256')" "$OUT" && fail "names ($args): C1 or bidi printed"
    grep -q "$(printf 'AB\357\277\275CD')" "$OUT" || fail "names ($args): the NUL cut the name short"
    grep -q "$(printf '\357\277\275]0;title\357\277\275Esc\357\277\275\[2J')" "$OUT" || fail "names ($args): escape"
done
# In messages too.
printf 'name,apr,balance,payment\n"\033[2JStuck",17.9,2100,20\n' >"$WORK/stuck.csv"
run 3 --plan "$WORK/stuck.csv"
grep -qx "error: $(printf '\357\277\275')\[2JStuck is not paid off within 100 years" "$ERR" || fail "stuck name: $(cat "$ERR")"
cp "$CARDS" "$WORK/$(printf 'a\033[2Jb')"
printf 'x\n' >>"$WORK/$(printf 'a\033[2Jb')"
run 2 --plan "$WORK/$(printf 'a\033[2Jb')"
grep -q "$(printf '\033')" "$ERR" && fail "file name: escape printed raw"

# --- endless lines and names: refused at once, in little memory --------------------------------
# Under AddressSanitizer the address space cannot be limited.
limit_memory() {
    if ldd "$TOOL" 2>/dev/null | grep -q 'libasan'; then :; else ulimit -v 262144; fi
}
# 30 MB of commas on one line (once split into 30 million fields: over 1 GB).
{
    printf 'name,apr,balance,payment\n'
    head -c 30000000 /dev/zero | tr '\0' ','
    printf '\n'
} | (limit_memory && exec "$TOOL" --plan -) >"$OUT" 2>"$ERR"
grep -q '^error: standard input line 2: more fields than' "$ERR" || fail "30 MB of commas: $(cut -c1-200 "$ERR")"
{
    printf 'name,apr,balance,payment\n'
    head -c 10000000 /dev/zero | tr '\0' 'x'
    printf ',10,100,10\n'
} | (limit_memory && exec "$TOOL" --plan - --schedule) >"$OUT" 2>"$ERR"
grep -qx 'error: standard input line 2: the name is longer than 200 characters' "$ERR" ||
    fail "10 MB name: $(cut -c1-200 "$ERR")"
[ -s "$OUT" ] && fail "10 MB name: printed on stdout"
# 200 characters (of two bytes each) are a name.
name=$(awk 'BEGIN { for (i = 0; i < 200; i++) printf "\303\251" }')
printf 'name,apr,balance,payment\n%s,10,100,10\n' "$name" >"$WORK/name200.csv"
run 0 --plan "$WORK/name200.csv"
grep -qx "payoff.1: 11 $name" "$OUT" || fail "a 200-character name"
# More than 64 MB, a folder, a file that is not there.
head -c 70000000 /dev/zero | "$TOOL" --plan - >"$OUT" 2>"$ERR"
grep -qx 'error: cannot read standard input: larger than 64 MB' "$ERR" || fail "huge file: $(cat "$ERR")"
run 2 --plan "$WORK"
grep -q '^error: cannot read' "$ERR" || fail "folder: $(cat "$ERR")"

# --- old four-column files give the lines they gave, with paid added ---------------------------
run 0 --plan "$CARDS" --pledge 50 --order balance
printf 'months: 47\ninterest: 2,640.08\npaid: 9,666.71\npayoff.1: 13 Card 5\npayoff.2: 23 Card 4\npayoff.3: 36 Card 1\npayoff.4: 43 Card 3\npayoff.5: 47 Card 2\n' >"$EXPECTED"
same_output "four columns, lowest balance first"

finish "tool edge"
