# The program as a screen reader meets it on the AT-SPI bus: roles, names, descriptions, actions
# and their keys; an entry's action opens its window; a report is read from the pane; a pasted
# text is checked, its totals and findings (a figure's too) read, and F8 lands on the result to
# mend.
#   readers.py FOLDER   (the program runs from FOLDER; run.sh starts it)
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

failures = []


def check(ok, what):
    print(("ok    " if ok else "FAIL  ") + what)
    if not ok:
        failures.append(what)


def wait_for(find, what, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found:
            return found
        time.sleep(0.1)
    sys.exit("FAIL  no " + what)


def app():
    for candidate in pyatspi.Registry.getDesktop(0):
        if candidate and candidate.name == "kelvaron":
            return candidate


def pump():
    while GLib.MainContext.default().iteration(False):
        pass


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def window(caption):
    for frame in app() or []:
        if frame and frame.name == caption and showing(frame):
            return frame


def items(node):
    found = []
    for child in node:
        found.append(child)
        found.extend(items(child))
    return found


def item(node, role, name):
    matches = [i for i in items(node) if i.getRoleName() == role and i.name == name]
    return matches[0] if len(matches) == 1 else None


def action(node):
    actions = node.queryAction()
    return [(actions.getName(i), actions.getKeyBinding(i)) for i in range(actions.nActions)]


def text(node):
    shown = node.queryText()
    return shown.getText(0, shown.characterCount)


def check_link(window_, name, description, key):
    link = item(window_, "link", name)
    check(link is not None, f"one link {name!r}")
    if link:
        check(link.description == description, f"{name!r} described as {description!r}")
        check(action(link) == [("Press", key)], f"{name!r} has one action, Press, on {key}")
    return link


MENU = "Kelvaron - Beta"
menu = wait_for(lambda: window(MENU), "main menu on the bus")
check(menu.getRoleName() == "frame", "the main menu is a frame (window)")
check([c.getRoleName() for c in menu if c.getRoleName() == "frame"] == [], "no frame inside it")
check(
    [c.name for c in menu if c.getRoleName() == "label"]
    == [
        "Save Time Now with Kelvaron™",
        "Only the independent-samples and dependent-samples t-tests are functional.",
        "Click Feedbacks for information about obtaining more tests!",
        "Select your test now!",
    ],
    "the menu's texts, each read whole",
)
independent = check_link(
    menu, "Independent Samples t-test", "Compare Means for 2 Independent Samples", "Alt+1")
check_link(menu, "Dependent Samples t-test", "Compare Means for 2 Dependent Samples", "Alt+2")
check_link(
    menu, "Two by Two Chi-Square", "Compare two categories each with two levels", "Alt+3")
check_link(menu, "Pearson Correlation", "Relate two variables measured on the same cases", "Alt+4")
check_link(menu, "One-Way ANOVA", "Compare Means for 3 or More Independent Samples", "Alt+5")
check_link(menu, "Check a Results Section", "Check every statistic in a text you paste or open",
           "Alt+6")
check(len([c for c in menu if c.getRoleName() == "link"]) == 6, "no entry read in pieces")

independent.queryAction().doAction(0)
form = wait_for(lambda: window("Kelvaron - Beta  t-test Independent"), "t-test window")
check(form.getRoleName() == "frame", "the test window is a frame (window)")
check(not showing(menu), "the menu is hidden")
check(item(form, "label", "Independent Samples t-test") is not None, "its heading whole")
check(not [i for i in items(form) if i.name in ("t", "-test")], "no heading read in pieces")
check(item(form, "combo box", "Tails") is not None, "the tails box is named Tails")
check_link(form, "Main Menu", "", "Alt+M")

example = {
    "Name of Group 1": "Treatment", "Name of Group 2": "Control", "Mean of Group 1": "12.5",
    "Mean of Group 2": "10.2", "Standard Deviation of Group 1": "2.1",
    "Standard Deviation of Group 2": "2.3", "Sample Size of Group 1": "20",
    "Sample Size of Group 2": "22", "Name for Dependent Variable": "anxiety",
    "Type I error rate (alpha)": ".05", "t-statistic": "3.37",
    "p-value (enter an exact number)": ".002",
}
caption = "Your independent-samples t-test results in publishable-format"
boxes = [i for i in form if i.getRoleName() == "text" and i.name != caption]
check(
    sorted(b.name for b in boxes)
    == sorted(list(example) + ["Total Sample Size", "Degrees of freedom (N-2)"]),
    "every box named by its caption: " + ", ".join(sorted(b.name for b in boxes)))
for box in boxes:
    if box.name in example:
        box.queryEditableText().setTextContents(example[box.name])
changes = []
pyatspi.Registry.registerEventListener(changes.append, "object:text-changed:insert")
button = item(form, "push button", "Show Result Text")
button.queryAction().doAction(0)

pane = item(form, "text", caption)
check(pane is not None, "the pane is text named by its caption")
check(pane.getState().contains(pyatspi.STATE_READ_ONLY), "the pane is read-only")
page = wait_for(lambda: text(pane) if text(pane).startswith("Option 1") else None, "report")
check("t(40) = 3.37, p = .002." in page, "the report reads as shown")
check("\u2060" not in page, "no word joiner in the pane's text")
pump()
inserted = [e.any_data for e in changes if e.source == pane]
check(inserted and not [text for text in inserted if "\u2060" in text],
      "what the pane tells it inserted holds no word joiner either")
# The caret moves as the text counts, past the figures' joiners on screen.
at = page.rindex(".002") + 4
pane.queryText().setCaretOffset(at)
check(pane.queryText().caretOffset == at, "the caret is where it was put")
strip = item(pane, "label", "Figure checks")
check(strip is not None and "Effect size: d = 1.04" in text(strip), "the figure checks read")
copy = check_link(pane, "Copy effect size", "", "")
copy.queryAction().doAction(0)
copied = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True, text=True)
check(copied.stdout == "d = 1.04, 95% CI [0.39, 1.68]", "Copy copies the effect size")

