#!/bin/sh
# Drives quenmark-payoff's planner commands (--plan, --disclosure; the tool's
# path is $1): exact lines, exit statuses, malformed files.
set -u
TOOL=${1:?usage: test_plan_tool.sh PATH-TO-quenmark-payoff}
. "$(dirname "$0")/lib.sh"
CARDS="$WORK/cards.csv"

# The five sample cards in card order, written as people write them.
printf 'name,apr,balance,payment\nCard 1,19.8,"$1,543.68",$32\nCard 2,17.9%%,2100,53.00\nCard 3,12.9,1784.32,37\nCard 4,19.8,832.91,17\nCard 5,21.0,765.72,19\n' >"$CARDS"

# --- the three pledge amounts of chapter 8 ---------------------------------------------
run 0 --plan "$CARDS" --pledge 25
printf 'months: 57\ninterest: 3,294.04\npaid: 10,320.67\npayoff.1: 21 Card 5\npayoff.2: 43 Card 1\npayoff.3: 51 Card 4\npayoff.4: 54 Card 2\npayoff.5: 57 Card 3\n' >"$EXPECTED"
same_output "pledge 25"
[ -s "$ERR" ] && fail "pledge 25: stderr not empty"
run 0 --plan "$CARDS" --pledge=50 --order apr
head -2 "$OUT" | tr '\n' ' ' | grep -qx 'months: 47 interest: 2,619.90 ' || fail "pledge 50: $(head -2 "$OUT")"
run 0 --order=apr --pledge '$100' --plan "$CARDS"
head -2 "$OUT" | tr '\n' ' ' | grep -qx 'months: 35 interest: 1,884.18 ' || fail "pledge 100: $(head -2 "$OUT")"

# Standard input, Windows line ends, a byte order mark, blank lines: the same plan.
printf '\357\273\277NAME , APR,Balance,Payment\r\n\r\n' >"$WORK/crlf.csv"
tail -n +2 "$CARDS" | sed 's/$/\r/' >>"$WORK/crlf.csv"
printf '\r\n\n' >>"$WORK/crlf.csv"
"$TOOL" --plan - --pledge 25 <"$WORK/crlf.csv" >"$OUT" 2>"$ERR" || fail "standard input: exit status"
printf 'months: 57\ninterest: 3,294.04\npaid: 10,320.67\npayoff.1: 21 Card 5\npayoff.2: 43 Card 1\npayoff.3: 51 Card 4\npayoff.4: 54 Card 2\npayoff.5: 57 Card 3\n' >"$EXPECTED"
same_output "standard input with CRLF and BOM"

# --- the schedule ---------------------------------------------------------------------
run 0 --plan "$CARDS" --pledge 25 --schedule
[ "$(head -1 "$OUT")" = "month,card,payment,interest,balance" ] || fail "schedule: header"
# One line per card per month while it owes: 21 + 43 + 51 + 54 + 57 lines.
[ "$(tail -n +2 "$OUT" | wc -l)" -eq 226 ] || fail "schedule: $(tail -n +2 "$OUT" | wc -l) lines"
grep -qx '21,Card 5,41.16,0.71,0.00' "$OUT" || fail "schedule: Card 5's last payment"
# Every month pays the whole budget of $183 until the last one.
awk -F, 'NR > 1 && $1 < 57 { s[$1] += $3 } END { for (m in s) if (s[m] < 182.995 || s[m] > 183.005) { print m; exit 1 } }' "$OUT" ||
    fail "schedule: a month does not pay the budget"
printf 'name,apr,balance,payment\n"Gold, ""premium""",10,100,60\n' >"$WORK/quoted.csv"
run 0 --plan "$WORK/quoted.csv" --schedule
grep -qx '1,"Gold, ""premium""",60.00,0.83,40.83' "$OUT" || fail "schedule: quoted name"

