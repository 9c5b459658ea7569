#!/usr/bin/env bash
# Plants one deliberate fault at a time in a scratch copy of the tree, rebuilds, runs the tests
# (packaging excluded, it is slow and checks no behaviour) and prints which tests caught each
# fault. Exits non-zero when a fault went unnoticed. Not run by CI.
#   scripts/plant-faults.sh [fault-name ...]    (no names: every fault in the table)
set -euo pipefail
cd "$(dirname "$0")/.."

# One fault a line: name | file | perl substitution applied to that file. A substitution that
# changes nothing is reported as STALE, so the table keeps up with the code.
FAULTS=$(
    cat <<'EOF'
chi-literal-word     | chisquare/chisquarereport.cpp   | s/was used to analyze the data/was used to analyse the data/
chi-alpha-entity     | chisquare/chisquarereport.cpp   | s/Given &#945; = /Given &#945 = /
dep-alpha-semicolon  | ttestdep/ttestdepreport.cpp     | s/t<\/i>-test at &#945"/t<\/i>-test at &#945;"/
indep-double-blank   | ttestindep/ttestindepreport.cpp | s/compared using a "/compared using a"/
chi-check-order      | chisquare/chisquaretestfrm.cpp  | s/(\{txtChiSq,.*\n)(\s*\{txtpvalue,.*\n)/$2$1/
dep-check-order      | ttestdep/ttestdepfrm.cpp        | s/(\{txtotSamSize,.*\n)(\s*\{txtg1StdDev,.*\n)/$2$1/
indep-check-order    | ttestindep/ttestindepfrm.cpp    | s/(\{txtotSamSize,.*\n)(\s*\{txtg1StdDev,.*\n)/$2$1/
chi-message-blank    | chisquare/chisquaretestfrm.cpp  | s/Invalid  Category 2 \/ Level 1 Count/Invalid Category 2 \/ Level 1 Count/
dep-message-word     | ttestdep/ttestdepfrm.cpp        | s/Invalid i error rate/Invalid error rate/
chi-max-length       | chisquare/chisquaretestfrm.cpp  | s/FigureLength = 15/FigureLength = 16/
dep-depvar-length    | ttestdep/ttestdepfrm.cpp        | s/DepVarLength = 30/DepVarLength = 31/
number-to-text       | common/fieldtext.cpp            | s/\{15, 14\}/{6, 5}/
dep-df               | ttestdep/ttestdepfrm.cpp        | s/NumberToText\(\*n - 1\)/NumberToText(*n - 2)/
indep-df             | ttestindep/ttestindepfrm.cpp    | s/NumberToText\(total - 2\)/NumberToText(total - 1)/
result-name          | report/unicodefile.cpp          | s/"result.html"/"results.html"/
result-folder        | report/unicodefile.cpp          | s/applicationDirPath\(\)/applicationDirPath() + QStringLiteral("\/out")/
byte-order-mark      | report/unicodefile.cpp          | s/bytes.append\("\\xFF\\xFE", 2\);/;/
per-user-fallback    | report/unicodefile.cpp          | s/AppDataLocation/TempLocation/
growth-step          | report/resultform.cpp           | s/ControlTopTwips\(WebBrowser1\) \+ 580/ControlTopTwips(WebBrowser1) + 600/
collapse-step        | report/resultform.cpp           | s/ControlHeightTwips\(CmdShowResultText\) \+ 600/ControlHeightTwips(CmdShowResultText) + 580/
centring             | report/resultform.cpp           | s/ScreenHeightTwips\(\) \/ 2 - WindowHeightTwips\(this\) \/ 2/ScreenHeightTwips() \/ 3 - WindowHeightTwips(this) \/ 2/
menu-framed-late     | app/mainfrm.cpp                 | s/CentreWhenFramed\(this, \[this\] \{ Form_Load\(\); \}\);/Form_Load();/
significance         | common/wording.cpp              | s/valueOf\(pValueText\) < valueOf/valueOf(pValueText) <= valueOf/
tails-wording        | common/wording.cpp              | s/tailsText == u"1"/TrimSpaces(tailsText) == u"1"/
direction            | common/wording.cpp              | s/valueOf\(mean1Text\) > valueOf/valueOf(mean1Text) >= valueOf/
number-groups        | common/fieldtext.cpp            | s/RejectGroupSeparator/DefaultNumberOptions/
trimming-tabs        | common/fieldtext.cpp            | s/text.at\(first\) == u' '/text.at(first).isSpace()/
main-menu-reset      | report/resultform.cpp           | s/hide\(\);\n    ResetForm\(\);/hide();/
link-written-through | report/unicodefile.cpp          | s/QFile::encodeName\(path\)\) != 0/QFile::encodeName(QFileInfo(path).isSymLink() ? QFileInfo(path).symLinkTarget() : path)) != 0/
resources-loaded     | report/resultviewer.cpp         | s/\+\+m_refused;/;/
check-rounding       | engine/rounding.cpp             | s/const double half = 0.5 \*/const double half = 0.05 */
check-leading-zero   | engine/pformat.cpp              | s/text.erase\(at, zero.size\(\)\);/;/
check-interval-level | engine/distributions.cpp        | s/NoncentralityAt\(t, df, 0.975\)/NoncentralityAt(t, df, 0.95)/
check-flip-note      | engine/pformat.cpp              | s/recomputed = pAtTyped < \*alpha;/recomputed = pAtTyped > *alpha;/
check-counts         | chisquare/chisquarechecks.cpp   | s/\*TextToNumber\(level1\) \+ \*TextToNumber\(level2\)/*TextToNumber(level1)/
check-correlation    | ttestdep/ttestdepchecks.cpp     | s/if \(s1.hi \+ s2.hi >= sd.lo &&/if (/
check-one-tailed     | checks/findings.cpp             | s/const bool oneTailed = tailsText == u"1"_s;(\n\s*const Interval tMagnitude)/const bool oneTailed = false;$1/
check-welch-df       | ttestindep/ttestindepchecks.cpp | s/v2 \* v2 \/ \(\*n2 - 1\)/v2 * v2 \/ *n2/
check-strip-margin   | report/figurecheckstrip.cpp     | s/m_pane->ReserveBottom\(height\);/;/
check-whole-p        | engine/rounding.cpp             | s/if \(figure->half >= 0.5\)/if (figure->half > 1)/
check-p-apart        | engine/pformat.cpp              | s/if \(!apart \|\| !typed/if (true || !typed/
check-names-as-pane  | checks/checknames.cpp           | s/EscapeTextLessThans\(CompleteNumericReferences\(name\)\)/CompleteNumericReferences(name)/
check-strip-lane     | report/figurecheckstrip.cpp     | s/inside.width\(\) - \(bar->isVisibleTo/inside.width() + 0 * (bar->isVisibleTo/
own-palette-text     | toolkit/toolkit.cpp             | s/QPalette::ButtonText, QPalette::ToolTipText\}\)\n        set\(role, Qt::black\);/QPalette::ButtonText, QPalette::ToolTipText})\n        set(role, Qt::lightGray);/
resizable-windows    | toolkit/twips.cpp               | s/window->setFixedSize\(window->width\(\), /window->resize(window->width(), /
frame-of-last-window | toolkit/twips.cpp               | s/lastFrameSeen = frame;/;/
figure-joiner        | report/resultviewer.cpp         | s/shown.insert\(match.capturedEnd\(\) \+ added\+\+, WordJoiner\);/;/
anova-serial-comma   | anova/anovareport.cpp           | s/u", and "_s/u" and "_s/
anova-check-order    | anova/anovafrm.cpp              | s/(\{txtFstatistic,.*\n)(\s*\{txtpvalue,.*\n)/$2$1/
anova-group-in-use   | anova/anovafrm.cpp              | s/k < 2 \|\| GroupInUse/k < 3 || GroupInUse/
anova-df-within      | anova/anovafrm.cpp              | s/NumberToText\(total - k\)/NumberToText(total - k + 1)/
anova-grand-mean     | anova/anovachecks.cpp           | s/total \+= sizes\[i\];\n(\s*)weighted \+= sizes\[i\] \* means\[i\];/total += 1;\n$1weighted += means[i];/
anova-least-f        | anova/anovachecks.cpp           | s/LeastBetweenGroups\(g.meanRanges, g.sizes\)/BetweenGroups(g.means, g.sizes)/
anova-eta-level      | engine/distributions.cpp        | s/NoncentralityAtF\(f, df1, df2, 0.95\)/NoncentralityAtF(f, df1, df2, 0.975)/
copy-keeps-joiners   | report/pagecopy.cpp             | s/joiner.removeSelectedText\(\);/;/
copy-raised-span     | report/pagecopy.cpp             | s/\{u"<sup>"_s, u"<\/sup>"_s\}/{u"<span style=\\"vertical-align:super\\">"_s, u"<\/span>"_s}/
copy-markdown-italic | report/pagecopy.cpp             | s/std::pair\{u"\*"_s, u"\*"_s\}/std::pair{u""_s, u""_s}/
reader-pieces        | toolkit/accessibility.cpp       | s/LeaveUnread\(piece\);/;/
reader-link-key      | toolkit/accessibility.cpp       | s/\(\*pieces.begin\(\)\)->setShortcut\(key\);/;/
reader-pane-joiner   | toolkit/accessibility.cpp       | s/QString\(shown\).remove\(WordJoiner\)/QString(shown)/
reader-inserted-text | toolkit/accessibility.cpp       | s/TextForReaders\(inserted->textInserted\(\)\)/inserted->textInserted()/
reader-tails-name    | toolkit/accessibility.cpp       | s/if \(t == QAccessible::Value\)\n            return box/if (t == QAccessible::Name)\n            return box/
pane-less-than       | report/resultviewer.cpp         | s/KeepFiguresWhole\(EscapeTextLessThans\(page\)\)/KeepFiguresWhole(page)/
tails-sentence-before| engine/tails.cpp                | s/back <= 2 && later/back <= 0 \&\& later/
tails-other-result   | engine/tails.cpp                | s/if \(reportsOther\(earlier, later - 1\)\)/if (false)/
pair-across-stat     | engine/scanner.cpp              | s/found.nextStatistic = j;\n(\s*)return found;/continue;/
list-shares-exact-p  | engine/scanner.cpp              | s/p->comparison != PComparison::Equal \&\&/true \&\&/
decimal-commas       | engine/scanner.cpp              | s/if \(commaPs > pointPs\)/if (false)/
correction-excuses   | engine/verdicts.cpp             | s/return ReadPlain\(r.p\) > p.range.hi;/return true;/
df-rounding          | engine/verdicts.cpp             | s/if \(!Contains\(r.df1.plain, u'.'\) \&\& !Contains\(r.df2.plain, u'.'\)\)/if (true)/
figure-exit-status   | checkcli/checkreport.cpp        | s/if \(NeedsMending\(result\)\)/if (IsInconsistent(result.verdict))/
figure-row-read      | sectioncheck/findingslist.cpp   | s/return FigureWords\(figure\) \+ u": "_s \+ figure.message;/return figure.message;/
f8-text-order        | sectioncheck/findingmarks.cpp   | s/std::stable_sort\(stops.begin\(\)/if (false) std::stable_sort(stops.begin()/
EOF
)

scratch=${KELVARON_FAULT_DIR:-/tmp/kelvaron-faults}
# A fresh copy of the tracked and new files, so that none deleted since the last run is built and
# tested; with their times, so that a second run rebuilds only what changed.
rm -rf "$scratch/src"
mkdir -p "$scratch/src"
git ls-files -co --exclude-standard -z | tar -c --null -T - | tar -x -C "$scratch/src"
cmake -S "$scratch/src" -B "$scratch/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=ON >/dev/null
cmake --build "$scratch/build" -j2 >/dev/null

missed=0
report=""
while IFS='|' read -r name file subst; do
    name=$(echo $name) file=$(echo $file) subst=$(echo "$subst" | sed 's/^ *//;s/ *$//')
    [ -z "$name" ] && continue
    if [ $# -gt 0 ] && ! printf '%s\n' "$@" | grep -qx "$name"; then continue; fi
    target="$scratch/src/$file"
    cp "$target" "$target.orig"
    perl -0pi -e "$subst" "$target"
    if cmp -s "$target" "$target.orig"; then
        result="STALE (substitution matches nothing)"
        missed=1
    elif ! cmake --build "$scratch/build" -j2 >"$scratch/build.log" 2>&1; then
        result="does not build"
        missed=1
    else
        ctest --test-dir "$scratch/build" -j2 -E '^packaging$' >"$scratch/ctest.log" 2>&1 || true
        result=$(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p' "$scratch/ctest.log" | paste -sd' ')
        [ -z "$result" ] && result="MISSED" && missed=1
    fi
    mv "$target.orig" "$target"
    touch "$target" # the restored file is older than the objects built from the fault
    report+=$(printf '%-22s %s' "$name" "$result")$'\n'
    echo "$name: $result" >&2
done <<<"$FAULTS"
cmake --build "$scratch/build" -j2 >/dev/null

printf '\n%-22s %s\n%s' "fault" "caught by" "$report"
exit $missed
