#!/usr/bin/python3
"""Drives Hitwise Drill as a keyboard and screen reader user would.
   drill.py answer N      answers N hands with keys and reads the feedback of each
   drill.py remembers N [COUNT]
                          reads the score: N answers kept from before, the rules line (naming
                          COUNT, the count in force), then the Your edge tab: every figure a
                          label shows is its accessible name as well
   drill.py counts N      keeps the count for N rounds: bets with a key, declines insurance,
                          hits, reads both grades of each decision, answers each count check
                          with the count C shows"""
import subprocess
import sys
import time

import pyatspi

from atspi import application, fail, find, text, walk


def shown_as_named(node, start):
    """A label a screen reader speaks as it shows: its name is its text."""
    shown = text(node)
    if not shown.startswith(start) or node.name != shown:
        fail("named %r, showing %r" % (node.name, shown))
    print("reads: %s" % shown)


def read(app, description):
    return text(find(app, description=description))


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)


def wait_for(app, description, test, what, seconds=6):
    for _ in range(int(seconds * 10)):
        text = read(app, description)
        if test(text):
            return text
        time.sleep(0.1)
    fail("%s: %r" % (what, read(app, description)))


app = application("hitwise-drill")
for name in ("Rules:", "Deal:", "Hit", "Stand", "Double", "Split", "Surrender", "Next hand",
             "Weak spots"):
    if not any(node.name == name for node in walk(app)):
        fail("no control named %r" % name)

count = int(sys.argv[2])
if sys.argv[1] == "remembers":
    score = read(app, "Score")
    if "All time with these rules: " not in score or (" of %d " % count) not in score:
        fail("the score forgot: %r" % score)
    print("reads: %s" % score)
    rules = find(app, description="Rules in force")
    shown_as_named(rules, "Rules in force: ")
    if len(sys.argv) > 3 and sys.argv[3] not in rules.name:
        fail("the rules line does not name the count: %r" % rules.name)
    tabs = find(app, role=pyatspi.ROLE_PAGE_TAB_LIST)
    names = [tab.name for tab in tabs]
    tabs[names.index("Your edge")].queryAction().doAction(0)
    for _ in range(100):
        edge = find(app, description="Your edge")
        if edge.name.startswith("Played your way"):
            break
        time.sleep(0.1)
    shown_as_named(edge, "Played your way, a round returns ")
    shown_as_named(find(app, description="Cost by day"),
                   "What your mistakes cost per 100 hands, day by day: ")
    study = [item.name for item in find(app, name="Study list", role=pyatspi.ROLE_LIST)]
    if not study or not all(study):
        fail("the study list reads %r" % study)
    print("reads: %s" % study[0])
    sys.exit(0)

if sys.argv[1] == "counts":
    rounds = 0
    while rounds < count:
        # The first waits for the index plays of the count, worked out at the start.
        wait_for(app, "Feedback", lambda t: t.startswith("Your bet?"), "no bet asked", 60)
        if rounds == 0:
            key("c")  # the count, shown from now on
            wait_for(app, "The count, when shown", lambda t: t.startswith("Running count"),
                     "C did not show the count")
        key("1")
        while True:
            feedback = wait_for(app, "Feedback", lambda t: not t.startswith("Your bet?"),
                                "the bet was not taken")
            if "Insurance?" in feedback:
                key("n")
                wait_for(app, "Feedback", lambda t: "Insurance?" not in t, "no insurance answer")
            elif "Count check" in feedback and "Type it" in feedback:
                shown = read(app, "The count, when shown")
                running = shown.split(",")[0].split()[-1].lstrip("+")
                subprocess.run(["xdotool", "type", running], check=True)
                key("Return")
                feedback = wait_for(app, "Feedback", lambda t: "Count check: " in t and
                                    "Type it" not in t, "the count check was not graded")
                if "Count check: right" not in feedback:
                    fail("the count C shows is not the count checked: %r" % feedback)
            elif feedback.startswith(("Your play?", "Index play:")) and "Round over" not in feedback:
                before = feedback
                key("h")
                feedback = wait_for(app, "Feedback", lambda t, b=before: t != b, "no grade")
                if not feedback.startswith("Index play: ") or "The cards left: " not in feedback:
                    fail("a decision not graded twice: %r" % feedback)
                print("reads: %s" % feedback)
                continue
            if "Space deals the next round." in feedback:
                print("reads: %s" % feedback)
                break
            time.sleep(0.1)
        rounds += 1
        key("space")
    sys.exit(0)

answered = 0
while answered < count:
    hand = wait_for(app, "Hand", lambda t: t.startswith("Your hand:"), "no hand")
    feedback = read(app, "Feedback")
    if feedback.startswith("Black Jack"):
        print("reads: %s / %s" % (hand, feedback))
        wait_for(app, "Hand", lambda t, h=hand: t != h, "no hand after the blackjack")
        continue
    key("s" if answered % 2 else "h")
    feedback = wait_for(app, "Feedback", lambda t: t.startswith(("Right", "Wrong")),
                        "no grade")
    if 'The chart says "' not in feedback:
        fail("the feedback has no advice: %r" % feedback)
    print("reads: %s / %s" % (hand, feedback))
    answered += 1
    key("space")
    wait_for(app, "Feedback", lambda t: not t.startswith(("Right", "Wrong")),
             "Space dealt no new hand")