# --- plans that do not end ------------------------------------------------------------
printf 'name,apr,balance,payment\nFine,10,100,10\nStuck,17.9,2100,20\nAlso stuck,17.9,2100,20\n' >"$WORK/stuck.csv"
run 3 --plan "$WORK/stuck.csv"
[ "$(cat "$ERR")" = "error: Stuck is not paid off within 100 years" ] || fail "stuck: $(cat "$ERR")"
[ -s "$OUT" ] && fail "stuck: printed on stdout"
printf 'name,apr,balance,payment\nSlow,0.1,10000,1\n' >"$WORK/slow.csv"
run 3 --plan "$WORK/slow.csv" --schedule
grep -qx 'error: Slow is not paid off within 100 years' "$ERR" || fail "slow: $(cat "$ERR")"
run 0 --plan "$WORK/slow.csv" --pledge 10

# --- malformed files: one line naming the line, status 2 --------------------------------
check_malformed() {
    printf "$2" >"$WORK/bad.csv"
    run 2 --plan "$WORK/bad.csv"
    [ "$(wc -l <"$ERR")" -eq 1 ] || fail "$1: not one line on stderr"
    grep -q "bad.csv line $3:" "$ERR" || fail "$1: $(cat "$ERR")"
    [ -s "$OUT" ] && fail "$1: printed on stdout"
}
check_malformed "empty file" '' 1
check_malformed "no header" 'Card 1,19.8,100,20\n' 1
check_malformed "too few fields" 'name,apr,balance,payment\nA,10,100,20\nB,10,100\n' 3
check_malformed "too many fields" 'name,apr,balance,payment\n\nA,10,$1,000,20\n' 3
check_malformed "open quote" 'name,apr,balance,payment\n"A,10,100,20\n' 2
check_malformed "text after a quote" 'name,apr,balance,payment\n"A"x,10,100,20\n' 2
run 2 --plan "$WORK/does-not-exist.csv"
grep -q '^error: cannot read' "$ERR" || fail "missing file: $(cat "$ERR")"
for args in "--plan" "--plan $CARDS --order highest" "--plan $CARDS --pledge" "--plan $CARDS --extra 5" \
    "--plan $CARDS --plan $CARDS" "--plan $CARDS 17.9" "--plan $CARDS --disclosure 1 2 3" "--disclosure 1 2" \
    "--disclosure 1 2 3 4"; do
    # shellcheck disable=SC2086
    run 2 $args
    grep -q '^usage: quenmark-payoff' "$ERR" || fail "'$args': no usage line"
done

# Values the plan's strict reader refuses name the line and the column; an APR
# above 30 is worked at the rate given.
check_malformed "letters for an APR" 'name,apr,balance,payment\n,abc,100,10\n' 2
check_malformed "no finite number" 'name,apr,balance,payment\nA,10,nan,10\n' 2
check_malformed "an exponent" 'name,apr,balance,payment\nA,10,100,1e999\n' 2
check_malformed "an APR above 99.99" 'name,apr,balance,payment\nA,10,100,10\nB,100,100,10\n' 3
check_malformed "above the largest amount" 'name,apr,balance,payment\nA,30,1000000000000,10\n' 2
grep -q 'balance' "$ERR" || fail "largest amount: column not named: $(cat "$ERR")"
printf 'name,apr,balance,payment\n,0,0,0\nHigh,45,100,10\nHuge,30,"999,999,999,999.99","999,999,999,999.99"\n' >"$WORK/odd.csv"
run 0 --plan "$WORK/odd.csv"
[ -s "$ERR" ] && fail "APR 45: $(cat "$ERR")"
grep -qx 'payoff.3: 0 Card 1' "$OUT" || fail "odd amounts: unnamed card"
grep -qx 'payoff.2: 2 Huge' "$OUT" || fail "largest amounts: $(cat "$OUT")"
# $100 at 45 % (not 30 %) with $10 a month: $27.72 of interest over 13 months.
printf 'name,apr,balance,payment\nHigh,45,100,10\n' >"$WORK/high.csv"
run 0 --plan "$WORK/high.csv"
printf 'months: 13\ninterest: 27.72\npaid: 127.72\npayoff.1: 13 High\n' >"$EXPECTED"
same_output "APR 45"
grep -qi 'nan\|inf' "$OUT" && fail "odd amounts: non-finite text"

