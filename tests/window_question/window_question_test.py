#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Questions asked inside the game's window, where the system cannot show a box.

The headless game is told the system has no boxes ("dialogs window"); the home room's quit
button then asks "Quit game?" in the window, drawn with the game's font and button
pictures. Each case answers it one way and checks the answer, what the window shows, and
how the game goes on. A termination signal while the question is open ends the game at
once, cleanly.

usage: window_question_test.py QUILRUSH32 DATA_TREE
"""
import os
import shutil
import signal
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from game_install import fail, failures, make_installation  # noqa: E402
from png_pixels import read_png  # noqa: E402

game, tree = sys.argv[1], sys.argv[2]
work, inst, registry, ini, env = make_installation()
try:
    command = [game, "--registry", registry, "--data", tree, "--seed", "1", "--headless"]
    opening = "tick 40\ngo HOME\ntick 5\ndialogs window\n"

    def shot(name):
        return os.path.join(work, name + ".png")

    def run(script):
        with open(os.path.join(work, "drive"), "w") as f:
            f.write(opening + script)
        p = subprocess.run(command + [os.path.join(work, "drive")], env=env, text=True,
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=120)
        return p.returncode, p.stdout.splitlines()

    # Where the buttons are: the game says so when it shows the question.
    code, lines = run("click box QUIT\n")
    asked = [l for l in lines if l.startswith("QUESTION ")]
    if code != 0 or len(asked) != 1:
        fail("the quit button did not ask in the window: %s" % lines)
        raise SystemExit
    words = asked[0].split("|")[1].split()
    at = {words[i]: words[i + 1].replace(",", " ") for i in range(0, len(words), 2)}
    if sorted(at) != ["No", "Yes"]:
        fail("the question's buttons are %s" % asked[0])
        raise SystemExit

    # answer input -> the answer and whether the game ends
    cases = [
        ("Escape", "key down ESCAPE\n", "No", False),
        ("Enter", "key down ENTER\n", "Yes", True),
        ("a click on No", "click %s\n" % at["No"], "No", False),
        ("a click on Yes", "click %s\n" % at["Yes"], "Yes", True),
        # Pressed on Yes, let go elsewhere: no answer yet; Escape then gives one.
        ("a press taken off the button", "mouse down %s\nmouse move 5 5\nmouse up 5 5\n"
         "key down ESCAPE\n" % at["Yes"], "No", False),
    ]
    for what, answer, want, ends in cases:
        code, lines = run("screenshot %s\nclick box QUIT\nscreenshot %s\n%sscreenshot %s\n"
                          "state\n" % (shot("before"), shot("asking"), answer, shot("after")))
        said = [l for l in lines if l.startswith("DIALOG")]
        if code != 0 or said != ["DIALOG Quill-Rush | Quit game? | Yes,No -> " + want]:
            fail("%s: exit %d, answers %s" % (what, code, said))
        # The state line, wherever the log lines of the way out (music stopping) fall.
        states = [l for l in lines if l.startswith("{")]
        state = states[-1] if states else ""
        if ('"quit":%s' % ("true" if ends else "false")) not in state or '"room":"HOME"' not in state:
            fail("%s: the game went on as %s" % (what, state))
        before, asking, after = (read_png(shot(n)) for n in ("before", "asking", "after"))
        if asking == before:
            fail("%s: the question was not drawn in the window" % what)
        if after != before:
            fail("%s: the window did not get back what the question covered" % what)
    print("answers by keyboard and mouse: checked")

    # A termination signal while the question waits for its answer.
    for sig in (signal.SIGTERM, signal.SIGHUP):
        if os.path.exists(ini):
            os.remove(ini)
        p = subprocess.Popen(command, env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                             stderr=subprocess.STDOUT, text=True)
        p.stdin.write(opening + "click box QUIT\n")
        p.stdin.flush()
        seen = []
        for line in p.stdout:
            seen.append(line.rstrip("\n"))
            if line.startswith("QUESTION"):
                break
        p.send_signal(sig)
        rest = p.stdout.read().splitlines()
        code = p.wait(timeout=60)
        p.stdin.close()
        name = signal.Signals(sig).name
        if not seen or not seen[-1].startswith("QUESTION"):
            fail("%s: the question was not asked: %s" % (name, seen))
        if code != 0:
            fail("%s: exit code %d, said %s" % (name, code, seen + rest))
        rest = [l for l in rest if not l.startswith("MUSIC ")]
        if rest != ["DIALOG Quill-Rush | Quit game? | Yes,No -> No"]:
            fail("%s: after the signal: %s" % (name, rest))
        text = open(ini).read() if os.path.exists(ini) else ""
        if "Working language=English" not in text:
            fail("%s: the settings were not saved: %r" % (name, text))
    print("termination signals while a question is open: checked")
finally:
    shutil.rmtree(work, ignore_errors=True)

sys.exit(1 if failures else 0)
