#!/usr/bin/env python3
"""Hostile inputs for quenmark-payoff: plan files (sound ones and damaged ones),
option values, disclosure and calculator amounts, run on a build of the tool
(best the sanitizer build). Not part of the test suite; run it on demand:

    tools/payoff/fuzz.py build-san/quenmark-payoff [--runs 3000] [--seed 1]

Each run is classed as
  crashed  a signal, an exit status other than 0-3, or a sanitizer report;
  hung     not finished within the time limit;
  wrong    a broken promise: control characters or nan/inf printed, a sound
           file or sound options refused, a refusal that does not name its
           option or line, a schedule whose rows do not add up or whose sums
           differ from the summary, a pledge_needed that is not the least;
  lost     a card of a sound file missing from the output, or its name changed
           (cut short at a NUL, say).
The first few inputs of each kind are kept in --keep DIR to be replayed.
"""
import argparse
import os
import random
import re
import subprocess
import sys
import tempfile

TIME_LIMIT = 30
OPTIONAL = ["promo_apr", "promo_months", "min_percent", "min_floor", "min_plus_interest"]
HOSTILE = ["nan", "inf", "-5", "1e999", "1e3", "0x10", "9" * 70, "1" * 1000, "\u0663\u0664", "1.234,56",
           "12.345", "25O", "", " ", "$", "%", "1,2", "+5", "100", "99.995", "999999999999.99",
           "1000000000000", "\x00", "\x1b[2J", "\"", "\"\"", ",", "\r", "yes", "maybe", "-0", "0:0", ":", "13:"]
ARG_HOSTILE = [h for h in HOSTILE if "\x00" not in h]  # a NUL cannot be passed in an argument
NAMES = ["Visa", "Card, with comma", "Quote \"q\"", "\x1b]0;title\x07Esc\x1b[2J", "AB\x00CD", "Del\x7f",
         "C1\u009b", "Bidi\u202ex", "caf\u00e9 \u2603", "=SUM(A1)", "@x", "-5 card", "\u00e9" * 200, "  spaced  "]


def printable(data: bytes) -> bytes:
    """The tool's PrintableText: control characters, reordering characters and
    bytes outside valid UTF-8 become U+FFFD."""
    out, i = bytearray(), 0
    rep = "\ufffd".encode()
    while i < len(data):
        b = data[i]
        if b < 0x80:
            out += rep if b < 0x20 or b == 0x7F else bytes([b])
            i += 1
            continue
        n = 4 if 0xF0 <= b <= 0xF4 else 3 if 0xE0 <= b <= 0xEF else 2 if 0xC2 <= b <= 0xDF else 0
        try:
            ch = data[i:i + n].decode("utf-8") if n and i + n <= len(data) else None
        except UnicodeDecodeError:
            ch = None
        if ch is None or len(ch) != 1:
            out += rep
            i += 1
            continue
        cp = ord(ch)
        out += rep if cp <= 0x9F or 0x202A <= cp <= 0x202E or 0x2066 <= cp <= 0x2069 else data[i:i + n]
        i += n
    return bytes(out)


def field(text: str) -> str:
    return '"' + text.replace('"', '""') + '"'


def money(rng):
    return rng.choice(["%d" % rng.randint(0, 5000), "%d.%02d" % (rng.randint(0, 20000), rng.randint(0, 99)),
                       "$%s" % format(rng.randint(0, 99999), ","), "0"])


def sound_plan(rng):
    """A plan file every field of which is sound: (bytes, names as bytes)."""
    columns = ["name", "apr", "balance", "payment"]
    if rng.random() < 0.5:
        columns += ["promo_apr", "promo_months"]
    if rng.random() < 0.5:
        columns += ["min_percent", "min_floor", "min_plus_interest"]
    rng.shuffle(columns)
    lines, names = [",".join(columns)], []
    for k in range(rng.randint(1, 8)):
        # Unique names, so that the schedule's rows can be told apart.
        name = (rng.choice(NAMES)[:190] if rng.random() < 0.5 else "Card") + " %d" % k
        names.append(name.encode())
        rule = rng.random() < 0.5
        values = {
            "name": field(name),
            "apr": "%d.%02d" % (rng.randint(0, 99), rng.randint(0, 99)),
            "balance": field(money(rng)),
            "payment": "" if rule and "min_percent" in columns and rng.random() < 0.5 else field(money(rng)),
            "promo_apr": "", "promo_months": "", "min_percent": "", "min_floor": "", "min_plus_interest": "",
        }
        if "promo_apr" in columns and rng.random() < 0.6:
            values["promo_apr"] = rng.choice(["0", "3.99", "9.9"])
            values["promo_months"] = str(rng.randint(0, 24))
        if "min_percent" in columns and (rule or values["payment"] == ""):
            values["min_percent"] = rng.choice(["1", "2", "3.5", "0"])
            values["min_floor"] = rng.choice(["25", "15", "0", "", field("$1,000")])
            values["min_plus_interest"] = rng.choice(["yes", "no", "1", "0", ""])
        lines.append(",".join(values[c] for c in columns))
    return ("\n".join(lines) + "\n").encode(), names