# --- a card statement's figures --------------------------------------------------------
run 0 --disclosure 17.9 2100 53
printf 'months: 183\npaid: 4,587.89\npayment_36: 75.82\npaid_36: 2,729.28\nsaved_36: 1,858.61\n' >"$EXPECTED"
same_output "disclosure of the running example"
run 0 --disclosure 0 2100 100
printf 'months: 21\npaid: 2,100.00\npayment_36: 58.34\npaid_36: 2,100.00\nsaved_36: none, your payment is already faster\n' >"$EXPECTED"
same_output "disclosure at APR 0"
run 3 --disclosure 17.9 2100 20
grep -q 'adjusted to \$34.00\.$' "$ERR" || fail "disclosure: payment not checked"
[ -s "$OUT" ] && fail "disclosure, payment too low: printed results"
run 0 --disclosure 30 1e300 1e300
grep -qi 'nan\|inf' "$OUT" && fail "disclosure of the largest amounts: non-finite text"

# The 36-month payment clears the balance within 36 months of the cents ledger
# (a plan of the card alone pays it off by month 36; a cent less does not), at
# APRs up to 99.99; a saving is never negative.
# APR BALANCE PAYMENT | key | value
while IFS="|" read -r args key expect; do
    # shellcheck disable=SC2086
    run 0 --disclosure $args
    [ "$(sed -n "s/^$key: //p" "$OUT")" = "$expect" ] || fail "disclosure $args: $(grep "^$key:" "$OUT")"
    [ -s "$ERR" ] && fail "disclosure $args: stderr $(cat "$ERR")"
    set -- $args
    pay=$(sed -n 's/^payment_36: //p' "$OUT" | tr -d ,)
    printf 'name,apr,balance,payment\nA,%s,%s,%s\n' "$1" "$2" "$pay" >"$WORK/level.csv"
    "$TOOL" --plan "$WORK/level.csv" | grep -q '^months: \([0-9]\|[12][0-9]\|3[0-6]\)$' ||
        fail "disclosure $args: $pay does not clear in 36 months"
    less=$(printf '%s' "$pay" | awk '{ printf "%.2f", $1 - 0.01 }')
    printf 'name,apr,balance,payment\nA,%s,%s,%s\n' "$1" "$2" "$less" >"$WORK/level.csv"
    "$TOOL" --plan "$WORK/level.csv" | grep -q '^months: \(3[7-9]\|[4-9][0-9]\|[0-9][0-9][0-9]\)$' ||
        fail "disclosure $args: $less clears in 36 months too"
done <<'ROWS'
19.8 9911.30 174.01|payment_36|367.34
17.9 99.99 15|payment_36|3.62
0 123456789.01 0.06|payment_36|3,429,355.26
45 2100 81|payment_36|107.25
99.99 300 30|saved_36|284.43
5 500 20|saved_36|none, your payment is already faster
60 500 50|saved_36|none, your payment already costs less
45 2100 81|months|never, paying only the minimum never pays it off
45 2100 81|paid|never, paying only the minimum never pays it off
45 2100 81|saved_36|not counted, paying only the minimum never pays it off
ROWS
run 2 --disclosure 100 2100 200
[ "$(cat "$ERR")" = 'error: --disclosure: the APR "100" is above the highest APR, 99.99' ] || fail "APR 100: $(cat "$ERR")"
[ -s "$OUT" ] && fail "disclosure, APR 100: printed results"
# The least payment is counted at the APR given, not at 30.
run 3 --disclosure 45 2100 60
grep -q 'adjusted to \$81.00\.$' "$ERR" || fail "disclosure at 45: $(cat "$ERR")"

run 0 --help
grep -q -- '--plan FILE.csv' "$OUT" || fail "--help: no --plan"

finish "planner tool"