item(form, "link", "Main Menu").queryAction().doAction(0)
wait_for(lambda: window(MENU), "main menu again")
item(menu, "link", "Two by Two Chi-Square").queryAction().doAction(0)
chi = wait_for(
    lambda: window("Kelvaron - Beta  Independent Samples x square-test (2 Categories)"),
    "chi-square window")
check(item(chi, "label", "Independent Samples chi-square-test") is not None,
      "the chi-square heading reads chi-square")
check(item(chi, "text", "Independent Samples chi-square-test (2 Categories) results in "
           "publishable-format") is not None, "its pane named by its caption")



# Keys as the X server gets them from a keyboard (XTest, through the registry daemon); keycodes
# of Xvfb's default keymap.
ALT, SHIFT, CTRL, KEY_6, KEY_A, KEY_V, F8 = 64, 50, 37, 15, 38, 55, 74


def press(key, *held):
    for modifier in held:
        pyatspi.Registry.generateKeyboardEvent(modifier, None, pyatspi.KEY_PRESS)
    pyatspi.Registry.generateKeyboardEvent(key, None, pyatspi.KEY_PRESSRELEASE)
    for modifier in reversed(held):
        pyatspi.Registry.generateKeyboardEvent(modifier, None, pyatspi.KEY_RELEASE)


item(chi, "link", "Main Menu").queryAction().doAction(0)
wait_for(lambda: window(MENU), "main menu before Alt+6")
time.sleep(0.3)
press(KEY_6, ALT)
CHECK = "Kelvaron - Beta  Check a Results Section"
checker = wait_for(lambda: window(CHECK), "the Check a Results Section window after Alt+6")
check(checker.getRoleName() == "frame", "the check window is a frame (window)")
check(not showing(menu), "the menu is hidden")
editor = item(checker, "text", "Text to check")
check(editor is not None, "the editor is text named Text to check")
check(item(checker, "text", "alpha") is not None, "the alpha box is named alpha")
whole = item(checker, "check box", "Whole-number scores (GRIM, GRIMMER)")
check(whole is not None, "the whole-number box is a check box named by its text")
if whole is not None:
    check(whole.description.startswith("Assumes every score is a whole number"),
          "the whole-number box says what it assumes: " + whole.description)
    check(not whole.getState().contains(pyatspi.STATE_CHECKED), "it is unchecked to begin with")