def damage(rng, data: bytes) -> bytes:
    data = bytearray(data)
    for _ in range(rng.randint(1, 4)):
        kind = rng.random()
        at = rng.randint(0, len(data))
        if kind < 0.3:
            data[at:at] = rng.choice(HOSTILE).encode()
        elif kind < 0.5 and data:
            del data[at:at + rng.randint(1, 5)]
        elif kind < 0.7:
            data[at:at] = bytes([rng.randint(0, 255)])
        elif kind < 0.8:
            data[at:at] = b"," * rng.choice([1, 3, 100, 100000])
        elif kind < 0.9:
            data[at:at] = b"\n" + bytes(rng.choice(NAMES).encode()) + b"," * rng.randint(0, 9) + b"\n"
        else:
            data[at:at] = b"x" * rng.choice([201, 5000, 1000000])
    return bytes(data)


def sound_options(rng):
    opts = []
    if rng.random() < 0.6:
        opts += ["--pledge", money(rng)]
    for _ in range(rng.randint(0, 3)):
        opts += [rng.choice(["--pledge-from", "--extra-in"]), "%d:%s" % (rng.randint(1, 1200), money(rng))]
    if rng.random() < 0.4:
        opts += ["--start", "%04d-%02d" % (rng.randint(1000, 9899), rng.randint(1, 12))]
    if rng.random() < 0.3:
        opts += ["--by", str(rng.randint(1, 1200))]
    if rng.random() < 0.5:
        opts += ["--order", rng.choice(["apr", "balance", "given"])]
    if rng.random() < 0.3:
        opts += ["--schedule"]
    return opts


def bad_options(rng):
    opts = sound_options(rng)
    option = rng.choice(["--pledge", "--pledge-from", "--extra-in", "--start", "--by", "--order"])
    value = rng.choice(ARG_HOSTILE + ["13", "0:50", "2026-13", "x:5", "13:abc", "1201", "0"])
    if option in ("--pledge-from", "--extra-in") and rng.random() < 0.5:
        value = "%d:%s" % (rng.randint(1, 1200), rng.choice(ARG_HOSTILE))
    return opts + [option, value], option


def cents(text: str) -> int:
    return int(text.replace(",", "").replace(".", ""))


def run(tool, args, stdin=None):
    try:
        p = subprocess.run([tool] + args, input=stdin, capture_output=True, timeout=TIME_LIMIT)
        return p.returncode, p.stdout, p.stderr
    except subprocess.TimeoutExpired:
        return None, b"", b""


CONTROL = re.compile(rb"[\x00-\x09\x0b-\x1f\x7f]|\xc2[\x80-\x9f]|\xe2\x80[\xaa-\xae]|\xe2\x81[\xa6-\xa9]")


def figures(stream, args):
    """The output without what it quotes: card names (a card may be called
    "inf") and values given (a message quotes the "nan" it refuses)."""
    lines = []
    for line in stream.split(b"\n"):
        payoff = re.match(rb"(payoff\.\d+: \d+) ", line)
        if payoff:
            line = payoff.group(1)
        elif "--schedule" in args and line[:1].isdigit() and b"," in line:
            line = line.split(b",", 1)[0] + b"," + b",".join(line.rsplit(b",", 4 if "--start" in args else 3)[1:])
        elif b"is not paid off" in line:
            line = b""
        lines.append(re.sub(rb'"[^"\n]*"', b"", line))
    return b"\n".join(lines)


def judge(tool, args, status, out, err, sound, names, option):
    """(class, why) of one finished run."""
    if status is None:
        return "hung", ""
    if status < 0 or status > 3 or b"Sanitizer" in err or b"runtime error" in err:
        return "crashed", "status %s %s" % (status, err[-300:])
    for stream in (out, err):
        if CONTROL.search(stream.replace(b"\n\n", b"\n")):
            return "wrong", "a control character printed"
        if re.search(rb"\b(nan|inf)\b", figures(stream, args), re.I):
            return "wrong", "nan or inf printed"
        try:
            stream.decode("utf-8")
        except UnicodeDecodeError:
            return "wrong", "output not UTF-8"
    if status == 1:
        return "wrong", "exit 1 with stdout open"
    if status == 2:
        if out:
            return "wrong", "refused but printed on stdout"
        if sound:
            return "wrong", "a sound input refused: " + err.decode(errors="replace")[:200]
        if option and not err.startswith(b"error: " + option.encode()):
            return "wrong", "refusal does not name " + option
        if not (err.startswith(b"error: ") or err.startswith(b"usage: ")):
            return "wrong", "refusal without a message"
        return "ok", ""
    if status == 2 and "--plan" in args and option is None and b" line " not in err:
        return "wrong", "a damaged file refused without naming the line"
    if status == 3:
        return ("wrong", "exit 3 but printed on stdout") if out else ("ok", "")
    if "--plan" not in args or not sound:
        return "ok", ""
    try:
        return judge_plan(tool, args, out, names)
    except (KeyError, ValueError, IndexError) as e:
        return "wrong", "output not as documented (%r)" % e


