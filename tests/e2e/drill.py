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

import pyatspi

from atspi import application, fail, find, text, wait_for, wait_text, walk


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


app = application("hitwise-drill")
for name in ("Rules:", "Deal:", "Hit", "Stand", "Double", "Split", "Surrender", "Next hand",
             "Weak spots"):
    wait_for(lambda n=name: any(node.name == n for node in walk(app)), "no control named %r" % name)

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
    edge = wait_for(lambda: (lambda e: e.name.startswith("Played your way") and e)(
        find(app, description="Your edge")), "Your edge never filled in")
    shown_as_named(edge, "Played your way, a round returns ")
    shown_as_named(find(app, description="Cost by day"),
                   "What your mistakes cost per 100 hands, day by day: ")
    study = [item.name for item in find(app, name="Study list", role=pyatspi.ROLE_LIST)]
    if not study or not all(study):
        fail("the study list reads %r" % study)
    print("reads: %s" % study[0])
    sys.exit(0)

def deciding(t):
    return t.startswith(("Your play?", "Index play:")) and "Round over" not in t


def actionable(t):
    """A step of a round played with the count that waits for the player."""
    return ("Insurance?" in t or ("Count check" in t and "Type it" in t) or deciding(t) or
            "Space deals the next round." in t)


if sys.argv[1] == "counts":
    rounds = 0
    while rounds < count:
        # The first waits for the index plays of the count, worked out at the start.
        wait_text(app, "Feedback", lambda t: t.startswith("Your bet?"), "no bet asked")
        if rounds == 0:
            key("c")  # the count, shown from now on
            wait_text(app, "The count, when shown", lambda t: t.startswith("Running count"),
                     "C did not show the count")
        key("1")
        handled = "Your bet?"
        while True:
            # The next step the round waits for, once the last one was taken.
            feedback = wait_text(app, "Feedback", lambda t, h=handled: t != h and actionable(t),
                                 "the round stopped after %r" % handled)
            handled = feedback
            if "Insurance?" in feedback:
                key("n")
            elif "Count check" in feedback and "Type it" in feedback:
                shown = read(app, "The count, when shown")
                running = shown.split(",")[0].split()[-1].lstrip("+")
                subprocess.run(["xdotool", "type", running], check=True)
                key("Return")
                feedback = wait_text(app, "Feedback", lambda t: "Count check: " in t and
                                     "Type it" not in t, "the count check was not graded")
                if "Count check: right" not in feedback:
                    fail("the count C shows is not the count checked: %r" % feedback)
                handled = feedback
            elif deciding(feedback):
                key("h")
                feedback = wait_text(app, "Feedback", lambda t, b=feedback: t != b, "no grade")
                if not feedback.startswith("Index play: ") or "The cards left: " not in feedback:
                    fail("a decision not graded twice: %r" % feedback)
                print("reads: %s" % feedback)
                handled = ""  # the grade is itself the next step
            if "Space deals the next round." in feedback and "Type it" not in feedback:
                print("reads: %s" % feedback)
                break
        rounds += 1
        key("space")
    sys.exit(0)

answered = 0
while answered < count:
    hand = wait_text(app, "Hand", lambda t: t.startswith("Your hand:"), "no hand")
    feedback = read(app, "Feedback")
    if feedback.startswith("Black Jack"):
        print("reads: %s / %s" % (hand, feedback))
        wait_text(app, "Hand", lambda t, h=hand: t != h, "no hand after the blackjack")
        continue
    key("s" if answered % 2 else "h")
    feedback = wait_text(app, "Feedback", lambda t: t.startswith(("Right", "Wrong")),
                        "no grade")
    if 'The chart says "' not in feedback:
        fail("the feedback has no advice: %r" % feedback)
    print("reads: %s / %s" % (hand, feedback))
    answered += 1
    key("space")
    wait_text(app, "Feedback", lambda t: not t.startswith(("Right", "Wrong")),
             "Space dealt no new hand")
