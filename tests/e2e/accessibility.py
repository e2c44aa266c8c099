#!/usr/bin/python3
"""Plays one hand through the accessibility tree (AT-SPI), as a screen reader user would,
and reads back the advice, the totals and the pictures. Prints what it reads."""
import subprocess
import time

import pyatspi

from atspi import application, fail, find, text


def press(app, name):
    node = find(app, name=name)
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click", "Toggle"):
            action.doAction(i)
            break
    else:
        action.doAction(0)
    time.sleep(0.15)
    print("pressed: %s" % name)


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
prompt = text(find(app, description="Action"))
if prompt != "Enter dealers up card":
    fail("prompt: %r" % prompt)
print("reads: Action: %s" % prompt)
press(app, "Dealer's card: Nine")

advice = find(app, description="Action")
readings = set()
for _ in range(12):  # over more than one blink
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
if text(find(app, description="Your total")) != "0":
    fail("Reset did not clear the total")
find(app, name="Your first card: Empty place", role=pyatspi.ROLE_IMAGE)
print("reads: Action: %s" % text(find(app, description="Action")))

# A keyboard user: real Space presses, the focus following the hand from card to card.
def space():
    subprocess.run(["xdotool", "key", "space"], check=True)
    time.sleep(0.2)

find(app, name="Your card: Ace").queryComponent().grabFocus()
space()
space()
if text(find(app, description="Action")) != "Enter dealers up card":
    fail("two Spaces did not enter the hand")
space()
advice = text(find(app, description="Action"))
if advice.strip() != "Split":
    fail("the third Space gave %r, not the advice for A,A against an ace" % advice)
space()
if text(find(app, description="Action")) != "Enter your hand":
    fail("the fourth Space did not reset the hand")
print("keyboard: Space, Space, Space gave %r; Space reset the hand" % advice.strip())
print("1 passed, 0 failed")
