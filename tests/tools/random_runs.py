#!/usr/bin/env python3
"""Seeded random start directories, run through the batch mode and digested.

Each case is a complete start directory (exchange file, settings, basic-settings
patterns, preset 1, memo) made from a seed and the case index alone, so a run of
--count N is always a prefix of a longer run with the same seed. For every case the
program runs as

    quillet --batch --preset 1 --memo memo.txt --now <seeded time> [MODE]

and one line is printed: index, exit status, sha256 of jwc_temp.txt as written back,
sha256 of all other files left in the directory. The digests of a recorded run lock
the program's output byte for byte, so a rework can show that it changes nothing.

    random_runs.py --exe PATH --seed S --count N [--keep DIR] [--jobs J] [--stats]
    random_runs.py --exe PATH --seed S --count N --compare FILE
    random_runs.py --seed S --count N --keep DIR --make-only

--make-only writes the start directories without running anything, each with two
more files that say how it would be run: `mode` (the mode argument, empty for none)
and `now` (the --now time). The output-run benchmark reads such directories.

The generator uses its own pseudo-random numbers and only correctly rounded float
operations (+, *, /, sqrt; no trigonometry), so the same seed gives the same bytes on
every Python and platform. Changing anything in how cases are generated invalidates recorded digests.
"""

import argparse
import collections
import hashlib
import math
import os
import shutil
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

MASK64 = (1 << 64) - 1


