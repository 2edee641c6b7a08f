# SPDX-License-Identifier: GPL-3.0-or-later
"""What the Python tests of the game share: a throw-away installation folder registered in
a registry file of its own, a runtime folder for the lock, and a list of failures."""
import os
import tempfile

failures = []


def fail(message):
    failures.append(message)
    print("FAIL:", message)


def make_installation():
    """Returns (work folder, installation folder, registry file, settings file, environment)."""
    work = tempfile.mkdtemp()
    inst = os.path.join(work, "inst")
    os.makedirs(inst)
    os.makedirs(os.path.join(work, "run"), mode=0o700)
    registry = os.path.join(work, "reg.ini")
    with open(registry, "w") as f:
        f.write("[Software\\UVO! Software\\QuilRush]\nDirectory=%s\n" % inst)
    env = dict(os.environ, XDG_RUNTIME_DIR=os.path.join(work, "run"),
               XDG_DATA_HOME=os.path.join(work, "xdg"))
    return work, inst, registry, os.path.join(inst, "quilrush.ini"), env
