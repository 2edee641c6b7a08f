#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The package's Build-Depends and scripts/install-deps name the same packages, less the
ones only a developer needs (fuzzing, formatting, benchmarks, packaging itself), so that
a package added for the build or the tests reaches both.

usage: build_depends_check.py SOURCE_DIR
"""
import os
import re
import sys

# In install-deps but not needed to build the package, with the reason.
DEVELOPER_ONLY = {
    "build-essential": "implied for every Debian build",
    "git": "the working copy's tool",
    "clang-format": "formatting",
    "clang": "fuzzing",
    "libclang-rt-14-dev": "fuzzing",
    "libbenchmark-dev": "benchmarks",
    "debhelper": "building the package itself",
    "lintian": "checking the package",
    "dpkg-dev": "building the package itself",
    "fakeroot": "building the package itself",
}


def main():
    root = sys.argv[1]
    text = open(os.path.join(root, "scripts", "install-deps")).read()
    m = re.search(r'PACKAGES="(.*?)"', text, re.S)
    deps = set(m.group(1).split())
    control = open(os.path.join(root, "debian", "control")).read()
    source = control.split("\n\n")[0]
    m = re.search(r"^Build-Depends:(.*?)(?=^\S)", source + "\nEnd:", re.M | re.S)
    build = {}
    for item in m.group(1).split(","):
        item = item.strip()
        if not item:
            continue
        name = item.split()[0]
        build[name] = item
    problems = []
    for name in sorted(deps - set(DEVELOPER_ONLY) - set(build)):
        problems.append(f"{name}: installed by install-deps, not in Build-Depends")
    for name in sorted(set(build) - deps - {"debhelper-compat"}):
        problems.append(f"{name}: in Build-Depends, not installed by install-deps")
    for p in problems:
        print("FAIL:", p)
    print(f"{len(build)} build dependencies, {len(deps)} in install-deps: "
          f"{'disagreement' if problems else 'they agree'}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