class Rng:
    """SplitMix64: tiny, and its sequence does not depend on the Python version."""

    def __init__(self, key):
        self.state = int.from_bytes(hashlib.sha256(key.encode()).digest()[:8], "little")

    def next64(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & MASK64
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & MASK64
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & MASK64
        return z ^ (z >> 31)

    def below(self, n):
        return self.next64() % n

    def int(self, lo, hi):
        return lo + self.below(hi - lo + 1)

    def pick(self, seq):
        return seq[self.below(len(seq))]

    def weighted(self, pairs):
        total = sum(w for _, w in pairs)
        r = self.below(total)
        for value, w in pairs:
            if r < w:
                return value
            r -= w
        raise AssertionError

    def chance(self, percent):
        return self.below(100) < percent


def dec(value, places=3):
    """A coordinate or size as Jw_cad would print it: rounded, no trailing zeros."""
    text = "%.*f" % (places, value)
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def sjis(text):
    return text.encode("cp932")


def crlf_file(lines):
    return b"".join(sjis(line) + b"\r\n" for line in lines)


HEX = "0123456789abcdef"
SCALES = ["1", "2", "5", "10", "20", "25", "30", "50", "100", "150", "200", "250",
          "300", "500", "1000", "0.5", "1.5", "2.5", "12.3", "60", "3"]
SIZES = ["1", "1.5", "2", "2.5", "3", "3.5", "4", "5", "6", "7", "7.5", "8", "9", "10"]
SPACINGS = ["0", "0", "0.25", "0.5", "0.5", "1", "1.5"]
FONTS = ["ＭＳ ゴシック", "ＭＳ 明朝", "ＭＳ Ｐゴシック", "Arial", "ＭＳ ゴシック", "ＭＳ 明朝"]
VERTICAL_FONTS = ["@ＭＳ ゴシック", "@ＭＳ 明朝", "@ＭＳ Ｐ明朝"]

JAPANESE = ["防水", "要確認", "開口部", "天井高", "コンクリート打放し", "外壁：吹付タイル",
            "仕上げ：クロス張り", "床：フローリング", "巾木", "石膏ボード", "鉄骨梁", "既存",
            "撤去", "表示", "造作家具", "排水勾配", "点検口", "ｺﾝｸﾘｰﾄ", "ｽﾘｰﾌﾞ", "断熱材",
            "屋根：ガルバリウム鋼板", "ＧＬ＋５００", "注）現場合せ", "45°の注記", "φ１００"]
ASCII = ["GL+500", "W=900", "CH=2400", "H=1200", "t=12.5", "@300", "2-D13", "FL-50",
         "PS", "EPS", "SUS304", "R=150", "1/100", "A-A'", "No.3", "(N)", "x"]
WIDTH_CODES = ["^u", "^d", "^c", "^B", "^o", "^b", "^3", "^5", "^1"]
DOLLAR1 = ["$1図番=F", "$1_ma/_wa", "$1=f 改訂", "$1作成=f", "$1%F", "$1ABC&f", "$1$y", "$1_F"]
DOLLAR2 = ["$2作成%y/%m/%d", "$2&F", "$2$h時$M分", "$2_ma _wa", "$2%Y年", "$2$N$h時",
           "$2&w曜日", "$2=f", "$2作成$y年$m月$d日", "$2%H:%M:%S", "$2&n$h", "$2_F 確認"]

MODES = ["", "T1", "T2", "T3", "T4", "T5"]
# The eight directions, then a few exact diagonals and near-axis slants.
DIRECTIONS = [(1, 0), (1, 1), (0, 1), (-1, 1), (-1, 0), (-1, -1), (0, -1), (1, -1)]


def cut_to_bytes(text, limit):
    while len(sjis(text)) > limit:
        text = text[:-1]
    return text


def memo_word(rng):
    return rng.pick(JAPANESE) if rng.chance(60) else rng.pick(ASCII)


def memo_line(rng, embedded):
    kind = rng.weighted([("plain", 60), ("codes", 12), ("dollar", 18 if embedded else 8),
                         ("tilde", 4), ("empty", 2), ("long", 4)])
    if kind == "empty":
        return ""
    if kind == "tilde":
        return "~~" + memo_word(rng)
    if kind == "dollar":
        return rng.pick(DOLLAR1 if rng.chance(50) else DOLLAR2)
    if kind == "long":
        return cut_to_bytes("".join(memo_word(rng) for _ in range(12)), rng.int(40, 70))
    words = [memo_word(rng) for _ in range(rng.int(1, 3))]
    if kind == "codes":
        at = rng.below(len(words) + 1)
        words.insert(at, rng.pick(WIDTH_CODES))
    return cut_to_bytes(rng.pick(["", " ", "・"]).join(words), 70)


def make_memo(rng, embedded, record_texts):
    if record_texts and rng.chance(70):
        return record_texts[:5]
    return [memo_line(rng, embedded) for _ in range(rng.int(1, 5))]


def offset(rng, unit, near):
    """A vector of a paper length in one of the eight directions, sometimes slanted."""
    ux, uy = rng.pick(DIRECTIONS)
    if near:
        length = rng.pick([0.0, 0.0, 0.001, 0.05, 0.3, 1.0])
    else:
        length = rng.pick([3, 5, 8, 10, 15, 20, 30, 45, 60, 80]) + rng.below(1000) / 1000
    dx, dy = ux * length * unit, uy * length * unit
    slant = rng.weighted([("none", 55), ("little", 20), ("free", 25)])
    if slant == "little":
        dx += rng.int(-3, 3) * unit / 100
        dy += rng.int(-3, 3) * unit / 100
    elif slant == "free":
        dx = rng.int(-90, 90) * length * unit / 90
        dy = rng.int(-90, 90) * length * unit / 90
    return dx, dy


def point_line(name, x, y, rng, places):
    return name + " " * rng.int(1, 3) + dec(x, places) + " " + dec(y, places)


def size_line(keyword, rng, values):
    tokens = list(values) if rng.chance(50) else [rng.pick(SIZES) for _ in range(10)]
    return keyword + " " + " ".join(tokens) + (" " if rng.chance(15) else "")


def text_kind_line(rng, free_percent):
    if rng.chance(free_percent):
        return "cn0 %s %s %s %d" % (rng.pick(SIZES), rng.pick(SIZES), rng.pick(SPACINGS), rng.int(1, 8))
    return "cn%d" % rng.int(1, 10)


def font_line(rng):
    if rng.chance(15):
        return "#"
    return 'cn"$<' + (rng.pick(VERTICAL_FONTS) if rng.chance(20) else rng.pick(FONTS)) + ">"


def text_records(rng, scale_of):
    """State lines and text records of the texts the user selected (T1, T2, T3)."""
    lines, texts = [], []
    group = rng.below(16)
    for block in range(rng.int(1, 3)):
        if rng.chance(75 if block == 0 else 50):
            group = rng.below(16)
            lines.append("lg" + HEX[group])
        if rng.chance(60):
            lines.append("ly" + HEX[rng.below(16)])
        if rng.chance(40):
            lines.append("lc%d" % rng.int(1, 8))
        if rng.chance(10):
            lines.append(font_line(rng))
        kind = text_kind_line(rng, 25)
        lines.append(kind)
        if rng.chance(60):
            lines.append("cc%d" % rng.below(9))
        if kind.startswith("cn0"):
            width, spacing = float(kind.split()[1]), float(kind.split()[3])
        else:
            width, spacing = 4.0, 0.5
        unit = scale_of(group)
        for _ in range(rng.int(1, 3)):
            text = memo_word(rng) if rng.chance(70) else memo_word(rng) + memo_word(rng)
            length = len(sjis(text)) * (width / 2 + spacing / 2) * unit
            ux, uy = rng.pick(DIRECTIONS)
            if rng.chance(15):
                ux, uy = rng.int(-4, 4), rng.int(-4, 4)
                if ux == 0 and uy == 0:
                    ux = 1
            norm = math.sqrt(ux * ux + uy * uy)
            dx, dy = ux * length / norm, uy * length / norm
            x, y = rng.int(-3000, 9000) * unit / 10, rng.int(-3000, 9000) * unit / 10
            record = rng.weighted([("ch", 88), ("cv", 3), ("cs", 3), ("c2", 3), ("cr", 3)])
            lines.append("%s %s %s %s %s \"%s" % (record, dec(x), dec(y), dec(dx, 9), dec(dy, 9), text))
            texts.append(text)
    return lines, texts


def make_case(seed, index):
    """One start directory as {file name: bytes}, with its mode and time."""
    rng = Rng("quillet-random-runs:%s:%d" % (seed, index))
    mode = rng.weighted([("", 26), ("T1", 6), ("T2", 16), ("T3", 16), ("T4", 16), ("T5", 20)])

    scales = [rng.pick(SCALES) for _ in range(16)]
    if rng.chance(5):
        scales[rng.below(16)] = ""  # two blanks in a row: an empty token
    group = rng.below(16)
    group_text = HEX[group].upper() if rng.chance(15) else HEX[group]
    unit = float(scales[group] or "100")

    def scale_of(g):
        return float(scales[g] or "100")

    head = ["hq", "hk 0", "hs " + " ".join(scales),
            size_line("hcw", rng, ["2", "2.5", "3", "4", "5", "6", "7", "8", "9", "10"]),
            size_line("hch", rng, ["2", "2.5", "3", "4", "5", "6", "7", "8", "9", "10"]),
            "hcd " + " ".join(rng.pick(SPACINGS) if rng.chance(40) else s
                              for s in ["0", "0", "0.5", "0.5", "0.5", "0.5", "1", "1", "1", "1"]),
            "hcc      1      1      2      2      3      3      4      4      5      5",
            "hn 1250.5 -830.25 7306.10278372591 2989.07922912206"]
    state = ["lg" + group_text, "ly" + HEX[rng.below(16)], "lc%d" % rng.int(1, 8), "lt1",
             text_kind_line(rng, 20), font_line(rng)]

    places = rng.pick([0, 1, 2, 3, 6])
    x1 = rng.int(-2000, 2000) * unit / 10
    y1 = rng.int(-2000, 2000) * unit / 10
    near = rng.chance(12)
    records, record_texts = [], []
    if mode in ("", "T5"):
        dx, dy = offset(rng, unit, near)
        if mode == "T5":
            bx, by = x1 + dx, y1 + dy
            ex, ey = offset(rng, unit, rng.chance(5))
            x2, y2 = bx + ex, by + ey
        else:
            x2, y2 = x1 + dx, y1 + dy
        fx, fy = offset(rng, unit, rng.chance(8))
        points = [point_line("hp1", x1, y1, rng, places)]
        if mode == "T5":
            points.append(point_line("hp2", bx, by, rng, places))
        n = len(points) + 1
        points.append(point_line("hp%d" % n, x2, y2, rng, places))
        points.append(point_line("hp%d" % (n + 1), x2 + fx, y2 + fy, rng, places))
        exchange = head + points + state + ["#"]
    elif mode == "T4":
        fx, fy = offset(rng, unit, rng.chance(8))
        exchange = head + [point_line("hp1", x1, y1, rng, places),
                           point_line("hp2", x1 + fx, y1 + fy, rng, places)] + state + ["#"]
    else:
        records, record_texts = text_records(rng, scale_of)
        exchange = head + state + ["#"] + records

    # Preset 1 holds nearly every choice; the settings file agrees with it, as it
    # would after 設定登録, except for what only the settings file holds.
    tip, line_type, frame, attach = rng.below(8), rng.below(8), rng.below(15), rng.below(5)
    if mode in ("T2", "T3") and frame in (0, 5, 13, 14) and rng.chance(65):
        # These fold to the bare frame there, which draws nothing around the texts.
        frame = rng.pick([1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12])
    text_kind = rng.weighted([(0, 30), (rng.int(1, 10), 70)])
    ext_len, ext_mode, slide = rng.pick([0, 5, 10, 15, 20, 30, 50, 99]), rng.below(2), rng.below(7)
    embedded = 1 if rng.chance(45) else 0
    fill_custom = rng.pick([0, 12639424, 255, 8454143, rng.below(1 << 24)])
    fill_item, fill_on = rng.below(21), 1 if rng.chance(35) else 0
    switch = 1 if rng.chance(35) else 0
    font = rng.pick(VERTICAL_FONTS) if rng.chance(35) else rng.pick(FONTS)
    tilt, centre = 1 if rng.chance(35) else 0, 1 if rng.chance(30) else 0
    basic = [rng.pick([1, 2, 5, 10, 15, 20, 20, 30, 45, 60]),  # arrow length
             rng.below(9),                                     # leader colour
             rng.pick([-9, -3, 0, 0, 0, 2, 5, 10, 30, 99]),    # line spacing
             rng.below(9), rng.below(9),                       # arrow, extension colour
             rng.below(11),                                    # fill gap
             rng.pick([-9, 0, 0, 0, 3, 5, 10, 20, 99]),        # margin top and bottom
             rng.pick([-9, 0, 0, 0, 3, 5, 10, 20, 99]),        # margin left and right
             rng.below(9), rng.below(9),                       # dot, frame colour
             rng.weighted([(0, 60), (rng.int(1, 16), 40)]),    # write group
             rng.weighted([(0, 50), (rng.int(1, 16), 50)]),    # line layer
             rng.weighted([(0, 50), (rng.int(1, 16), 50)]),    # text layer
             rng.below(10),                                    # arrow angle
             rng.pick([0, 56576]), rng.below(21),              # window colour
             rng.below(6)]                                     # pattern
    dot = "%d%d" % (rng.below(10), rng.below(10))
    preset = [str(v) for v in (tip, line_type, frame, attach, 1, rng.below(4), text_kind, ext_len,
                               ext_mode, slide, embedded, rng.below(2), fill_custom, fill_item,
                               fill_on)]
    preset += [font, str(tilt), str(switch), str(centre)] + ["000"] * 6
    preset += [str(v) for v in basic] + [dot, str(rng.below(4)), str(rng.below(2))] + ["000"] * 5
    assert len(preset) == 50

    fixed = 1 if rng.chance(15) else 0
    stored = rng.pick(["10", "12.5", "20", "7.25", "35", "0"])
    fill_line = (-(fill_item + 1) if fill_on else fill_item + 1)
    settings = [str(tip), str(line_type), str(frame), str(attach), str(rng.int(1, 3)), preset[5],
                str(text_kind), str(ext_len), str(ext_mode), str(slide), str(basic[16]), "", "0",
                str(embedded), "0", str(switch), "0", "0", str(fill_custom), str(fill_line), font,
                str(tilt), str(centre), rng.pick(["0", "0", "11"]), str(fixed), stored,
                "0", "0", "0", "0"]

    pattern = ["20", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "3", "56576",
               "0", "11", "2", "0", "0"]
    patterns = pattern * 6 + ["基本設定 %d" % k for k in range(1, 7)]

    memo = make_memo(rng, embedded, record_texts)
    now = "%04d-%02d-%02dT%02d:%02d:%02d" % (rng.int(2001, 2035), rng.int(1, 12), rng.int(1, 28),
                                             rng.below(24), rng.below(60), rng.below(60))
    # A few start directories are damaged the way a user's files get damaged, so the
    # start-up failures and their close-time writes are locked as well.
    damage = rng.weighted([(None, 96), ("short settings", 1), ("patterns 125", 1),
                           ("no settings", 1), ("exchange", 1), ("no preset", 1)])
    if damage == "short settings":
        settings = settings[:24]
    elif damage == "patterns 125":
        patterns = patterns[:125]
    elif damage == "exchange":
        exchange = rng.pick([exchange[:14], exchange[:16], ["hq "] + exchange[1:],
                             [l.replace(".", ",", 1) if l.startswith("hp") else l for l in exchange]])
    elif damage == "no preset":
        preset = preset[:49]
    files = {"jwc_temp.txt": crlf_file(exchange), "PLDATA.tx": crlf_file(settings),
             "PKDATA.tx": crlf_file(patterns), "PSDATA1.tx": crlf_file(preset),
             "memo.txt": crlf_file(memo)}
    if damage == "no settings":
        del files["PLDATA.tx"]
    return {"mode": mode, "now": now, "frame": frame, "files": files}


def digest_files(directory):
    jwc, others = "-", hashlib.sha256()
    for name in sorted(os.listdir(directory)):
        with open(os.path.join(directory, name), "rb") as f:
            data = f.read()
        if name == "jwc_temp.txt":
            jwc = hashlib.sha256(data).hexdigest()
        else:
            others.update(name.encode() + b"\0" + str(len(data)).encode() + b"\0" + data)
    return jwc, others.hexdigest()


def write_case(case, directory):
    if os.path.exists(directory):
        shutil.rmtree(directory)
    os.makedirs(directory)
    for name, data in case["files"].items():
        with open(os.path.join(directory, name), "wb") as f:
            f.write(data)


def make_only(seed, count, root):
    for index in range(1, count + 1):
        case = make_case(seed, index)
        directory = os.path.join(root, "case-%05d" % index)
        write_case(case, directory)
        for name in ("mode", "now"):
            with open(os.path.join(directory, name), "wb") as f:
                f.write(case[name].encode("ascii") + b"\r\n")


def run_case(exe, seed, index, root, emulator=()):
    case = make_case(seed, index)
    directory = os.path.join(root, "case-%05d" % index)
    write_case(case, directory)
    args = [*emulator, exe, "--batch", "--preset", "1", "--memo", "memo.txt", "--now", case["now"]]
    if case["mode"]:
        args.append(case["mode"])
    try:
        done = subprocess.run(args, cwd=directory, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              timeout=60)
        status, stderr = str(done.returncode), done.stderr
    except subprocess.TimeoutExpired:
        status, stderr = "timeout", b""
    jwc, others = digest_files(directory)
    with open(os.path.join(directory, "jwc_temp.txt"), "rb") as f:
        output = f.read()
    return {"index": index, "line": "%d\t%s\t%s\t%s" % (index, status, jwc, others),
            "mode": case["mode"] or "none", "frame": case["frame"], "status": status,
            "output": output, "stderr": stderr.decode("utf-8", "replace"), "dir": directory}


def command_kind(line):
    if line.startswith(" "):
        return "line"
    if line.startswith("ci "):
        return "circle" if len(line.split()) == 4 else "arc"
    for prefix in ("sc ", "sl ", "lc10 ", "ch ", "cv ", "cc", "cn", "lc", "ly", "lg", "by", "lt"):
        if line.startswith(prefix):
            return prefix.strip()
    return "other"


DRAWN = {"line", "circle", "arc", "sc", "sl", "ch"}


def report_stats(results, out):
    status = collections.Counter(r["status"] for r in results)
    kinds, drawing = collections.Counter(), collections.Counter()
    by_mode, by_frame, errors = collections.Counter(), collections.Counter(), collections.Counter()
    for r in results:
        found = set()
        written = r["status"] in ("0", "5")  # other statuses leave Jw_cad's own file in place
        if written:
            found = {command_kind(l) for l in r["output"].decode("cp932", "replace").split("\r\n") if l}
        kinds.update(found)
        drew = written and bool(found & DRAWN)
        drawing[r["mode"], r["frame"]] += drew
        by_mode[r["mode"]] += 1
        by_frame[r["frame"]] += 1
        for message in r["stderr"].splitlines():
            if message.startswith(("warning: [", "error: ")):
                errors[message[:40]] += 1
    n = len(results)
    out.write("exit status: %s\n" % ", ".join("%s: %d" % kv for kv in sorted(status.items())))
    out.write("outputs containing: %s\n" % ", ".join("%s %d" % (k, kinds[k]) for k in
              ["line", "circle", "arc", "sc", "sl", "lc10", "ch", "cv", "cc", "cn", "lc", "ly", "lg",
               "by", "lt", "other"]))
    total = sum(drawing.values())
    out.write("real drawings: %d of %d\n" % (total, n))
    for mode in ["none", "T1", "T2", "T3", "T4", "T5"]:
        drew = sum(v for (m, _), v in drawing.items() if m == mode)
        out.write("  mode %-4s %4d runs, %4d drawings\n" % (mode, by_mode[mode], drew))
    out.write("  frames (runs/drawings): %s\n" % ", ".join(
        "%d:%d/%d" % (f, by_frame[f], sum(v for (_, fr), v in drawing.items() if fr == f))
        for f in range(15)))
    for message, count in errors.most_common(8):
        out.write("  %5d x %s\n" % (count, message))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--exe")
    parser.add_argument("--seed", required=True)
    parser.add_argument("--count", type=int, required=True)
    parser.add_argument("--keep", help="keep every case's directory under DIR")
    parser.add_argument("--compare", help="recorded digest file to compare against")
    parser.add_argument("--jobs", type=int, default=1)
    parser.add_argument("--stats", action="store_true", help="print variety counts to stderr")
    parser.add_argument("--make-only", action="store_true",
                        help="only write the start directories under --keep DIR, with their mode and time")
    parser.add_argument("--emulator", action="append", default=[],
                        help="a word of the command that runs the program (a Windows build under Wine); "
                             "repeat it, as --emulator=WORD, for every word")
    args = parser.parse_args()
    if args.make_only:
        if not args.keep:
            parser.error("--make-only needs --keep DIR")
        make_only(args.seed, args.count, os.path.abspath(args.keep))
        return 0
    if not args.exe:
        parser.error("--exe is required")

    exe = os.path.abspath(args.exe)
    root = os.path.abspath(args.keep) if args.keep else tempfile.mkdtemp(prefix="quillet-runs-")
    os.makedirs(root, exist_ok=True)

    def one(index):
        r = run_case(exe, args.seed, index, root, args.emulator)
        if not args.keep:
            shutil.rmtree(r["dir"])
        return r

    expected = None
    if args.compare:
        with open(args.compare, encoding="ascii") as f:
            expected = [line.rstrip("\n") for line in f if line.strip()]
    results, failed, shown = [], 0, 0
    try:
        with ThreadPoolExecutor(max_workers=max(1, args.jobs)) as pool:
            for r in pool.map(one, range(1, args.count + 1)):
                if args.stats:
                    results.append(r)
                if expected is None:
                    print(r["line"], flush=True)
                    continue
                want = expected[r["index"] - 1] if r["index"] <= len(expected) else "(not recorded)"
                if r["line"] != want:
                    failed += 1
                    if shown < 10:
                        shown += 1
                        print("case %d differs (mode %s, frame %d)\n  expected %s\n  got      %s"
                              % (r["index"], r["mode"], r["frame"], want, r["line"]))
    finally:
        if not args.keep:
            shutil.rmtree(root, ignore_errors=True)
    if args.stats:
        report_stats(results, sys.stderr)
    if expected is not None:
        print("%d passed, %d failed" % (args.count - failed, failed))
        if failed:
            print("rerun with --keep DIR to look at the differing start directories")
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
