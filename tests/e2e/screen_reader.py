"""Plays the start of a game through AT-SPI, as a screen reader's user would hear it.

Run inside a session bus on an X display: starts the registry and the program with
accessibility on, deals by the Deal button's action, then checks that the player's cards and
the piles have names a card can have, that a computer play is announced and that the pile's
name then matches the announced card; when the computer waits for the player, the keys 1 to 4
play. Every wait is an upper bound for a slow machine.
"""
import os
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

CARD = r"(two|three|four|five|six|seven|eight|nine|ten|jack|queen|king|ace) of (clubs|diamonds|hearts|spades)"
BOUND = float(os.environ.get("BOUND", "120"))
# Announcements are merged within a second; ten times that for a slow machine.
MERGE_BOUND = 10.0


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, check):
    end = time.monotonic() + BOUND
    while time.monotonic() < end:
        found = check()
        if found:
            return found
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def name(node):
    node.clear_cache()
    return node.get_name() or ""


def walk(node):
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child)


def find(root, pattern):
    return [n for n in walk(root) if re.fullmatch(pattern, name(n))]


def press(node):
    if node.get_n_actions() < 1:
        fail(name(node) + " has no action")
    node.do_action(0)


def main():
    binary, report = sys.argv[1], sys.argv[2]
    registry = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               LANGUAGE="en", LANG="C.UTF-8", LC_ALL="C.UTF-8",
               XDG_CONFIG_HOME=os.path.join(os.path.dirname(binary), "config"))
    program = subprocess.Popen([binary], cwd=os.path.dirname(binary), env=env)
    lines = []
    try:
        desktop = Atspi.get_desktop(0)
        app = wait_for("the program on the accessibility bus", lambda: next(
            (desktop.get_child_at_index(i) for i in range(desktop.get_child_count())
             if desktop.get_child_at_index(i) and name(desktop.get_child_at_index(i)) == "Tolvi"),
            None))
        deal = wait_for("the Deal button", lambda: next(iter(find(app, "Deal")), None))
        status = wait_for("the game's status", lambda: next(
            (n for n in walk(app) if n.get_description() == "Game events"), None))
        press(deal)
        ok = wait_for("the start message's OK", lambda: next(iter(find(app, "OK")), None))
        press(ok)

        cards = wait_for("the player's four cards named", lambda: (
            c if len(c := find(app, r"Your card [1-4]: " + CARD)) == 4 else None))
        piles = find(app, r"(Left|Right) pile: " + CARD)
        if len(piles) != 2:
            fail("the piles are not named with their cards: %r" % [name(p) for p in piles])
        lines += [name(n) for n in cards + piles]
        if not find(app, r"The computer cannot play") or not find(app, r"Score: \d+"):
            fail("the wait sign or the score has no name")

        # The computer's plays are announced, and the pile a play went on then has that card's
        # name, unless something announced since has covered or turned it over.
        play = r"The computer laid the (%s) on the (left|right) pile" % CARD
        end = time.monotonic() + BOUND
        matched = None
        last_text, still_since = None, time.monotonic()
        while matched is None and time.monotonic() < end:
            text = name(status)
            if text != last_text:
                last_text, still_since = text, time.monotonic()
            still = time.monotonic() - still_since
            plays = list(re.finditer(play, text))
            if plays and not re.search("laid|turned over", text[plays[-1].end():]):
                last = plays[-1]
                pile = "Left" if last.group(4) == "left" else "Right"
                shown = name(find(app, r"%s pile: .*" % pile)[0])
                if shown == "%s pile: %s" % (pile, last.group(1)):
                    matched = (text, shown)
                    break
                # A later play may wait to be announced with the next ones (the names never
                # wait), but not for longer than that.
                if still > MERGE_BOUND:
                    fail("announced \"%s\" but the pile is named \"%s\"" % (last.group(0), shown))
            elif still > 2:
                # The computer waits for a play of ours: the player's keys lay a card.
                subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Tolvi$",
                                "windowfocus", "--sync", "key", "1", "2", "3", "4"],
                               check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                still_since = time.monotonic()
            time.sleep(0.1)
        if matched is None:
            fail("timed out waiting for a computer play announced")
        lines += matched
    finally:
        program.kill()
        program.wait()
        registry.terminate()
        registry.wait()
        with open(report, "w") as f:
            f.write("\n".join(lines) + "\n")
    print("\n".join(lines))


if __name__ == "__main__":
    main()
