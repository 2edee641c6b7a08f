#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""How the headless game ends when it is told to, or killed.

1. SIGTERM, SIGINT and SIGHUP end it in any room, without a question, with exit code 0
   and the settings saved: while it waits for a command on a pipe, and in a long tick.
2. SIGKILL at random moments, most of them while it saves at shut-down, leaves the settings
   file as either the old or the new complete version, the high scores and their backup
   each missing or complete (never the scores without the backup, which is saved first),
   and the next start
   removes any temporary file the killed save left.
3. A flipped bit in the high-score file is repaired from the backup at the next start, which
   names the table it repaired.

usage: shutdown_test.py QUILRUSH32 FIXTURE_DIR [KILLS]
"""
import os
import random
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from game_install import fail, failures, make_installation  # noqa: E402

game, fixture = sys.argv[1], sys.argv[2]
kills = int(sys.argv[3]) if len(sys.argv) > 3 else 200
work, inst, registry, ini, env = make_installation()
try:
    prog = os.path.join(work, "prog")
    shutil.copytree(fixture, prog)

    def start(script_text, **kw):
        script = os.path.join(work, "drive")
        with open(script, "w") as f:
            f.write(script_text)
        return subprocess.Popen([game, "--registry", registry, "--data", prog, "--seed", "1",
                                 "--headless", script], env=env, stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT, text=True, **kw)

    # --- 1. termination signals, while the game waits for its next command on a pipe
    # (which also shows that each command runs as soon as it is read) and in a long tick
    for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        for room, moves, busy in (("HOME", "", False), ("PLAY", "click 150 150\n", False),
                                  ("PLAY", "click 150 150\n", True)):
            if os.path.exists(ini):
                os.remove(ini)
            p = subprocess.Popen([game, "--registry", registry, "--data", prog, "--seed", "1",
                                  "--headless"], env=env, stdin=subprocess.PIPE,
                                 stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
            p.stdin.write("%sexpect room %s\nstate\n" % (moves, room))
            if busy:
                p.stdin.write("tick 100000\n" * 20)
            p.stdin.flush()
            seen = []
            for line in p.stdout:
                seen.append(line.rstrip("\n"))
                if line.startswith("{"):
                    break
            if busy:
                time.sleep(0.2)
            p.send_signal(sig)
            rest = p.stdout.read().splitlines()
            code = p.wait(timeout=60)
            p.stdin.close()
            what = "%s in %s%s" % (signal.Signals(sig).name, room, " in a long tick" if busy else "")
            if not seen or not seen[-1].startswith("{"):
                fail("%s: no state line before the signal: %s" % (what, seen))
            if code != 0:
                fail("%s: exit code %d, said %s" % (what, code, seen + rest))
            if any(l.startswith("DIALOG") for l in rest):
                fail("%s: a question or message on the way out: %s" % (what, rest))
            text = open(ini).read() if os.path.exists(ini) else ""
            if "Working language=English" not in text:
                fail("%s: the settings were not saved: %r" % (what, text))
    print("termination signals: checked")

    # --- 2. kills around the save
    # A large settings file (kept by the game as it is) makes the save take a while.
    padding = "".join("; padding line %06d of a settings file that has grown\n" % i
                      for i in range(4000))
    old = ("[Identity]\nCurrent player=OLD\n[Options]\nSpeed setting=1\nSound=1\n\n[Padding]\n"
           + padding)
    script = "tick 3\n"

    def reset():
        for name in os.listdir(inst):
            os.remove(os.path.join(inst, name)) if os.path.isfile(
                os.path.join(inst, name)) else shutil.rmtree(os.path.join(inst, name))
        with open(ini, "w") as f:
            f.write(old)

    scores = os.path.join(inst, "dat", "hiscores.dat")
    backup = os.path.join(inst, "dat", "hiscores.bak")

    def strays():
        found = []
        for folder in (inst, os.path.join(inst, "dat")):
            if os.path.isdir(folder):
                found += [n for n in os.listdir(folder) if n.startswith(".quilrush-tmp-")]
        return found

    def read(path):
        if not os.path.exists(path):
            return None
        with open(path, "rb") as f:
            return f.read()

    reset()
    began = time.monotonic()
    p = start(script)
    p.communicate(timeout=120)
    whole = time.monotonic() - began
    new = open(ini).read()
    if new == old or "Working language=English" not in new:
        fail("the undisturbed run did not save the new settings")
    new_scores, new_backup = read(scores), read(backup)
    if not new_scores or not new_backup:
        fail("the undisturbed run did not save the high scores and their backup")
    print("an undisturbed run takes %.2f s" % whole)
    counts = {"old": 0, "new": 0, "stray": 0}
    rng = random.Random(18)
    for i in range(kills):
        reset()
        p = start(script)
        if i % 3 == 0:
            # Anywhere in the run.
            at = rng.uniform(0, whole * 1.05)
            time.sleep(at)
        else:
            # While it saves: once its temporary file is there, a moment later.
            at = rng.uniform(0, 0.004)
            deadline = time.monotonic() + whole * 5
            while not strays() and p.poll() is None and time.monotonic() < deadline:
                pass
            time.sleep(at)
        p.kill()
        p.communicate()
        text = open(ini).read() if os.path.exists(ini) else None
        if text == old:
            counts["old"] += 1
        elif text == new:
            counts["new"] += 1
        else:
            fail("kill %d after %.3f s: the settings file is neither the old nor the new one "
                 "(%s bytes)" % (i, at, None if text is None else len(text)))
        got_scores, got_backup = read(scores), read(backup)
        if got_scores not in (None, new_scores) or got_backup not in (None, new_backup):
            fail("kill %d after %.3f s: a torn high-score file or backup" % (i, at))
        if got_scores is not None and got_backup is None:
            fail("kill %d after %.3f s: the high scores were saved before their backup" % (i, at))
        if strays():
            counts["stray"] += 1
            # The next start clears what the killed save left behind.
            q = start("")
            q.communicate(timeout=120)
            if strays():
                fail("kill %d: temporary files survive the next start: %s" % (i, strays()))
    print("kills: %d, old file %d, new file %d, killed mid-save (temporary file left) %d"
          % (kills, counts["old"], counts["new"], counts["stray"]))

    # --- 3. a flipped bit in the high scores
    reset()
    start(script).communicate(timeout=120)
    saved = read(scores)
    flipped = bytearray(saved)
    flipped[len(flipped) // 3] ^= 0x04
    with open(scores, "wb") as f:
        f.write(bytes(flipped))
    said = start("").communicate(timeout=120)[0]
    if "it is restored from \"%s\"" % backup not in said or "high-score table \"#=" not in said:
        fail("a damaged high-score file was not repaired from its backup with a word: %r" % said)
    if read(scores) != saved:
        fail("the repaired high-score file is not the one saved before the damage")
    print("a flipped bit in the high scores: repaired from the backup")
finally:
    shutil.rmtree(work, ignore_errors=True)

sys.exit(1 if failures else 0)
