#!/usr/bin/python3
"""The README's layout table against the code: each folder uses (includes from, its forms'
promoted widgets among them) exactly the folders its row names, each of them listed before it, lowest layer first; and no two files
include each other in a circle.
   check_layout.py SOURCE_FOLDER"""
import collections
import os
import re
import sys

root = sys.argv[1]
readme = open(os.path.join(root, "README.md")).read()
table = readme[readme.index("## Layout"):]
order, named = [], {}
for line in table.splitlines():
    cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
    if len(cells) != 3 or not cells[0].startswith("`"):
        continue
    folder = cells[0].strip("`/")
    order.append(folder)
    named[folder] = set(re.findall(r"`(\w[\w-]*)/`", cells[2]))

files = []
for folder in order:
    if folder in ("tests", "bench", "docs"):
        continue
    for base, _, names in os.walk(os.path.join(root, folder)):
        files += [os.path.relpath(os.path.join(base, name), root) for name in names
                  if name.endswith((".h", ".cpp", ".ui"))]
where = collections.defaultdict(list)
for f in files:
    where[os.path.basename(f)].append(f)

failures = []
uses = collections.defaultdict(set)
includes = collections.defaultdict(set)
for f in files:
    folder = f.split("/")[0]
    text = open(os.path.join(root, f)).read()
    # A form's promoted widgets are included by the code generated from it.
    for name in re.findall(r'#include "([^"]+)"|<header>([^<]+)</header>', text):
        name = name[0] or name[1]
        found = where.get(name)
        if not found:
            continue  # generated (ui_*.h, Version.h) or the system's
        if len(found) > 1:
            failures.append("%s: %s is in %s" % (f, name, ", ".join(found)))
        includes[f].add(found[0])
        other = found[0].split("/")[0]
        if other != folder:
            uses[folder].add(other)

for folder in order:
    if folder in ("tests", "bench", "docs"):
        continue
    if uses[folder] != named[folder]:
        failures.append("%s/ uses %s; its row says %s" % (
            folder, sorted(uses[folder]) or "nothing", sorted(named[folder]) or "nothing"))
    for other in uses[folder]:
        if other in order and order.index(other) > order.index(folder):
            failures.append("%s/ uses %s/, which is listed after it" % (folder, other))


def circle(start):
    path, seen = [start], set()

    def walk(f):
        for g in includes.get(f, ()):
            if g == start:
                return path + [g]
            if g not in seen:
                seen.add(g)
                path.append(g)
                found = walk(g)
                if found:
                    return found
                path.pop()
        return None
    return walk(start)


for f in sorted(includes):
    found = circle(f)
    if found:
        failures.append("a circle: " + " -> ".join(found))
        break

for failure in failures:
    print("FAIL: " + failure)
print("%d folders, %d files: %s" % (len(order), len(files), "FAILED" if failures else "as the table says"))
sys.exit(1 if failures else 0)
