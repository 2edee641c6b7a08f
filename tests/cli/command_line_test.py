#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The command-line conventions of every program: --help and --version on standard output
# with exit 0; an unknown option or a bad value named on standard error with the usage and
# exit 2; a file that cannot be used (missing, a folder, empty, random bytes) refused with
# its name on standard error, and no output file left behind. Nothing may crash, and no
# control byte from the input may reach the terminal.
#
# usage: command_line_test.py SOURCE_DIR VERSION NAME=PATH...
import os
import re
import shutil
import subprocess
import sys
import tempfile

source, version = sys.argv[1], sys.argv[2]
programs = dict(arg.split("=", 1) for arg in sys.argv[3:])
failures = []


def check(ok, message):
    if not ok:
        failures.append(message)


work = tempfile.mkdtemp(prefix="qr_cli_")
home = os.path.join(work, "home")
os.makedirs(home)
# Nothing of the user's own settings is read or written.
env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
           XDG_RUNTIME_DIR=work, QT_QPA_PLATFORM="offscreen")
env.pop("QUILRUSH_REGISTRY", None)
env.pop("DISPLAY", None)
env.pop("WAYLAND_DISPLAY", None)

# The unusable inputs. Random bytes carry an escape sequence, so echoing them would show;
# so would the escape, bell and carriage return in a file's name.
inputs = {"missing": os.path.join(work, "missing.file"), "folder": os.path.join(work, "a-folder"),
          "empty": os.path.join(work, "empty.file"), "random": os.path.join(work, "random.file"),
          "oddly named": os.path.join(work, "odd\x1b[2J\x07\rname.csv")}
os.makedirs(inputs["folder"])
open(inputs["empty"], "wb").close()
for kind in ("random", "oddly named"):
    with open(inputs[kind], "wb") as f:
        f.write(b"\x1b[31m\x00\x07" + bytes((i * 151 + 7) % 256 for i in range(3000)))

# A copy, since the game compiles the world script next to it.
world = os.path.join(work, "world")
shutil.copytree(os.path.join(source, "tests/fixtures/world"), world)
registry = os.path.join(work, "registry.ini")
os.makedirs(os.path.join(work, "inst"))
with open(registry, "w") as f:
    f.write("[Software\\UVO! Software\\QuilRush]\nDirectory=%s/inst\n" % work)
palette = os.path.join(source, "data/art/palette.pal")
OUT = os.path.join(work, "out")  # every command's output file; must not appear on failure

# Per program: the command lines that read one input file ({} stands for it), the exit
# codes expected for each kind of input, and bad values that must be refused with 2.
english = os.path.join(source, "data", "str", "eng.txt")
TOOL_FAILS = {"missing": 1, "folder": 1, "empty": 1, "random": 1, "oddly named": 1}
TABLE = {
    "quilrush32": {
        "file": [["--data", world, "--registry", registry, "--seed", "1", "--headless", "{}"]],
        # An empty drive script is an empty session; the others are refused before start-up.
        "expect": {"missing": 2, "folder": 2, "empty": 0, "random": 2, "oddly named": 2},
        "bad": [["--seed", "abc"], ["--seed", "-1"], ["--seed", "4294967296"], ["--seed", "12x"],
                ["--seed"], ["--depth", "0"], ["--depth", "33"], ["--depth", ""],
                ["--registry", ""], ["--language"], ["SOUNDOFF"]],
    },
    "px8tool": {
        "file": [["list", "{}"], ["extract", "{}", "x", OUT + ".png"],
                 ["palette", "export", "{}", OUT + ".pal"], ["pack", OUT + ".px8", "{}"]],
        "expect": TOOL_FAILS,
        "bad": [[], ["frobnicate"], ["list"], ["palette", "mix"]],
    },
    "fonttool": {
        "file": [["metrics", "{}", OUT + ".cpp"]],
        "expect": TOOL_FAILS,
        "bad": [[], ["render", "a", "b"], ["frobnicate", "x"]],
    },
    "qrwtool": {
        "file": [["check", "{}"], ["dump", "{}"], ["export", "{}"], ["build", "{}", OUT + ".qrw"],
                 ["upgrade", "{}", OUT + ".qrw"], ["import", "{}", OUT + ".qrw"],
                 ["export", "{}", "--csv", OUT + ".csv"]],
        "expect": TOOL_FAILS,
        "bad": [[], ["frobnicate", "x"], ["check"], ["--strings"], ["import", "x"],
                ["import", "x", "y", "--type", "crossword"]],
    },
    "anmtool": {
        "file": [["dump", "{}"], ["export", "{}"], ["build", "{}", OUT + ".anm"],
                 ["trace", "{}", "--scene", "0"], ["render", "{}", "--scene", "0", OUT + ".png"]],
        "expect": TOOL_FAILS,
        "bad": [[], ["frobnicate", "x"], ["dump"], ["trace", "x"], ["trace", "x", "--scene", "9"],
                ["render", "x", "--scene", "0"], ["trace", "x", "--scene", "0", "--ticks", "0"]],
    },
    "qrdata": {
        "file": [["strings", "{}", OUT + ".str"], ["compile-script", "{}", OUT + ".dat"],
                 ["compile-sounds", "{}", OUT + ".dat"], ["quantise", "{}", palette, OUT + ".png"],
                 ["po-export", "{}", english, OUT + ".po"], ["po-export", english, "{}", OUT + ".po"],
                 ["po-template", "{}", OUT + ".pot"], ["po-import", "{}", english, OUT + ".txt"]],
        "expect": TOOL_FAILS,
        "bad": [[], ["frobnicate", "a", "b"], ["po-import", "a", "b"], ["quantise", "a", palette, "b", "key=300"],
                ["quantise", "a", palette, "b", "key=x"]],
    },
    "anmtool": {
        "file": [["dump", "{}"], ["build", "{}", OUT + ".anm"], ["export", "{}", OUT + ".txt"]],
        "expect": TOOL_FAILS,
        "bad": [[], ["frobnicate"], ["dump"], ["trace", "x"], ["trace", "x", "--scene", "99"]],
    },
    # The editor answers the options every program shares; its files are its own business.
    "quarry32": {"file": [], "expect": {}, "bad": []},
}


