"""What the end-to-end tests share to read a program through AT-SPI, as a screen reader does."""
import sys
import time

import pyatspi


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def application(name):
    for _ in range(200):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.05)
    fail("no application %r on the accessibility bus" % name)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def find(app, name=None, description=None, role=None):
    for node in walk(app):
        if name is not None and node.name != name:
            continue
        if description is not None and node.description != description:
            continue
        if role is not None and node.getRole() != role:
            continue
        return node
    fail("nothing named %r / described %r" % (name, description))


def text(node):
    try:
        t = node.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return node.name
