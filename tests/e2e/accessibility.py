#!/usr/bin/python3
"""Plays one hand through the accessibility tree (AT-SPI), as a screen reader user would,
and reads back the advice, the totals and the pictures. Prints what it reads."""
import subprocess
import time

import pyatspi

from atspi import application, fail, find, search, text, wait_for, wait_text


def press(app, name):
    node = find(app, name=name)
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click", "Toggle"):
            action.doAction(i)
            break
    else:
        action.doAction(0)
    print("pressed: %s" % name)


def action_reads(expected, what):
    return wait_text(app, "Action", lambda t: t.strip() == expected.strip(), what)


app = application("hitwise")
# Everything a sighted user reaches is there by name.
for name in ("Get the Chart", "Reset", "Blackjack Single Deck ", "Blackjack Multi Deck",
             "Blackjack European", "Help", "About", "hitwise.example.com"):
    find(app, name=name)
for who in ("Your card", "Dealer's card"):
    for card in ("Ace", "Two", "Ten", "Jack", "Queen", "King"):
        find(app, name="%s: %s" % (who, card), role=pyatspi.ROLE_PUSH_BUTTON)
find(app, name="Your first card: Card back", role=pyatspi.ROLE_IMAGE)

press(app, "Your card: Ace")
press(app, "Your card: Seven")
prompt = action_reads("Enter dealers up card", "prompt")
print("reads: Action: %s" % prompt)
press(app, "Dealer's card: Nine")

action_reads("              Hit", "the advice")
advice = find(app, description="Action")
readings = set()
for _ in range(12):  # read over more than one blink: the text stays while it blinks
    readings.add(text(advice))
    time.sleep(0.1)
if readings != {"              Hit"}:
    fail("advice read as %r" % readings)
total = text(find(app, description="Your total"))
dealer = text(find(app, description="Dealer's card value"))
if (total, dealer) != ("8 / 18", "9"):
    fail("total %r, dealer %r" % (total, dealer))
for picture in ("Your first card: Ace of spades", "Your second card: Seven of spades",
                "Dealer's up card: Nine of spades", "Dealer's second card: Card back"):
    find(app, name=picture, role=pyatspi.ROLE_IMAGE)
print("reads: Action: %s" % advice.name.strip())
print("reads: Your total: %s; Dealer's card value: %s" % (total, dealer))
print("reads: pictures: Your first card: Ace of spades; Your second card: Seven of spades; "
      "Dealer's up card: Nine of spades; Dealer's second card: Card back")

press(app, "Reset")
wait_text(app, "Your total", lambda t: t == "0", "Reset did not clear the total")
wait_for(lambda: search(app, name="Your first card: Empty place", role=pyatspi.ROLE_IMAGE),
         "Reset left the first card")
print("reads: Action: %s" % text(find(app, description="Action")))

# A keyboard user: real Space presses, the focus following the hand from card to card.
def space():
    subprocess.run(["xdotool", "key", "space"], check=True)


find(app, name="Your card: Ace").queryComponent().grabFocus()
space()
wait_text(app, "Your total", lambda t: t != "0", "the first Space entered no card")
space()
action_reads("Enter dealers up card", "two Spaces did not enter the hand")
space()
advice = action_reads("Split", "the third Space, not the advice for A,A against an ace")
space()
action_reads("Enter your hand", "the fourth Space did not reset the hand")
print("keyboard: Space, Space, Space gave %r; Space reset the hand" % advice.strip())
print("1 passed, 0 failed")
