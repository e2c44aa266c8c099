"""What the end-to-end tests share to read a program through AT-SPI, as a screen reader does.
   As a command: atspi.py APP PATTERN waits until a node of APP is named to match PATTERN (a
   regular expression), the program's sign that what was asked of it is done."""
import re
import sys
import time

import pyatspi

# How long any wait may take. It is reached only when something is really wrong: every wait
# ends on the program's own sign that it is done, however slow or busy the machine.
BOUND = 150


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(test, what, seconds=BOUND):
    """Polls test() until it gives something true, and returns that; fails naming what."""
    end = time.monotonic() + seconds
    while True:
        found = test()
        if found:
            return found
        if time.monotonic() > end:
            fail("%s (after %d s)" % (what() if callable(what) else what, seconds))
        time.sleep(0.05)


def application(name):
    def registered():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        return None
    return wait_for(registered, "no application %r on the accessibility bus" % name)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def search(app, name=None, description=None, role=None):
    for node in walk(app):
        if name is not None and node.name != name:
            continue
        if description is not None and node.description != description:
            continue
        if role is not None and node.getRole() != role:
            continue
        return node
    return None


def find(app, name=None, description=None, role=None):
    node = search(app, name, description, role)
    if node is None:
        fail("nothing named %r / described %r" % (name, description))
    return node


def text(node):
    try:
        t = node.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return node.name


def wait_text(app, description, test, what):
    """The text of the node so described, once test(text) holds."""
    def read():
        node = search(app, description=description)
        return node is not None and test(text(node)) and text(node)
    return wait_for(read, lambda: "%s: %r" % (what, text(find(app, description=description))))


if __name__ == "__main__":
    program, pattern = sys.argv[1], re.compile(sys.argv[2])
    app = application(program)
    wait_for(lambda: any(node.name and pattern.search(node.name) for node in walk(app)),
             "nothing of %s named like %r" % (program, sys.argv[2]))
