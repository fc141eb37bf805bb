#!/bin/sh
# quenmark-payoff --plan's optional columns and options (the tool's path is $1):
# promotions, minimum rules, pledge steps, one-off sums, calendar months, the
# pledge needed by a month (minimal to the cent), and the paid line.
set -u
TOOL=${1:?usage: test_plan_options.sh PATH-TO-quenmark-payoff}
. "$(dirname "$0")/lib.sh"
CARDS="$WORK/cards.csv"
printf 'name,apr,balance,payment\nCard 1,19.8,"$1,543.68",$32\nCard 2,17.9%%,2100,53.00\nCard 3,12.9,1784.32,37\nCard 4,19.8,832.91,17\nCard 5,21.0,765.72,19\n' >"$CARDS"

# value KEY: the value of "KEY: value" in the output.
value() {
    sed -n "s/^$1: //p" "$OUT"
}
# month_sums: "month total-paid" for each month of a schedule in $OUT.
month_sums() {
    awk -F, 'NR > 1 { s[$1] += $3 } END { for (m in s) printf "%d %.2f\n", m, s[m] }' "$OUT" | sort -n
}
# Every schedule row adds up (the card's previous balance + interest - payment
# = balance), and the rows sum to the plan's interest and paid lines.
ledger_adds_up() {
    awk -F, -v what="$1" 'NR == 1 { next }
        { c = $2; prev = (c in bal) ? bal[c] : -1
          if (prev >= 0 && (prev * 100 + $4 * 100 - $3 * 100 - $5 * 100) ^ 2 > 0.25) { print what ": row " NR " does not add up"; bad = 1 }
          bal[c] = $5; interest += $4; paid += $3 }
        END { printf "%.2f %.2f\n", interest, paid; exit bad }' "$OUT" >"$WORK/sums" || fail "$(head -1 "$WORK/sums")"
}
# less_a_cent AMOUNT: AMOUNT - 0.01 ("1,234.56" -> "1234.55").
less_a_cent() {
    cents=$(printf '%s' "$1" | tr -d ',.' | sed 's/^0*//')
    cents=$((${cents:-0} - 1))
    printf '%d.%02d' $((cents / 100)) $((cents % 100))
}

# --- the paid line: interest + what was owed, and the schedule's sums ----------------------
run 0 --plan "$CARDS" --pledge 25
[ "$(value paid)" = "10,320.67" ] || fail "paid: $(value paid)" # 7,026.63 owed + 3,294.04 interest
sed -n 3p "$OUT" | grep -q '^paid: ' || fail "paid is not the line after interest"
summary_interest=$(value interest | tr -d ,)
summary_paid=$(value paid | tr -d ,)
run 0 --plan "$CARDS" --pledge 25 --schedule
ledger_adds_up "sample cards"
[ "$(cat "$WORK/sums")" = "$summary_interest $summary_paid" ] || fail "schedule sums $(cat "$WORK/sums")"

# --- each optional column on its own card, worked by hand ----------------------------------
# CSV | the row expected in the schedule
while IFS='|' read -r csv row; do
    printf '%s\n' "$csv" | tr ';' '\n' >"$WORK/one.csv"
    run 0 --plan "$WORK/one.csv" --schedule
    grep -qx "$row" "$OUT" || fail "$csv: no row $row"
    ledger_adds_up "$csv"
done <<'ROWS'
name,apr,balance,payment;Odd half,18,1001,100|1,Odd half,100.00,15.02,916.02
name,apr,balance,payment;Odd half,19.8,1010,100|1,Odd half,100.00,16.67,926.67
name,apr,balance,payment,promo_apr,promo_months;Promo,24.99,2400,100,0,12|12,Promo,100.00,0.00,1200.00
name,apr,balance,payment,promo_apr,promo_months;Promo,24.99,2400,100,0,12|13,Promo,100.00,24.99,1124.99
name,apr,balance,payment,promo_apr,promo_months;Promo,24.99,2400,100,0,12|14,Promo,100.00,23.43,1048.42
name,apr,balance,payment,min_percent,min_floor,min_plus_interest;Plus,24,1000,,1,25,yes|1,Plus,30.20,20.00,989.80
name,apr,balance,payment,min_percent,min_floor,min_plus_interest;Floor,24,100,,1,25,yes|1,Floor,25.00,2.00,77.00
name,apr,balance,payment,min_percent,min_floor;Two,0,500,,2,20|1,Two,20.00,0.00,480.00
name,apr,balance,payment,min_percent,min_floor;Two,0,2000,,2,20|1,Two,40.00,0.00,1960.00
name,min_percent,balance,apr,payment;Half,1,1004.50,0,|1,Half,10.05,0.00,994.45
name,apr,balance,payment,min_percent;Own,0,1000,50,1|1,Own,50.00,0.00,950.00
ROWS