def run(name, args):
    r = subprocess.run([programs[name]] + args, env=env, cwd=work, stdin=subprocess.DEVNULL,
                       capture_output=True, timeout=120)
    return r.returncode, r.stdout, r.stderr


def sound(name, what, code, out, err):
    # No crash, no sanitizer report, no raw escape or bell from the input.
    check(0 <= code < 128, f"{name} {what}: ended by a signal or abort ({code})")
    check(b"Sanitizer" not in err and b"runtime error" not in err,
          f"{name} {what}: sanitizer report: {err[-400:]!r}")
    for stream, text in (("stdout", out), ("stderr", err)):
        check(b"\x1b" not in text and b"\x07" not in text and b"\x00" not in text
              and (stream == "stdout" or b"\r" not in text),
              f"{name} {what}: raw control bytes on {stream}: {text[:200]!r}")


for name, path in programs.items():
    row = TABLE[name]

    code, out, err = run(name, ["--help"])
    sound(name, "--help", code, out, err)
    check(code == 0 and re.search(rb"usage", out, re.I) and not err,
          f"{name} --help: exit {code}, stdout {out[:80]!r}, stderr {err[:200]!r}")

    code, out, err = run(name, ["--version"])
    sound(name, "--version", code, out, err)
    check(code == 0 and out.startswith(f"{name} {version}".encode()) and not err,
          f"{name} --version: exit {code}, stdout {out!r}, stderr {err[:200]!r}")

    for option in ["--no-such-option", "-Z", "--bad\x1b[2Jname"]:
        code, out, err = run(name, [option])
        sound(name, repr(option), code, out, err)
        shown = option.replace("\x1b", "\\x1B").encode()
        check(code == 2 and not out and shown in err and re.search(rb"usage", err, re.I),
              f"{name} {option!r}: exit {code}, stdout {out[:80]!r}, stderr {err[:300]!r}")

    for args in row["bad"]:
        code, out, err = run(name, args)
        sound(name, str(args), code, out, err)
        check(code == 2 and not out and re.search(rb"usage", err, re.I)
              and err.lower().startswith(f"{name}: ".encode()),
              f"{name} {args}: exit {code}, stdout {out[:80]!r}, stderr {err[:300]!r}")

    for form in row["file"]:
        for kind, file in inputs.items():
            args = [file if a == "{}" else a for a in form]
            for leftover in [p for p in os.listdir(work) if p.startswith("out")]:
                os.remove(os.path.join(work, leftover))
            code, out, err = run(name, args)
            what = f"{' '.join(form)} with a {kind} file"
            sound(name, what, code, out, err)
            want = row["expect"][kind]
            check(code == want, f"{name} {what}: exit {code}, expected {want}; stderr {err[:300]!r}")
            if want != 0:
                shown = os.path.basename(file).encode()
                for byte in b"\x1b\x07\r":
                    shown = shown.replace(bytes([byte]), b"\\x%02X" % byte)
                check(shown in err,
                      f"{name} {what}: the file is not named on stderr: {err[:300]!r}")
                check(not err.startswith(b"usage") and err.startswith(f"{name}: ".encode()),
                      f"{name} {what}: the message does not start with the program: {err[:200]!r}")
                made = [p for p in os.listdir(work) if p.startswith("out")]
                check(not made, f"{name} {what}: left {made} behind")

shutil.rmtree(work, ignore_errors=True)
for f in failures:
    print("FAIL:", f)
print(f"{len(programs)} programs checked, {len(failures)} failures")
sys.exit(1 if failures else 0)
