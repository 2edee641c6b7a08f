#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every text of every room fits its place, in every shipped language.

    text_fit_test.py QUILRUSH32 DATA_TREE QRWTOOL

The game runs headless on a copy of the built data tree, once per interface language, and
this script walks it through every room: the title, the home room with each module's
description on each page, the credits pages, the language room for the interface, and for
every bundled module and a module whose texts are as long as the editor lets an author make
them: the start room, the author pages, the language room for clues and answers, the
initials room, the diploma, and the play room with its help pages, the pause and quit panels
and a level played to its tally; and a question asked inside the window. The game reports
each text that was cut, wrapped out of its box or left blank ("TEXTCUT room where text");
any such line fails the test. Texts of a module shortened on purpose to end in "..."
("TEXTSHORT") are allowed, and must happen for the long module's title, handle,
description, level name and clues.
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile

LANGUAGES = ("eng", "deu", "fra")
LONGEST = 255  # a list stores at most 255 bytes a text
ANSWER = 21  # the editor warns from 22 characters on: no longer answer reaches a board


def long_text(words):
    text = ""
    while len(text) < LONGEST:
        text += words + " "
    return text[:LONGEST].rstrip()


def longest_module_source():
    """A quiz whose every text the game shows is as long as the editor allows."""
    answers = ["les sœurs et les cœur", "Œdipe et l'œil de Ÿve", "W" * ANSWER, "M" * ANSWER,
               "grandes sœurs de Noël"]
    assert all(len(a) == ANSWER for a in answers)
    lines = ["type: quiz",
             "title: " + long_text("Animals of the Farm and the Forest and the Wide Blue Sea"),
             "handle: " + long_text("Mrs Wilhelmina Wigglesworth-Smythe"),
             "name-language: English", "main-language: English"]
    lines += ["description: " + long_text(f"Line {i} of a description that goes on and on")
              for i in range(1, 5)]
    lines += ["author: " + long_text("Visit http://www.example.org/a-very-long-address-indeed"),
              "author: " + long_text("Written by a very patient author mailto:someone@example.org"),
              "comment: " + long_text("A comment with ever so many words in it")]
    lines += ["level: " + long_text(f"Level {i} with a name much longer than any title bar") + " | 1"
              for i in (1, 2)]
    for language in ("Deutsch", "Français"):
        lines += [f"[text-language {language}]",
                  "title: " + long_text(f"Ein langer Titel {language}"),
                  "level: " + long_text("Ebene mit langem Namen"),
                  "level: " + long_text("Noch eine Ebene mit langem Namen")]
        lines += ["description: " + long_text(f"Zeile {i} einer langen Beschreibung")
                  for i in range(1, 5)]
    lines += ["[words]", "@group 1 Long ones"]
    lines += [f"{a} | " + long_text(f"Clue {i}: which words are these, written out in full")
              for i, a in enumerate(answers, 1)]
    return "\n".join(lines) + "\n"


class Game:
    """The game under the headless driver, fed one command at a time."""

    def __init__(self, program, registry, language, runtime):
        env = dict(os.environ, XDG_RUNTIME_DIR=runtime)
        self.p = subprocess.Popen(
            [program, "--headless", "--registry", registry, "--seed", "3", "--nosound",
             "--language", language],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, env=env)
        self.events = []
        self.state = {}

    def do(self, command):
        """Runs the command and returns the state after it."""
        self.p.stdin.write((command + "\nstate\n").encode("utf-8"))
        self.p.stdin.flush()
        while True:
            raw = self.p.stdout.readline()
            if not raw:
                raise RuntimeError(f"the game ended after {command!r}:\n" + "\n".join(self.events[-20:]))
            line = raw.decode("utf-8", "replace").rstrip("\n")
            if line.startswith("{"):
                self.state = json.loads(line)
                return self.state
            self.events.append(line)
            if line.startswith("DRIVER"):
                raise RuntimeError(f"{command!r}: {line}")

    def enabled(self, box):
        return any(b["id"] == box and b["enabled"] for b in self.state.get("boxes", []))

    def click(self, box):
        return self.do("click box " + box)

    def click_while_enabled(self, box, most=20):
        for _ in range(most):
            if not self.enabled(box):
                return
            self.click(box)

    def close(self):
        self.p.stdin.close()
        self.p.wait(timeout=60)


