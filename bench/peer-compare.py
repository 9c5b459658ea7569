"""Matches kelvaron-check's results with statcheck's, paper by paper, prints the counts as
Markdown and writes every difference, and every result Kelvaron flags, to TSV files that a
person can read with the paragraph around each result.

Usage: peer-compare.py KELVARON_JSON STATCHECK_CSV CORPUS_DIR OUT_DIR
"""
import csv
import json
import math
import pathlib
import re
import sys
from collections import Counter

TESTS = ["t", "f", "r", "chi2", "z", "q"]
CONTEXT = 400


def number(text):
    """A figure as written ("−2.31", ".04", "1,234.5") as a float, or None."""
    if text is None or text == "" or text == "NA":
        return None
    if isinstance(text, (int, float)):
        return float(text)
    text = re.sub(r"[\s,]", "", text).replace("\u2212", "-").replace("\u2013", "-")
    try:
        return float(text)
    except ValueError:
        return None


def same(a, b):
    if a is None or b is None:
        return a is None and b is None
    return math.isclose(a, b, rel_tol=1e-9, abs_tol=1e-12)


def same_dfs(a, b):
    return len(a) == len(b) and all(same(x, y) for x, y in zip(a, b))


def utf16_index(line, units):
    """Python index of the character that starts after `units` UTF-16 code units."""
    count = 0
    for i, ch in enumerate(line):
        if count >= units:
            return i
        count += 2 if ord(ch) > 0xFFFF else 1
    return len(line)


def context(line, start, end):
    """The paragraph cut to CONTEXT characters centred on the result, the result bracketed."""
    room = max(0, CONTEXT - (end - start)) // 2
    lo, hi = max(0, start - room), min(len(line), end + room)
    text = line[lo:start] + "[[" + line[start:end] + "]]" + line[end:hi]
    return ("…" if lo > 0 else "") + text + ("…" if hi < len(line) else "")


def sentence(line, start, end):
    """The sentence holding the result: from the last full stop followed by a capital."""
    stops = [m.end() for m in re.finditer(r"[.!?]\s+(?=[A-Z(\[])", line[:start])]
    lo = stops[-1] if stops else 0
    after = re.search(r"[.!?](?=\s+[A-Z(\[]|\s*$)", line[end:])
    hi = end + after.end() if after else len(line)
    if hi - lo > CONTEXT:
        return context(line, start, end)
    return line[lo:start] + "[[" + line[start:end] + "]]" + line[end:hi]


def clean(value):
    return "" if value is None else re.sub(r"[\t\r\n]+", " ", str(value))


def read_kelvaron(path, papers):
    results = {}
    for entry in json.loads(pathlib.Path(path).read_text(encoding="utf-8"))["files"]:
        paper = pathlib.Path(entry["file"]).stem
        lines = papers[paper]
        found = results.setdefault(paper, [])
        for r in entry.get("results") or []:
            line = lines[r["line"] - 1] if 0 < r["line"] <= len(lines) else ""
            start = utf16_index(line, r["column"] - 1)
            quote = r.get("quote") or ""
            if line[start:start + len(quote)] != quote and quote in line:
                start = line.index(quote)  # the reader may have changed the text before it
            dfs = tuple(d for d in (r.get("df1"), r.get("df2")) if d is not None)
            found.append(dict(r, kind=r["test"].lower(), dfs=dfs, stat=number(r.get("statistic")),
                              pnum=number(r.get("p")), start=start, end=start + len(quote),
                              text=line))
    return results


def locate(text, raw, cursor):
    """Line and span of statcheck's raw text, searched from `cursor` on, blanks ignored (a
    result may run over a line break that a PDF converter put in)."""
    pattern = re.compile(r"\s*".join(re.escape(c) for c in re.sub(r"\s+", "", raw)))
    # statcheck's order may not be the text's: search from the top when not found further on
    m = pattern.search(text, cursor[0]) or pattern.search(text)
    if not m:
        return None, 0, 0, ""
    cursor[0] = m.end()
    first = text.rfind("\n", 0, m.start()) + 1
    last = text.find("\n", m.start())
    last = len(text) if last < 0 else last
    return (text.count("\n", 0, m.start()) + 1, m.start() - first, min(m.end(), last) - first,
            text[first:last])


def read_statcheck(path, papers):
    results, cursors, texts = {}, {}, {p: "\n".join(lines) for p, lines in papers.items()}
    with open(path, newline="", encoding="utf-8") as f:
        for r in csv.DictReader(f):
            paper = r["source"]
            cursor = cursors.setdefault(paper, [0])
            line, start, end, text = locate(texts[paper], r["raw"], cursor)
            dfs = tuple(d for d in (number(r["df1"]), number(r["df2"])) if d is not None)
            verdict = ("decision" if r["decision_error"] == "TRUE" else
                       "inconsistent" if r["error"] == "TRUE" else "consistent")
            results.setdefault(paper, []).append(dict(
                r, kind=r["test_type"].lower(), dfs=dfs, stat=number(r["test_value"]),
                pnum=number(r["reported_p"]), verdict=verdict, line=line, start=start, end=end,
                text=text))
    return results


def match(kel, stat):
    """Pairs each Kelvaron result with the first unused statcheck result of the same test and
    statistic that also agrees on the degrees of freedom or the p, preferring both."""
    pairs, used = [], set()
    for k in kel:
        best, best_score = None, 0
        for i, s in enumerate(stat):
            if i in used or s["kind"] != k["kind"] or k["stat"] is None or s["stat"] is None:
                continue
            if not same(abs(k["stat"]), abs(s["stat"])):
                continue
            score = 2 * same_dfs(k["dfs"], s["dfs"]) + same(k["pnum"], s["pnum"])
            if score > best_score:
                best, best_score = i, score
        if best is not None:
            used.add(best)
        pairs.append((k, stat[best] if best is not None else None))
    pairs += [(None, s) for i, s in enumerate(stat) if i not in used]
    return pairs