def judge_plan(tool, args, out, names):
    """A sound plan that ended: every card, whole names, sums that agree."""
    text = out
    if "--schedule" in args:
        rows = out.split(b"\n")[1:-1]
        last, interest, paid = {}, 0, 0
        for row in rows:
            if "--start" in args:
                row = row.rsplit(b",", 1)[0]
            head, pay, intr, bal = row.rsplit(b",", 3)
            card = head.split(b",", 1)[1]
            pay, intr, bal = cents(pay.decode()), cents(intr.decode()), cents(bal.decode())
            if card in last and last[card] + intr - pay != bal:
                return "wrong", "a schedule row does not add up: " + row.decode(errors="replace")[:100]
            last[card] = bal
            interest += intr
            paid += pay
        summary_args = [a for a in args if a != "--schedule"]
        s_status, text, _ = run(tool, summary_args, None)
        if s_status != 0:
            return "wrong", "the summary of a plan whose schedule was printed: status %s" % s_status
        keys = dict(line.split(b": ", 1) for line in text.split(b"\n") if b": " in line)
        if cents(keys[b"interest"].decode()) != interest or cents(keys[b"paid"].decode()) != paid:
            return "wrong", "schedule sums differ from the summary"
    keys = [line.split(b": ", 1) for line in text.split(b"\n") if b": " in line]
    payoff = [v for k, v in keys if k.startswith(b"payoff.")]
    printed = sorted(v.split(b" ", 1)[1] for v in payoff)
    wanted = sorted(printable(n) for n in names)
    if len(printed) != len(names):
        return "lost", "%d cards printed of %d" % (len(printed), len(names))
    if printed != wanted:
        return "lost", "names changed: %r" % (set(wanted) ^ set(printed))
    if "--by" in args and b"pledge_needed" in text:
        by = int(args[args.index("--by") + 1])
        x = cents(dict(keys)[b"pledge_needed"].decode())
        if x > 0:
            # The same plan with a cent less as --pledge, instead of --by.
            less, i = [], 0
            while i < len(args):
                if args[i] in ("--pledge", "--by"):
                    i += 2
                    continue
                if args[i] != "--schedule":
                    less.append(args[i])
                i += 1
            less += ["--pledge", "%d.%02d" % ((x - 1) // 100, (x - 1) % 100)]
            l_status, l_out, _ = run(tool, less, None)
            months = re.search(rb"^months: (\d+)", l_out, re.M)
            if l_status == 0 and months and int(months.group(1)) <= by:
                return "wrong", "pledge_needed less a cent also ends within --by"
    return "ok", ""


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("tool")
    ap.add_argument("--runs", type=int, default=3000)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--keep", default="fuzz-findings")
    a = ap.parse_args()
    rng = random.Random(a.seed)
    counts = {k: 0 for k in ("ok", "crashed", "hung", "wrong", "lost")}
    work = tempfile.mkdtemp()
    plan_path = os.path.join(work, "plan.csv")
    for n in range(a.runs):
        kind = rng.random()
        sound, names, option, stdin = False, [], None, None
        if kind < 0.65:
            data, names = sound_plan(rng)
            sound = rng.random() < 0.5
            if not sound:
                data = damage(rng, data)
            if sound and rng.random() < 0.3:
                args, option = bad_options(rng)
                sound = False
            else:
                args = sound_options(rng)
            with open(plan_path, "wb") as f:
                f.write(data)
            args = ["--plan", plan_path] + args
        elif kind < 0.85:
            args = ["--disclosure"] + [rng.choice(ARG_HOSTILE + [money(rng), "%d.%d" % (rng.randint(0, 120),
                                                                                         rng.randint(0, 9))])
                                       for _ in range(3)]
        else:
            args = rng.choice([[], ["--compare"], ["--schedule"], ["--compare", "--loan"]]) + \
                [rng.choice(ARG_HOSTILE + [money(rng)]) for _ in range(3)]
            if "--schedule" in args:
                args = ["--schedule", "17.9", rng.choice(["2100", "1e300"]), money(rng)]
        status, out, err = run(a.tool, args, stdin)
        verdict, why = judge(a.tool, args, status, out, err, sound, names, option)
        counts[verdict] += 1
        if verdict != "ok":
            os.makedirs(a.keep, exist_ok=True)
            if counts[verdict] <= 5:
                with open(os.path.join(a.keep, "%s-%d.txt" % (verdict, n)), "w") as f:
                    f.write("%s\nargs: %r\n" % (why, args))
                if args[:1] == ["--plan"]:
                    with open(os.path.join(a.keep, "%s-%d.csv" % (verdict, n)), "wb") as f, open(plan_path, "rb") as g:
                        f.write(g.read())
            print("%s run %d: %s %r" % (verdict, n, why, [x[:60] for x in args]), file=sys.stderr)
    tried = sum(counts.values())
    print("tried %d  crashed %d  hung %d  wrong %d  lost %d" %
          (tried, counts["crashed"], counts["hung"], counts["wrong"], counts["lost"]))
    return 1 if tried != counts["ok"] else 0


if __name__ == "__main__":
    sys.exit(main())