# The minimums and promotions together, in a snowball: month 1 pays only the
# own payments; then the rows still add up and the sums agree.
printf 'name,apr,balance,payment,promo_apr,promo_months,min_percent,min_floor,min_plus_interest\nPromo,24.99,2400,100,0,12,,,\nPlus,24,1000,,,,1,25,yes\nTwo,0,500,,,,2,20,no\nHalf,0,1004.50,,,,1,,\n' >"$WORK/all.csv"
run 0 --plan "$WORK/all.csv" --order given
printf 'months: 35\ninterest: 663.93\npaid: 5,568.43\npayoff.1: 25 Promo\npayoff.2: 31 Plus\npayoff.3: 25 Two\npayoff.4: 35 Half\n' >"$EXPECTED"
same_output "every column"
run 0 --plan "$WORK/all.csv" --order given --schedule
ledger_adds_up "every column"
[ "$(cat "$WORK/sums")" = "663.93 5568.43" ] || fail "every column: sums $(cat "$WORK/sums")"
# The budget is month 1's own payments (100 + 30.20 + 20 + 10.05): spent whole
# every month until the last, since the minimums fall below it.
month_sums | awk '$1 < 35 && $2 != "160.25" { print; exit 1 }' >/dev/null || fail "every column: a month does not spend 160.25"

# --- pledge steps and one-off sums --------------------------------------------------------
# month first..last | total paid each of those months
check_months() {
    month_sums | awk -v a="$1" -v b="$2" -v want="$3" '$1 >= a && $1 <= b && $2 != want { bad = 1 } END { exit bad }' ||
        fail "$4: months $1-$2 do not pay $3: $(month_sums | tr '\n' ' ' | cut -c1-200)"
}
run 0 --plan "$CARDS" --pledge 25 --pledge-from 13:100 --schedule
check_months 1 12 183.00 "pledge raised in month 13"
check_months 13 33 258.00 "pledge raised in month 13"
# Of two steps for one month the last given wins; steps in any order.
run 0 --plan "$CARDS" --pledge-from=25:0 --pledge-from 13:50 --pledge 25 --pledge-from 13:100 --schedule
check_months 1 12 183.00 "steps"
check_months 13 24 258.00 "steps"
check_months 25 40 158.00 "steps"
run 0 --plan "$CARDS" --pledge 25 --extra-in 4:1000 --extra-in 6:10 --extra-in 6:5 --schedule
check_months 1 3 183.00 "one-off sum"
check_months 4 4 1183.00 "one-off sum"
check_months 5 5 183.00 "one-off sum"
check_months 6 6 198.00 "one-off sums of one month"
run 0 --plan "$CARDS" --pledge 25 --extra-in 4:1000
[ "$(value months)" -lt 57 ] || fail "one-off sum: no sooner"

# --- calendar months ------------------------------------------------------------------------
run 0 --plan "$CARDS" --pledge 25
grep -q '^debt_free' "$OUT" && fail "debt_free without --start"
run 0 --plan "$CARDS" --pledge 25 --start 2026-01
[ "$(value debt_free)" = "2030-09" ] || fail "debt_free: $(value debt_free)" # month 57
[ "$(sed -n 2p "$OUT")" = "debt_free: 2030-09" ] || fail "debt_free is not the line after months"
run 0 --plan "$CARDS" --pledge 25 --start=2025-12 --schedule
[ "$(head -1 "$OUT")" = "month,card,payment,interest,balance,date" ] || fail "date: header"
grep -qx '1,Card 5,.*,2025-12' "$OUT" || fail "date: month 1"
grep -qx '2,Card 5,.*,2026-01' "$OUT" || fail "date: month 2 in the next year"
grep -qx '57,Card 3,.*,2030-08' "$OUT" || fail "date: month 57"
awk -F, 'NR > 1 && NF != 6 { exit 1 }' "$OUT" || fail "date: a line without its date"
run 0 --plan "$CARDS" --pledge 25 --schedule
awk -F, 'NF != 5 { exit 1 }' "$OUT" || fail "no --start: a date column"