def family(verdict):
    return "consistent" if verdict == "consistent-one-tailed" else verdict


def fmt(x):
    return "" if x is None else f"{x:g}"


COLUMNS = ["difference", "paper", "line", "test", "kelvaron quote", "kelvaron df", "kelvaron p",
           "kelvaron computed p", "kelvaron verdict", "kelvaron message", "statcheck raw",
           "statcheck df", "statcheck p", "statcheck computed p", "statcheck verdict",
           "statcheck one-tailed in text", "paragraph"]


def row(difference, paper, k, s):
    where = k or s
    return [difference, paper, k["line"] if k else (s["line"] or "?"), where["kind"],
            k and k.get("quote"), k and ",".join(map(fmt, k["dfs"])),
            k and f"{k.get('pComparison') or ''} {k.get('p') or ''}".strip(),
            k and fmt(k.get("computedP")), k and k["verdict"], k and k.get("message"),
            s and s["raw"], s and ",".join(map(fmt, s["dfs"])),
            s and f"{s['p_comp']} {s['reported_p']}", s and s["computed_p"], s and s["verdict"],
            s and s["one_tailed_in_txt"], context(where["text"], where["start"], where["end"])]


def difference(k, s):
    if s is None:
        return "kelvaron only"
    if k is None:
        return "statcheck only"
    if family(k["verdict"]) != s["verdict"]:
        return "verdict"
    if not same_dfs(k["dfs"], s["dfs"]) or not same(k["pnum"], s["pnum"]):
        return "reading"
    return None


def markdown(header, rows):
    lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
    return "\n".join(lines + ["| " + " | ".join(map(str, r)) + " |" for r in rows])


def print_tables(pairs):
    groups = ("Kelvaron", "statcheck", "both", "Kelvaron only", "statcheck only")
    counts = Counter()
    for _, k, s in pairs:
        for name, hit in zip(groups, (k, s, k and s, k and not s, s and not k)):
            if hit:
                counts[name, (k or s)["kind"]] += 1
                counts[name, "all"] += 1
    kinds = [t for t in TESTS if counts["both", t] + counts["Kelvaron", t] + counts["statcheck", t]]
    kinds.append("all")
    print(markdown(["results"] + kinds, [[g] + [counts[g, t] for t in kinds] for g in groups]))

    cross = Counter((k["verdict"], s["verdict"]) for _, k, s in pairs if k and s)
    rows = ["consistent", "consistent-one-tailed", "inconsistent", "decision", "unchecked"]
    rows += sorted({kv for kv, _ in cross})  # a verdict this script does not know yet
    columns = ("consistent", "inconsistent", "decision")
    print("\nMatched results, Kelvaron's verdict (rows) against statcheck's (columns):\n")
    print(markdown(["Kelvaron \\ statcheck", *columns],
                   [[v] + [cross[v, sv] for sv in columns]
                    for v in dict.fromkeys(rows) if any(kv == v for kv, _ in cross)]))
    flagged = ("inconsistent", "decision")
    summary = [
        ("both consistent", lambda kv, sv: family(kv) == sv == "consistent"),
        ("both flag it (same verdict)", lambda kv, sv: kv == sv and kv in flagged),
        ("both flag it (one calls it a decision error)",
         lambda kv, sv: kv != sv and kv in flagged and sv in flagged),
        ("only Kelvaron flags it", lambda kv, sv: kv in flagged and sv == "consistent"),
        ("only statcheck flags it", lambda kv, sv: family(kv) == "consistent" and sv in flagged),
        ("statcheck flags it, Kelvaron leaves it unchecked",
         lambda kv, sv: kv == "unchecked" and sv in flagged),
    ]
    print()
    print(markdown(["matched results", "count"],
                   [[name, sum(n for (kv, sv), n in cross.items() if test(kv, sv))]
                    for name, test in summary] + [["all", sum(cross.values())]]))


def write_tsv(path, header, rows):
    with open(path, "w", newline="", encoding="utf-8") as f:
        w = csv.writer(f, delimiter="\t", lineterminator="\n")
        w.writerow(header)
        w.writerows([clean(v) for v in r] for r in rows)


def main(kel_json, stat_csv, corpus, out):
    papers = {p.stem: p.read_text(encoding="utf-8").replace("\r", "").split("\n")
              for p in sorted(pathlib.Path(corpus).glob("*.txt"))}
    kel, stat = read_kelvaron(kel_json, papers), read_statcheck(stat_csv, papers)
    pairs = [(paper, k, s) for paper in papers
             for k, s in match(kel.get(paper, []), stat.get(paper, []))]
    print_tables(pairs)

    diffs, flags = pathlib.Path(out, "differences.tsv"), pathlib.Path(out, "kelvaron-flagged.tsv")
    write_tsv(diffs, COLUMNS, [row(difference(k, s), paper, k, s) for paper, k, s in pairs
                               if difference(k, s)])
    write_tsv(flags, ["paper", "line", "column", "test", "quote", "verdict", "message",
                      "statcheck verdict", "sentence"],
              [(paper, k["line"], k["column"], k["kind"], k.get("quote"), k["verdict"],
                k.get("message"), s["verdict"] if s else "not found",
                sentence(k["text"], k["start"], k["end"]))
               for paper, k, s in pairs if k and k["verdict"] in ("inconsistent", "decision")])
    print(f"\nDifferences: {diffs}\nKelvaron's inconsistent and decision results: {flags}")


if __name__ == "__main__":
    main(*sys.argv[1:5])