def walk(game, modules):
    game.do("tick 30")
    assert game.state["room"] == "TITLE", game.state["room"]
    game.do("click 300 200")
    game.do("until room HOME 400")
    # Each module's description shows while the pointer rests on its row.
    while True:
        for row in range(4):
            game.do(f"mouse move 100 {100 + 35 * row + 17}")
        game.do("mouse move 300 395")
        if not game.enabled("NEXTPAGE"):
            break
        game.click("NEXTPAGE")
    game.click("CREDITS")
    game.click_while_enabled("NEXTPAGE")
    game.click("HOMEBTN")
    game.click("WORKLANG")
    assert game.state["languageMode"] == 0
    game.click("RETURN")
    # A question asked inside the window (as where the system shows no boxes): the home
    # room's quit question, answered with its last button (No).
    game.do("dialogs window")
    before = len(game.events)
    game.click("QUIT")
    asked = [e for e in game.events[before:] if e.startswith("QUESTION ")]
    assert asked, "the quit question was not asked in the window"
    game.do("click " + asked[-1].split()[-1].replace(",", " "))
    game.do("dialogs system")
    assert game.state["room"] == "HOME", game.state["room"]
    for module in modules:
        game.do("module " + module)
        game.do("go MODSTART")
        game.click("INFO")
        game.click_while_enabled("NEXTPAGE")
        game.click("RETURN")
        for box in ("CLUELANG", "ANSLANG"):
            if game.enabled(box):
                game.click(box)
                game.click("CANCEL")
        game.click("CHANGENAME")
        game.do("type WŒW")
        game.do("press ENTER")
        game.do("go DIPLOMA")
        game.click("DONE")
        game.click("PLAYGAME")
        game.do("tick 40")
        game.click("HELP")
        game.click_while_enabled("NEXTHELP")
        game.click("H0UNPAUSE")
        game.click("T1")
        game.click("T0")
        game.click("T2")
        game.click("NOQUIT")
        # The stand-in player finishes the level: its tally, then the next level begins.
        game.do("autoplay 100 0")
        game.do("until level 1 20000")
        game.do("autoplay off")
        game.do("go MODSTART")


def main():
    program, tree, qrwtool = sys.argv[1:4]
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        home = os.path.join(tmp, "home", "QuilRush")
        shutil.copytree(tree, home)
        for stale in ("quilrush.ini", "dat/hiscores.dat", "dat/modules.dat"):
            if os.path.exists(os.path.join(home, stale)):
                os.remove(os.path.join(home, stale))
        source = os.path.join(tmp, "longest.qrs")
        with open(source, "w", encoding="utf-8") as f:
            f.write(longest_module_source())
        longest = os.path.join(home, "lists", "longest.qrw")
        r = subprocess.run([qrwtool, "build", source, longest, "--strings",
                            os.path.join(tree, "str", "qr_eng.str")], capture_output=True)
        if r.returncode:
            print("FAIL: the long module did not build:", r.stderr.decode())
            return 1
        registry = os.path.join(tmp, "registry.ini")
        with open(registry, "w") as f:
            f.write("[Software\\UVO! Software]\nDevHome=%s\n" % os.path.join(tmp, "home"))
        lists = os.path.join(home, "lists")
        modules = sorted(os.path.join(lists, m) for m in os.listdir(lists) if m.endswith(".qrw"))
        for language in LANGUAGES:
            game = Game(program, registry, language, tmp)
            try:
                walk(game, modules)
            except (RuntimeError, AssertionError, KeyError) as e:
                failures.append(f"{language}: the walk stopped: {e}")
            finally:
                game.close()
            cuts = [e for e in game.events if e.startswith("TEXTCUT ")]
            shortened = [e for e in game.events if e.startswith("TEXTSHORT ")]
            failures += [f"{language}: {c}" for c in cuts]
            for s in shortened:
                if not s.endswith("..."):
                    failures.append(f"{language}: shortened without dots: {s}")
            # The long module's texts are shortened in every place that shows them.
            for place in ("HOME TITLE", "HOME HANDLE", "HOME DESCRIPTION", "MODSTART TITLE",
                          "MODSTART HANDLE", "AUTHOR HEADING", "AUTHOR LINE", "DIPLOMA TITLE",
                          "PLAY TITLE", "PLAY CLUE"):
                if not any(s.startswith("TEXTSHORT " + place) for s in shortened):
                    failures.append(f"{language}: nothing shortened at {place}")
            print(f"{language}: {len(cuts)} cut, {len(shortened)} shortened on purpose")
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