# --- the pledge needed by a month: X ends within MONTHS, X - 0.01 does not ------------------
# FILE MONTHS [options...]
check_minimal() {
    file=$1
    months=$2
    shift 2
    run 0 --plan "$file" --by "$months" "$@"
    x=$(value pledge_needed)
    [ "$(head -1 "$OUT")" = "pledge_needed: $x" ] || fail "--by $months: pledge_needed is not the first line"
    got=$(value months)
    [ -n "$x" ] && [ "$got" -le "$months" ] || fail "--by $months $*: pledge $x ends in month $got"
    sed 1d "$OUT" >"$WORK/by"
    run 0 --plan "$file" --pledge "$x" "$@"
    cmp -s "$OUT" "$WORK/by" || fail "--by $months $*: not the plan with --pledge $x"
    [ "$x" = "0.00" ] && return
    less=$(less_a_cent "$x")
    "$TOOL" --plan "$file" --pledge "$less" "$@" >"$OUT" 2>"$ERR"
    status=$?
    [ "$status" -eq 3 ] || [ "$(value months)" -gt "$months" ] ||
        fail "--by $months $*: $less (a cent less than $x) ends in month $(value months) too"
}
check_minimal "$CARDS" 36
check_minimal "$CARDS" 24 --order balance
check_minimal "$CARDS" 12 --order given --start 2026-01
check_minimal "$CARDS" 1
check_minimal "$CARDS" 30 --pledge-from 13:100 --extra-in 6:500
check_minimal "$WORK/all.csv" 20
check_minimal "$WORK/all.csv" 30 --order given
check_minimal "$CARDS" 200 # needs none
run 0 --plan "$CARDS" --by 200 --pledge 500
[ "$(head -1 "$OUT")" = "pledge_needed: 0.00" ] || fail "--by: no pledge needed, whatever --pledge says"
[ "$(value months)" = "$(
    "$TOOL" --plan "$CARDS" | sed -n 's/^months: //p'
)" ] || fail "--by: the plan with pledge 0"
# A plan that never ends without a pledge can still meet a month.
printf 'name,apr,balance,payment\nStuck,17.9,2100,20\n' >"$WORK/stuck.csv"
check_minimal "$WORK/stuck.csv" 60
# With --schedule the pledge goes to standard error, the CSV to standard output.
run 0 --plan "$CARDS" --by 36 --schedule --start 2026-01
[ "$(cat "$ERR")" = "pledge_needed: 91.95" ] || fail "--by --schedule: stderr $(cat "$ERR")"
[ "$(head -1 "$OUT")" = "month,card,payment,interest,balance,date" ] || fail "--by --schedule: header"
[ "$(tail -1 "$OUT" | cut -d, -f1)" = 36 ] || fail "--by --schedule: last month"
# No pledge can do it when a step sets the pledge from month 1 on.
run 3 --plan "$CARDS" --by 36 --pledge-from 1:5
grep -q '^error: no pledge can pay the plan off within 36 months' "$ERR" || fail "--by impossible: $(cat "$ERR")"
[ -s "$OUT" ] && fail "--by impossible: printed on stdout"

# --- plan files: optional columns' faults name the line and the column ----------------------
check_file() {
    printf "$2" >"$WORK/bad.csv"
    run 2 --plan "$WORK/bad.csv"
    grep -q "bad.csv line $3: .*$4" "$ERR" || fail "$1: $(cat "$ERR")"
    [ -s "$OUT" ] && fail "$1: printed on stdout"
}
check_file "promo_apr alone" 'name,apr,balance,payment,promo_apr\nA,10,100,10,0\n' 1 promo_months
check_file "promo_months empty" 'name,apr,balance,payment,promo_apr,promo_months\nA,10,100,10,0,\n' 2 promo
check_file "unknown column" 'name,apr,balance,payment,fee\nA,10,100,10,5\n' 1 fee
check_file "APR 100" 'name,apr,balance,payment\nA,100,100,10\n' 2 'apr.*99.99'
check_file "promo APR 100" 'name,apr,balance,payment,promo_apr,promo_months\nA,10,100,10,100,3\n' 2 promo_apr
check_file "percent above 100" 'name,apr,balance,payment,min_percent\nA,10,100,,101\n' 2 min_percent
check_file "plus interest maybe" 'name,apr,balance,payment,min_floor,min_plus_interest\nA,10,100,,5,maybe\n' 2 min_plus_interest
check_file "empty payment, no rule" 'name,apr,balance,payment,min_floor\nA,10,100,,\n' 2 payment
check_file "months not whole" 'name,apr,balance,payment,promo_apr,promo_months\nA,10,100,10,0,1.5\n' 2 promo_months
# APRs up to 99.99 are worked at the rate given: $100 at 99.99 % charges 8.33.
printf 'name,apr,balance,payment\nHigh,99.99,100,50\n' >"$WORK/high.csv"
run 0 --plan "$WORK/high.csv" --schedule
grep -qx '1,High,50.00,8.33,58.33' "$OUT" || fail "APR 99.99: $(sed -n 2p "$OUT")"
[ -s "$ERR" ] && fail "APR 99.99: stderr $(cat "$ERR")"

finish "plan option"
