"""What the window costs: how soon it shows, what a conversion through it adds
to the same conversion on the console, and how busy the interface thread is
while the worker converts.

    window_bench.py KORVANE PAC RUNS

Run by tests/gui/run-window-test.sh (a display, D-Bus session and window
manager of its own, private folders). Prints one line per figure:
"window|name|median|unit|limit".
"""

import os
import re
import shutil
import statistics
import subprocess
import sys
import time

from dogtail import config

config.config.checkForA11y = False
config.config.logDebugToFile = False
config.config.logDebugToStdOut = False
config.config.searchCutoffCount = 2
config.config.actionDelay = 0.1
config.config.typingDelay = 0.01
for key in ("scratchDir", "dataDir", "logDir"):
    setattr(config.config, key, os.path.join(os.environ["TMPDIR"], "dogtail-" + key) + "/")

from dogtail import predicate, rawinput, tree  # noqa: E402  (after the configuration)

KORVANE, SOURCE_PAC, RUNS = sys.argv[1], sys.argv[2], int(sys.argv[3])
WORK = os.environ["KORVANE_TEST_WORK"]
TITLE = "Tessaly PCD to JPG 3.0"
TICKS = os.sysconf("SC_CLK_TCK")


def wait_for(what, probe, timeout=30.0, pause=0.002):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            result = probe()
            if result:
                return result
        except Exception:
            pass
        time.sleep(pause)
    raise SystemExit("timed out waiting for " + what)


def window_viewable():
    shown = subprocess.run(["xwininfo", "-name", TITLE], capture_output=True, text=True)
    return "IsViewable" in shown.stdout


def stub_convert(folder, seconds):
    """A convert that hands over a picture made beforehand, after a pause."""
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, "convert")
    with open(path, "w") as file:
        file.write('#!/bin/sh\nsleep %s\nfor last; do :; done\nexec cp "%s" "${last#ppm:}"\n'
                   % (seconds, os.path.join(WORK, "prepared.ppm")))
    os.chmod(path, 0o755)
    return folder + ":/usr/bin:/bin"


def start(env):
    program = subprocess.Popen([KORVANE], env=env)
    app = wait_for("the window", lambda: tree.root.application("korvane"))
    return program, app


def quit_program(program, app):
    app.findChild(predicate.GenericPredicate(name=TITLE, roleName="frame"), retry=False).grabFocus()
    rawinput.keyCombo("<Alt>x")
    try:
        program.wait(timeout=15)
    except subprocess.TimeoutExpired:
        program.kill()
        raise


def progress_window(app, pattern):
    for child in app.children:
        if child.roleName == "frame" and re.match(pattern, child.name):
            return child
    return None


def main_thread_seconds(pid):
    with open("/proc/%d/task/%d/stat" % (pid, pid)) as file:
        fields = file.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def finish_conversion(app, pause):
    dialog = wait_for("the end of the conversion", lambda: progress_window(app, r"Conversion complete"),
                      pause=pause)
    finished = time.monotonic()
    dialog.findChild(predicate.GenericPredicate(name="OK", roleName="push button"), retry=False).doActionNamed("click")
    wait_for("the dialog to close", lambda: progress_window(app, r"Conversion") is None)
    return finished


def convert_through_window(app):
    """Seconds from F5 to the finished dialog."""
    began = time.monotonic()
    rawinput.pressKey("F5")
    return finish_conversion(app, 0.005) - began


def interface_load(app, pid):
    """The main thread's share of a core while the worker converts, left
    alone: asking the accessibility bus would keep that thread busy."""
    rawinput.pressKey("F5")
    time.sleep(0.2)
    cpu_before = main_thread_seconds(pid)
    began = time.monotonic()
    time.sleep(1.5)
    share = (main_thread_seconds(pid) - cpu_before) / (time.monotonic() - began)
    finish_conversion(app, 0.1)
    return share


def main():
    pac = os.path.join(WORK, os.path.basename(SOURCE_PAC))
    shutil.copy(SOURCE_PAC, pac)
    subprocess.run(["convert", "-quiet", "pcd:%s[3]" % pac, "ppm:" + os.path.join(WORK, "prepared.ppm")],
                   check=True)
    results = []

    # 1. From start to a window the user can see.
    shown = []
    for _ in range(RUNS):
        began = time.monotonic()
        program = subprocess.Popen([KORVANE])
        wait_for("the window to show", window_viewable)
        shown.append(time.monotonic() - began)
        program.terminate()
        program.wait(timeout=15)
    results.append(("window shown after start", statistics.median(shown) * 1000, "ms", 500))

    # 2. The same conversion on the console and through the window.
    env = dict(os.environ, PATH=stub_convert(os.path.join(WORK, "quick"), 0))
    console = []
    for _ in range(RUNS):
        began = time.monotonic()
        subprocess.run([KORVANE, "-q", "-i", pac, "-o", WORK], env=env, check=True)
        console.append(time.monotonic() - began)
    program, app = start(env)
    app.findChild(predicate.GenericPredicate(name="File", roleName="menu"), retry=False).click()
    app.findChild(predicate.GenericPredicate(name="Add Input File...", roleName="menu item"), retry=False).click()
    time.sleep(1)
    rawinput.typeText(pac)
    rawinput.pressKey("Return")
    field = app.findChild(predicate.GenericPredicate(roleName="text"), retry=False)
    wait_for("the input file", lambda: field.text == pac)
    window = [convert_through_window(app) for _ in range(RUNS)]
    quit_program(program, app)
    added = (statistics.median(window) - statistics.median(console)) * 1000
    results.append(("conversion through the window over the console", added, "ms", 50))

    # 3. The interface thread while the worker waits for a slow convert.
    env = dict(os.environ, PATH=stub_convert(os.path.join(WORK, "slow"), 2.5))
    program, app = start(env)
    app.findChild(predicate.GenericPredicate(name="File", roleName="menu"), retry=False).click()
    app.findChild(predicate.GenericPredicate(name="Add Input File...", roleName="menu item"), retry=False).click()
    time.sleep(1)
    rawinput.typeText(pac)
    rawinput.pressKey("Return")
    field = app.findChild(predicate.GenericPredicate(roleName="text"), retry=False)
    wait_for("the input file", lambda: field.text == pac)
    share = interface_load(app, program.pid)
    quit_program(program, app)
    results.append(("interface thread while converting", 100 * share, "% of a core", 5))

    for name, value, unit, limit in results:
        print("window|%s|%.1f|%s|%s" % (name, value, unit, limit), flush=True)


if __name__ == "__main__":
    main()
