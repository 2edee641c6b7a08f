#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks that the machine-readable licence record (debian/copyright, DEP-5) and the
files' own SPDX lines say the same thing, and that the record is complete as Debian
reads it.

usage: licence_check.py SOURCE_DIR

For every file of the source tree the last matching "Files:" paragraph decides (as in
DEP-5); a file that names its licence with an SPDX line must name the same one. Every
pattern must decide at least one file (a pattern that matches nothing, or whose files a
later paragraph takes, misleads a reader), every licence named must have its text in the
record and in LICENSES/, every stand-alone licence text must be used, and a licence
whose text LICENSES/ holds in full must be given in full.
"""
import os
import re
import subprocess
import sys

# Build products that a build or a package build leaves inside the tree.
SKIP_DIRS = {".git", "build"}
SKIP_DEBIAN = re.compile(r"^debian/(\.debhelper|tmp|quill-rush[^/]*)/|"
                         r"^debian/(files|debhelper-build-stamp|.*\.substvars|.*\.debhelper\.log)$")


def source_files(root):
    try:
        out = subprocess.run(["git", "-C", root, "ls-files", "-z", "--cached", "--others", "--exclude-standard"], capture_output=True,
                             check=True).stdout.decode()
        files = [f for f in out.split("\0") if f]
        if files:
            return sorted(f for f in files if os.path.lexists(os.path.join(root, f)))
    except (OSError, subprocess.CalledProcessError):
        pass
    files = []
    for d, dirs, names in os.walk(root):
        rel = os.path.relpath(d, root)
        dirs[:] = [x for x in dirs if not (x in SKIP_DIRS or (rel == "." and x.startswith("obj-")))]
        for n in names:
            f = os.path.normpath(os.path.join(rel, n))
            if not SKIP_DEBIAN.match(f):
                files.append(f)
    return sorted(files)


def paragraphs(text):
    """The record's paragraphs as lists of (field, first line, continuation lines)."""
    result = []
    for block in re.split(r"\n[ \t]*\n", text.strip("\n")):
        fields = []
        for line in block.split("\n"):
            if line[:1] in (" ", "\t"):
                fields[-1][2].append(line[1:])
            else:
                name, _, value = line.partition(":")
                fields.append((name.strip(), value.strip(), []))
        result.append(fields)
    return result


def glob_to_regex(pattern):
    out = ""
    i = 0
    while i < len(pattern):
        c = pattern[i]
        if c == "\\" and i + 1 < len(pattern):
            out += re.escape(pattern[i + 1])
            i += 1
        elif c == "*":
            out += ".*"
        elif c == "?":
            out += "."
        else:
            out += re.escape(c)
        i += 1
    return re.compile(out + r"\Z", re.S)


SPDX_LINE = re.compile(r"SPDX-License-Identifier:\s*(.+?)\s*(?:-->|\*/|$)", re.M)


def spdx_of(path):
    try:
        with open(path, "rb") as f:
            head = f.read(4096).decode("utf-8", "replace")
    except OSError:
        return None
    m = SPDX_LINE.search(head)
    return m.group(1).strip() if m else None


def normalise(expr):
    return " ".join(w.upper() if w.lower() in ("and", "or", "with") else w
                    for w in expr.replace("(", " ( ").replace(")", " ) ").split())


def licence_names(expr):
    return {w for w in normalise(expr).split() if w not in ("AND", "OR", "WITH", "(", ")")}


def flat(lines):
    """A licence text without its line breaks, paragraph marks and spacing."""
    return " ".join(w for line in lines for w in line.split() if w != ".")


def main():
    root = sys.argv[1]
    problems = []
    record_path = os.path.join(root, "debian", "copyright")
    with open(record_path, encoding="utf-8") as f:
        paras = paragraphs(f.read())
    if not paras or not any(n == "Format" for n, _, _ in paras[0]):
        problems.append("debian/copyright: the first paragraph is not a DEP-5 header")

    files_paras = []   # (index, patterns, licence expression)
    texts = {}         # licence name -> its text (continuation lines)
    standalone = []
    for i, p in enumerate(paras[1:], 1):
        d = {n: (v, cont) for n, v, cont in p}
        if "License" not in d and "Files" in d:
            problems.append(f"paragraph {i}: Files without a License")
            continue
        if "License" not in d:
            continue
        lic, body = d["License"]
        if "Files" in d:
            v, cont = d["Files"]
            pats = (v + " " + " ".join(cont)).split()
            files_paras.append((i, pats, lic))
            if body:
                texts[lic] = body
        else:
            standalone.append(lic)
            if lic in texts:
                problems.append(f"the licence {lic} is given twice")
            texts[lic] = body

    compiled = [(i, pat, glob_to_regex(pat), lic) for i, pats, lic in files_paras for pat in pats]
    winners = {}   # (paragraph, pattern) -> files it decides
    files = source_files(root)
    for f in files:
        win = None
        for i, pat, rx, lic in compiled:
            if rx.match(f):
                win = (i, pat, lic)
        if win is None:
            problems.append(f"{f}: no Files paragraph covers it")
            continue
        winners.setdefault(win[:2], []).append(f)
        own = spdx_of(os.path.join(root, f))
        if own is not None and normalise(own) != normalise(win[2]):
            problems.append(f"{f}: its SPDX line says {own}, debian/copyright "
                            f"(Files: {win[1]}) says {win[2]}")

    for i, pat, _, _ in compiled:
        if (i, pat) not in winners:
            problems.append(f"Files: {pat} (paragraph {i}) decides no file: it matches none, "
                            "or later paragraphs take all it matches")

    used = set()
    for _, _, lic in files_paras:
        for name in licence_names(lic):
            used.add(name)
            if name not in texts or not texts[name]:
                problems.append(f"the licence {name} is used but its text is not in debian/copyright")
    for name in standalone:
        if name not in used:
            problems.append(f"the licence paragraph {name} is used by no Files paragraph")

    # LICENSES/ holds the text of every licence a file names or the record gives in a
    # paragraph of its own, and no other.
    spdx_used = set(standalone)
    for f in files:
        own = spdx_of(os.path.join(root, f))
        if own:
            spdx_used |= licence_names(own)
    shipped = {os.path.splitext(n)[0] for n in os.listdir(os.path.join(root, "LICENSES"))}
    for name in sorted(spdx_used - shipped):
        problems.append(f"LICENSES/{name}.txt is missing")
    for name in sorted(shipped - spdx_used):
        problems.append(f"LICENSES/{name}.txt is used by no file")
    # Where the record gives a licence's text in full (every one Debian does not keep in
    # /usr/share/common-licenses), it is the text of LICENSES/ word for word.
    for name in sorted(shipped & set(texts)):
        body = texts[name]
        if any("/usr/share/common-licenses/" in line for line in body):
            continue
        with open(os.path.join(root, "LICENSES", name + ".txt"), encoding="utf-8") as f:
            full = f.read().split("\n")
        if flat(body) != flat(full):
            problems.append(f"the text of {name} in debian/copyright is not LICENSES/{name}.txt")

    for p in problems:
        print("FAIL:", p)
    print(f"{len(files)} files, {len(compiled)} patterns, {len(texts)} licence texts: "
          f"{'disagreement' if problems else 'the record and the files agree'}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
