#!/bin/sh
# Drives quenmark-payoff (its path is $1) and checks exit statuses and the
# exact lines it prints. Exits non-zero on the first failure.
set -u
TOOL=${1:?usage: test_payoff_tool.sh PATH-TO-quenmark-payoff}
. "$(dirname "$0")/lib.sh"

no_bad_numbers() {
    if grep -qi 'nan\|inf' "$OUT" "$ERR"; then fail "$1: non-finite text printed"; fi
}

# --- the payoff calculator: six lines -------------------------------------------------
run 0 17.9 2100 53
printf 'months: 183\nyears: 15\nextra_months: 3\ninterest: 2,487.89\npaid: 4,587.89\naverage: 25.07\n' >"$EXPECTED"
same_output "running example"
[ -s "$ERR" ] && fail "running example: stderr not empty"

run 0 0 2100 58.33
printf 'months: 37\nyears: 3\nextra_months: 1\ninterest: 0.00\npaid: 2,100.00\naverage: 56.76\n' >"$EXPECTED"
same_output "no interest, suggested payment"

# Amounts as people type them.
run 0 '17.9%' '$2,100.00' '$53'
printf 'months: 183\nyears: 15\nextra_months: 3\ninterest: 2,487.89\npaid: 4,587.89\naverage: 25.07\n' >"$EXPECTED"
same_output "typed amounts"

# --- corrections and rejections -------------------------------------------------------
run 0 45 2100 60
printf 'The Annual Percentage Rate you entered of 45.00%% is too high.\n\nThe Annual Percentage Rate will automatically be adjusted to 30.00%%.\n' >"$WORK/apr"
cmp -s "$ERR" "$WORK/apr" || fail "APR 45: information message differs"
grep -q '^months: ' "$OUT" || fail "APR 45: did not run with 30"

run 3 17.9 2100 20
printf "There's a problem with the payment you entered.\n\n\$20.00 is too low and will never pay off this debt.  It will automatically be adjusted to \$34.00.\n" >"$WORK/pay"
cmp -s "$ERR" "$WORK/pay" || fail "payment 20: error message differs"
[ -s "$OUT" ] && fail "payment 20: printed results"

run 3 0 2100 0
grep -q '^\$0.00 is too low.*adjusted to \$58.33\.$' "$ERR" || fail "APR 0: no suggested payment"
[ -s "$OUT" ] && fail "APR 0 payment 0: printed results"

# --- the extra-money comparison -------------------------------------------------------
run 0 --compare --extra 5 17.9 2100 53
cat >"$EXPECTED" <<'LINES'
without.months: 183
without.years: 15
without.extra_months: 3
without.interest: 2,487.89
without.paid: 4,587.89
with.months: 124
with.years: 10
with.extra_months: 4
with.interest: 1,763.36
with.paid: 3,863.36
saved: 724.53
LINES
same_output "compare, card"

run 0 --loan --extra 5 --compare 17.9 2100 53
cat >"$EXPECTED" <<'LINES'
without.months: 61
without.years: 5
without.extra_months: 1
without.interest: 1,100.63
without.paid: 3,200.63
with.months: 53
with.years: 4
with.extra_months: 5
with.interest: 942.66
with.paid: 3,042.66
saved: 157.97
LINES
same_output "compare, loan"

for n in 5 10 15 20 25 50 75 100 250 500 1000; do
    run 0 --compare --extra "$n" 19.8 1543.68 32
done
run 0 --compare --extra 20 19.8 1543.68 32
grep -qx 'with.interest: 789.72' "$OUT" || fail "card 1 with \$20: interest differs"

# --- schedules ------------------------------------------------------------------------
run 0 --schedule 17.9 2100 53
[ "$(sed -n 1p "$OUT")" = "month,balance,payment,interest,principal,new_balance" ] || fail "schedule: header"
[ "$(sed -n 2p "$OUT")" = "1,2100.00,53.00,31.33,21.67,2078.33" ] || fail "schedule: month 1"
[ "$(sed -n 3p "$OUT")" = "2,2078.33,52.00,31.00,21.00,2057.33" ] || fail "schedule: month 2"
[ "$(wc -l <"$OUT")" -eq 184 ] || fail "schedule: not 183 months"
tail -n 1 "$OUT" | grep -q '^183,.*,0.00$' || fail "schedule: last month does not end at 0.00"
run 0 --schedule 19.26 636.38 13.78
tail -n 1 "$OUT" | grep -qx '72,14.76,15.00,0.24,14.76,0.00' || fail "schedule: a month of 0.00 after the card is paid off"
grep -q ',.*,.*,.*,.*,.*,' "$OUT" && fail "schedule: grouped amounts"

run 0 --schedule --compare --extra 5 17.9 2100 53
[ "$(wc -l <"$OUT")" -eq 125 ] || fail "compare schedule: not the 124 months with extra"
[ "$(sed -n 2p "$OUT")" = "1,2100.00,58.00,31.33,26.67,2073.33" ] || fail "compare schedule: month 1"

run 0 --schedule 0 100 30
printf 'month,balance,payment,interest,principal,new_balance\n1,100.00,30.00,0.00,30.00,70.00\n2,70.00,30.00,0.00,30.00,40.00\n3,40.00,30.00,0.00,30.00,10.00\n4,10.00,10.00,0.00,10.00,0.00\n' >"$EXPECTED"
same_output "no-interest schedule"

# --- help, version, malformed arguments -----------------------------------------------
run 0 --help
grep -q '^usage: quenmark-payoff' "$OUT" || fail "--help: no usage"
run 0 --version
grep -qx 'quenmark-payoff [0-9][0-9.]*' "$OUT" || fail "--version"

for args in "" "17.9" "17.9 2100" "17.9 2100 53 1" "--bogus 17.9 2100 53" "-x 17.9 2100 53" \
    "--compare --extra 7 17.9 2100 53" "--compare --extra 17.9 2100 53" "--compare 17.9 2100 53 --extra" \
    "--extra 5 17.9 2100 53" "--loan 17.9 2100 53" "--compare --extra=abc 17.9 2100 53" \
    "--compare --extra -5 17.9 2100 53"; do
    # shellcheck disable=SC2086
    run 2 $args
    [ "$(wc -l <"$ERR")" -eq 1 ] || fail "'$args': not one line on stderr"
    grep -q '^usage: quenmark-payoff' "$ERR" || fail "'$args': no usage line"
    [ -s "$OUT" ] && fail "'$args': printed on stdout"
done
run 0 --compare --extra=10 17.9 2100 53
run 0 -- 17.9 2100 53

# --- odd amounts: always a finite result, never a crash -------------------------------
LONG=$(printf '%01000d' 9)
for args in "abc 1e999 nan" "inf -inf 1e-999" "1e300 1e300 1e300" "30.005 2100 55" "$LONG $LONG $LONG" \
    "0 0 0" "-5 -5 -5" "17.9 10 10" "30 100000 2601"; do
    # shellcheck disable=SC2086
    "$TOOL" $args >"$OUT" 2>"$ERR"
    status=$?
    [ "$status" -eq 0 ] || [ "$status" -eq 3 ] || fail "'$args': exit status $status"
    no_bad_numbers "$args"
done
run 3 0 1e300 0.01
grep -q 'adjusted to \$465.67\.$' "$ERR" || fail "largest balance at APR 0: payment not raised to a countable one"
run 0 0 1e300 465.67
grep -qx 'months: 2,147,443,469' "$OUT" || fail "largest balance at APR 0: month count"
run 0 --compare 30 1e300 1e300
no_bad_numbers "largest amounts compared"

finish "tool"
