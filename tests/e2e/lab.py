#!/usr/bin/python3
"""Drives Hitwise Lab as a screen reader user would: sets a game, reads the lab's figures, runs
   a short simulation and reads its intervals, keeps two games on the shelf, compares them and
   exports the comparison, whose figures must be those shown; reads the player's mistakes from
   the drill's history and simulates the game both ways.
   lab.py EXPORTED.csv"""
import csv
import os
import subprocess
import sys

import pyatspi

from atspi import application, fail, find, search, text, wait_for, walk

exported = sys.argv[1]
app = application("hitwise-lab")


def status(description, start, what, holds=""):
    """Waits until the label so described starts with `start` and holds `holds`; returns it."""
    return wait_for(lambda: (lambda t: t.startswith(start) and holds in t and t)(
        text(find(app, description=description))),
        lambda: "%s: %r" % (what, text(find(app, description=description))))


def click(node):
    """A real click in the middle of the node: buttons that open a dialog wait for it."""
    x, y, w, h = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2), "click", "1"],
                   check=True)


def press(name):
    find(app, name=name, role=pyatspi.ROLE_PUSH_BUTTON).queryAction().doAction(0)


def set_value(name, value):
    find(app, name=name, role=pyatspi.ROLE_SPIN_BUTTON).queryValue().currentValue = value


def cells(name):
    """A table as a screen reader reads it: the headers, then a row of texts each."""
    table = find(app, name=name, role=pyatspi.ROLE_TABLE).queryTable()
    headers = [table.getColumnHeader(c).name for c in range(table.nColumns)]
    rows = [[table.getAccessibleAt(r, c).name for c in range(table.nColumns)]
            for r in range(table.nRows)]
    return [headers] + rows


def dialog(title):
    return wait_for(lambda: search(app, name=title, role=pyatspi.ROLE_DIALOG),
                    "no dialog %r" % title)


def save_as(name):
    click(find(app, name="Save as…", role=pyatspi.ROLE_PUSH_BUTTON))
    box = dialog("Save the game as")
    find(box, role=pyatspi.ROLE_TEXT).queryEditableText().setTextContents(name)
    find(box, name="OK", role=pyatspi.ROLE_PUSH_BUTTON).queryAction().doAction(0)
    status("Shelf status", "Saved as " + name, "the shelf did not keep " + name)


ready = "Lab figures ready"
status("Lab status", ready, "no lab figures at the start")
first = cells("Game figures")
# The command line's rules are offered among the rule sets, the three charts being for 1 to 8
# decks of other rules.
if not any((node.name or "").startswith("2 decks, S17, DAS") for node in walk(app)):
    fail("not opened with the command line's game")

# A game set in the form: dealt to 80 %, with the figures worked out again.
set_value("Penetration", 80)
status("Lab status", "Working out", "no busy sign for a new game")
status("Lab status", ready, "no lab figures for the new game")
lab = cells("Game figures")
if lab == first:
    fail("the figures did not change with the penetration")
win = dict((row[0], row[1]) for row in lab[1:])["Win per 100 rounds (units)"]
print("reads: the lab's win per 100 rounds at 80 %%: %s" % win)

# A short simulation: its intervals fill in beside the lab's figures.
press("Simulate")
status("Simulation status", "Simulating this game: 1,", "the run did not finish", "rounds dealt")
simulated = cells("Game figures")
if len(simulated[0]) < 3 or "±" not in simulated[1][2]:
    fail("no interval beside the lab's figures: %r" % simulated[1])
print("reads: simulated %s" % simulated[1][2])

# Two games on the shelf, the second with a larger bankroll, compared.
save_as("Six decks at 80")
set_value("Bankroll", 5000)
status("Lab status", ready, "no figures for the new bankroll")
save_as("Bigger bankroll")
shelf = find(app, name="Shelf", role=pyatspi.ROLE_LIST)
items = [item for item in shelf if item is not None and item.name]
if [item.name for item in items] != ["Six decks at 80", "Bigger bankroll"]:
    fail("the shelf reads %r" % [item.name for item in items])
click(items[0])
subprocess.run(["xdotool", "keydown", "ctrl"], check=True)
click(items[1])
subprocess.run(["xdotool", "keyup", "ctrl"], check=True)
tabs = find(app, role=pyatspi.ROLE_PAGE_TAB_LIST)
tabs[[tab.name for tab in tabs].index("Compare")].queryAction().doAction(0)
# Nothing compared yet: an export says so, and writes no empty file.
press("Export CSV…")
status("Compare status", "Compare some games first", "an empty comparison was exported")
press("Compare the chosen games")
status("Compare status", "2 games compared", "the games were not compared")
shown = cells("Games compared")
print("reads: %s" % " | ".join(shown[1][:3]))

# The comparison exported as CSV holds the figures shown.
click(find(app, name="Export CSV…", role=pyatspi.ROLE_PUSH_BUTTON))
box = dialog("Export the comparison as CSV")
name_field = [node for node in walk(box) if node.getRole() == pyatspi.ROLE_TEXT
              and node.getState().contains(pyatspi.STATE_EDITABLE)][-1]
name_field.queryEditableText().setTextContents(exported)
find(box, name="Save", role=pyatspi.ROLE_PUSH_BUTTON).queryAction().doAction(0)
wait_for(lambda: os.path.exists(exported), "the comparison was not written")
with open(exported, newline="", encoding="utf-8") as f:
    written = [row for row in csv.reader(f) if row and not row[0].startswith("#")]
if sorted(written[1:]) != sorted(shown[1:]) or written[0] != shown[0]:
    fail("the export differs from the window:\n%r\n%r" % (written, shown))
print("the exported comparison holds the figures shown")

# The player's own mistakes, read from the drill's history (true counts one off, bets off the
# ramp), and the game simulated played perfectly, as played and with each kind alone.
status("Your game status", "From 80 counts", "the drill's history was not read")
mistakes = cells("Your mistakes")
if len(mistakes) < 3:
    fail("the mistakes read %r" % mistakes)
press("Simulate both ways")
status("Both ways status", "", "the game was not simulated both ways", "rounds each")
both = [row[0] for row in cells("Played perfectly and as you play")[1:]]
if both[:2] != ["Played perfectly", "As you play it"] or len(both) < 4:
    fail("both ways reads %r" % both)
print("reads: %s" % " | ".join(both))
