#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end checks of qrwtool.

lists  TOOL LISTS_DIR STRINGS : every bundled list source builds, checks, dumps to
                                JSON with the content a game needs, and comes back
                                byte for byte through export and build.
errors TOOL CORPUS_DIR STRINGS: damaged, missing and old files are handled the way
                                authors and the data build rely on.
"""
import json
import os
import re
import subprocess
import sys
import tempfile

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(tool, *args):
    return subprocess.run([tool, *args], capture_output=True)


def shown_form(answer):
    """An answer as the player sees it: braced parts hidden, [x] shown as x."""
    while True:
        m = re.search(r"\{[^}]*\}", answer)
        if not m:
            break
        answer = answer[: m.start()] + answer[m.end():]
    return re.sub(r"\[(.)\]", r"\1", answer)


def check_content(name, d):
    kind = d["listType"]
    words = [w["text"] for w in d["words"]]
    check(d["fileVersion"] == 12, f"{name}: version {d['fileVersion']}")
    check(d["title"] != "", f"{name}: no title")
    check(1 <= len(d["description"]) <= 4, f"{name}: description has {len(d['description'])} lines")
    check(len(set(words)) == len(words), f"{name}: a main word is there twice")
    check(len(d["levels"]) >= 6, f"{name}: only {len(d['levels'])} levels")
    for level in d["levels"]:
        check(level["name"] != "" and level["groups"], f"{name}: level {level} lacks a name or groups")
        playable = [w for w in d["words"] if w["group"] in level["groups"]]
        check(len(playable) >= 5, f"{name}: level {level['name']} has fewer than five words")
    named = {g["group"] for g in d["groupNames"]}
    check(named == {w["group"] for w in d["words"]}, f"{name}: a group has no name or no words")
    answers = list(words)
    if kind == "vocabulary":
        check(len(words) >= 80, f"{name}: only {len(words)} words")
        check(len(d["secondaryLanguages"]) == 1, f"{name}: expected one further language")
        for lang in d["secondaryLanguages"]:
            check(lang["code"] != 255, f"{name}: {lang['name']} has no language code")
            check(all(lang["translations"]), f"{name}: a {lang['name']} translation is missing")
            answers += lang["translations"]
        for extra in d["extraTextLanguages"]:
            check(extra["title"] and extra["description"] and all(extra["levelNames"]),
                  f"{name}: the {extra['name']} texts are incomplete")
    else:
        check(len(words) >= 60, f"{name}: only {len(words)} words")
        check(len(d["clues"]) == len(words) and all(d["clues"]), f"{name}: a clue is missing")
    if kind == "anagrams":
        check(all(re.fullmatch(r"[a-z]+", w) for w in words), f"{name}: an anagram is not one word of letters")
    if kind == "quiz":
        check(all(c.endswith("?") for c in d["clues"]), f"{name}: a question has no question mark")
    for a in answers:
        check(a and not a.startswith("-"), f"{name}: answer {a!r} cannot be played")
        check(len(shown_form(a)) < 22, f"{name}: answer {a!r} is too long to show")


def lists(tool, lists_dir, strings):
    sources = sorted(f for f in os.listdir(lists_dir) if f.endswith(".qrs"))
    kinds = set()
    check(len(sources) >= 4, f"only {len(sources)} bundled lists")
    with tempfile.TemporaryDirectory() as tmp:
        for src in sources:
            name = src[:-4]
            path = os.path.join(lists_dir, src)
            for extra in ([], ["--strings", strings]):
                built = os.path.join(tmp, name + ".qrw")
                again = os.path.join(tmp, name + "-again.qrw")
                exported = os.path.join(tmp, name + ".qrs")
                r = run(tool, "build", path, built, *extra)
                check(r.returncode == 0, f"{name}: build failed: {r.stderr.decode()}")
                if r.returncode:
                    continue
                r = run(tool, "check", built, "--strict")
                check(r.returncode == 0 and r.stderr == b"", f"{name}: check --strict refused the built list: {r.stderr!r}")
                r = run(tool, "export", built, exported, *extra)
                check(r.returncode == 0, f"{name}: export failed: {r.stderr.decode()}")
                check(run(tool, "build", exported, again, *extra).returncode == 0, f"{name}: rebuild failed")
                with open(built, "rb") as a, open(again, "rb") as b:
                    check(a.read() == b.read(), f"{name} {extra}: build, export, build changed the bytes")
                r = run(tool, "export", again)
                with open(exported, "rb") as e:
                    check(r.stdout == e.read(), f"{name}: export of the rebuilt list differs")
            r = run(tool, "dump", built, "--strings", strings)
            check(r.returncode == 0, f"{name}: dump failed")
            d = json.loads(r.stdout.decode("utf-8"))
            kinds.add(d["listType"])
            check_content(name, d)
    check(kinds == {"vocabulary", "anagrams", "quiz"}, f"list types present: {kinds}")


def errors(tool, corpus, strings):
    with tempfile.TemporaryDirectory() as tmp:
        good = os.path.join(corpus, "vocabulary_v12.qrw")
        with open(good, "rb") as f:
            data = bytearray(f.read())
        data[20] ^= 0x01
        bad = os.path.join(tmp, "bad.qrw")
        with open(bad, "wb") as f:
            f.write(data)
        for cmd in ("dump", "check", "export"):
            r = run(tool, cmd, bad)
            check(r.returncode == 1, f"{cmd} of a damaged file returned {r.returncode}")
            check(b"Word-list file is corrupt." in r.stderr, f"{cmd} gave no reason: {r.stderr!r}")
            check(r.stdout == b"", f"{cmd} printed output for a damaged file")
        r = run(tool, "check", os.path.join(tmp, "missing.qrw"))
        check(r.returncode == 1 and r.stderr, "a missing file was not refused with a message")
        r = run(tool, "frobnicate")
        check(r.returncode == 2, "an unknown command was accepted")

        # An old file is rewritten as the current version with the same content.
        old = os.path.join(corpus, "quiz_v1.qrw")
        new = os.path.join(tmp, "new.qrw")
        check(run(tool, "upgrade", old, new).returncode == 0, "upgrade failed")
        before = json.loads(run(tool, "dump", old, "--strings", strings).stdout)
        after = json.loads(run(tool, "dump", new, "--strings", strings).stdout)
        check(before["fileVersion"] == 1 and after["fileVersion"] == 12, "upgrade did not write version 12")
        for key in ("words", "clues", "title", "comments", "groupNames", "levels", "password"):
            check(before[key] == after[key], f"upgrade changed {key}")

        # A character no font of the game draws is named, with the text holding it; only
        # --strict makes it an error. Letters the fonts have (œ) pass.
        src = os.path.join(tmp, "undrawn.qrs")
        with open(src, "w", encoding="utf-8") as f:
            f.write("type: quiz\nmain-language: English\ntitle: Brands\u2122\n"
                    "[words]\n@group 1 Things\nsœur | Who is your mother's daughter?\n"
                    "caf\u00e9 | \u2039Where do you drink coffee?\n")
        out = os.path.join(tmp, "undrawn.qrw")
        check(run(tool, "build", src, out).returncode == 0, "the list with a blank character did not build")
        r = run(tool, "check", out)
        err = r.stderr.decode("utf-8", "replace")
        check(r.returncode == 0, f"check without --strict returned {r.returncode}")
        check('title "Brands\u2122" has the character U+2122 (byte 153)' in err, f"no warning for the title: {err!r}")
        check('clue 2 "\u2039Where do you drink coffee?" has the character U+2039 (byte 139)' in err,
              f"no warning for the clue: {err!r}")
        check("sœur" not in err and "word 1" not in err, f"a drawable word was warned about: {err!r}")
        check(run(tool, "check", out, "--strict").returncode == 1, "check --strict let a blank character pass")

        # A source with a mistake names its line and writes nothing.
        src = os.path.join(tmp, "broken.qrs")
        with open(src, "w") as f:
            f.write("type: quiz\nmain-language: English\n[words]\n@group 0\n")
        out = os.path.join(tmp, "broken.qrw")
        r = run(tool, "build", src, out)
        check(r.returncode == 1 and b"line 4" in r.stderr, f"bad source: {r.stderr!r}")
        check(not os.path.exists(out), "a failed build left a file")


def main():
    mode, tool, folder, strings = sys.argv[1:5]
    {"lists": lists, "errors": errors}[mode](tool, folder, strings)
    for f in failures:
        print("FAIL:", f)
    print(f"{len(failures)} problem(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