check(item(checker, "push button", "Open…") is not None, "Open… is a button")
check_link(checker, "Main Menu", "", "Alt+M")
check_link(checker, "Copy Findings", "Copy the totals and the list as a table (Ctrl+Shift+C)",
           "Ctrl+Shift+C")
findings = item(checker, "list", "Findings")
check(findings is not None, "the findings are a list named Findings")

renamed, caret, selected = [], [], []
pyatspi.Registry.registerEventListener(renamed.append, "object:property-change:accessible-name")
pyatspi.Registry.registerEventListener(caret.append, "object:text-caret-moved")
pyatspi.Registry.registerEventListener(selected.append, "object:text-selection-changed")
pasted = "Training raised the scores, t(38) = 2.10, p = .02."
subprocess.run(["xclip", "-selection", "clipboard"], input=pasted, text=True, check=True)
editor.queryComponent().grabFocus()
time.sleep(0.3)
press(KEY_V, CTRL)
wait_for(lambda: text(editor) == pasted or None, "the pasted text in the editor")
TOTALS = "1 result: 0 consistent, 1 inconsistent, 0 decision errors; 0 p values without a statistic"
totals = wait_for(lambda: item(checker, "label", TOTALS), "the totals line " + TOTALS)
check(totals.description != "", "the totals line says what it is: " + totals.description)
pump()
check([e for e in renamed if e.source == totals],
      "a reader is told when the totals line changes (its name)")
rows = wait_for(lambda: [r for r in findings if r.getRoleName() == "list item"] or None, "a row")
ROW = "Inconsistent: t(38) = 2.10 gives p = .042 (two-tailed), not .02"
check([r.name for r in rows] == [ROW], "the row read as its verdict and message: "
      + ", ".join(r.name for r in rows))

# F8 from anywhere: the caret and the selection go to the result, in the editor.
caret.clear()
selected.clear()
findings.queryComponent().grabFocus()
time.sleep(0.3)
press(F8)
start = pasted.index("t(38)")
end = pasted.index(".02") + 3
reading = editor.queryText()
wait_for(lambda: reading.getSelection(0) == (start, end) or None, "the result selected by F8")
check(reading.caretOffset == end, "F8 puts the caret at the result's end")
check(editor.getState().contains(pyatspi.STATE_FOCUSED), "F8 takes the focus to the editor")
pump()
check([e for e in caret if e.source == editor], "a reader is told the caret moved")
check([e for e in selected if e.source == editor], "a reader is told what is selected")
check(reading.getText(start, end) == "t(38) = 2.10, p = .02", "the selection reads the result")

# A figure of a result (here an effect size) has a row of its own under its result's.
pasted = "The groups differed, t(38) = 2.10, p = .042, d_z = 0.90."
subprocess.run(["xclip", "-selection", "clipboard"], input=pasted, text=True, check=True)
editor.queryComponent().grabFocus()
time.sleep(0.3)
press(KEY_A, CTRL)
press(KEY_V, CTRL)
FIGURE = ("Inconsistent effect size: d_z = 0.90 does not fit t(38) = 2.10: a paired design gives "
          "d_z = 0.34")
rows = wait_for(lambda: [r.name for r in findings if r.getRoleName() == "list item"]
                if item(findings, "list item", FIGURE) else None, "the figure's row")
check(rows == ["Consistent: t(38) = 2.10 gives p = .042 (two-tailed)", FIGURE],
      "the figure's row, under its result's, read as its verdict, kind and message: "
      + ", ".join(rows))

print(f"{len(failures)} failed" if failures else "all checks passed")
sys.exit(1 if failures else 0)
