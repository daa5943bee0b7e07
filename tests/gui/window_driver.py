"""What the window tests share: dogtail set up for a private session, waits
with time limits, finding windows and controls, starting and leaving the
program, reading its settings.

The test scripts take the same arguments, KORVANE TESTDATA SCENARIO, and run
under run-window-test.sh, which provides KORVANE_TEST_WORK.
"""

import os
import re
import select
import subprocess
import sys
import time
import traceback

from dogtail import config

config.config.checkForA11y = False
config.config.logDebugToFile = False
config.config.logDebugToStdOut = False
config.config.searchCutoffCount = 2
config.config.actionDelay = 0.2
config.config.typingDelay = 0.02
for key in ("scratchDir", "dataDir", "logDir"):
    setattr(config.config, key, os.path.join(os.environ["TMPDIR"], "dogtail-" + key) + "/")

import pyatspi  # noqa: E402
from dogtail import predicate, rawinput, tree  # noqa: E402  (after the configuration)

KORVANE, TESTDATA, SCENARIO = sys.argv[1], sys.argv[2], sys.argv[3]
WORK = os.environ["KORVANE_TEST_WORK"]
MAIN_TITLE = "Tessaly PCD to JPG 3.0"
CONFIG_INI = os.path.join(os.environ["XDG_CONFIG_HOME"], "Tessaly", "korvane", "config.ini")


def step(text):
    print("--", text, flush=True)


def wait_for(what, probe, timeout=20.0):
    """The first true result of probe within timeout seconds."""
    deadline = time.monotonic() + timeout
    last_error = None
    while time.monotonic() < deadline:
        try:
            result = probe()
            if result:
                return result
        except Exception as error:  # the tree changes under our feet
            last_error = error
        time.sleep(0.2)
    save_failure_picture()
    raise AssertionError("timed out waiting for %s (%s)" % (what, last_error))


_failure_picture_taken = False


def save_failure_picture():
    """What the screen shows now, for whoever reads the log of a failed test;
    taken at the first failed wait, before the test stops the program."""
    global _failure_picture_taken
    shot = os.environ.get("KORVANE_FAILURE_PICTURE")
    if shot and not _failure_picture_taken:
        _failure_picture_taken = True
        subprocess.run(["import", "-window", "root", shot], timeout=20)


def find(node, role, name=None, timeout=20.0, showing=False):
    """A control below node; with showing, only one on screen (hidden pages keep theirs)."""
    def probe():
        if not showing:
            return node.findChild(predicate.GenericPredicate(name=name, roleName=role), retry=False,
                                  requireResult=False)
        found = node.findChildren(predicate.GenericPredicate(name=name, roleName=role), showingOnly=True)
        return found[0] if found else None
    return wait_for("%s %r" % (role, name), probe, timeout)


# A dialog of our own reads as a frame, the toolkit's as dialog, alert or file chooser.
WINDOW_ROLES = ("frame", "dialog", "alert", "file chooser")


def assert_icon(box):
    """A message box shows the icon of its kind, at the size the desktop gives such icons."""
    icon = find(box, "icon", showing=True, timeout=10)
    assert min(icon.size) >= 32, icon.size


def main_window_alone(app):
    return [child.name for child in app.children if child.roleName in WINDOW_ROLES] == [MAIN_TITLE]


def find_dialog(app, name_pattern, timeout=20.0, active=False):
    """A window of app; with active, only once it has the keyboard, so that keys pressed next reach it."""
    def probe():
        for child in app.children:
            if child.roleName in WINDOW_ROLES and re.match(name_pattern, child.name) and (
                    not active or child.getState().contains(pyatspi.STATE_ACTIVE)):
                return child
        return None
    try:
        return wait_for("a dialog named %r" % name_pattern, probe, timeout)
    except AssertionError:
        shown = [(child.roleName, child.name) for child in app.children]
        raise AssertionError("no window named %r among %r" % (name_pattern, shown)) from None


def click(node):
    """Clicks node with the pointer once it has a place on the screen: a
    window just opened, or a menu opened before that still lists its items,
    may not have one yet."""
    wait_for("%r to be on the screen" % node.name, lambda: node.showing and min(node.position) >= 0, timeout=10)
    node.click()


def menu_command(app, menu, item, keys=None):
    """Chooses a menu item with the pointer, or with keys (menu, item) as
    underlined: Alt with the menu's key, then the item's key."""
    if not keys:
        # A click that comes while the window is still disabled by a dialog
        # just closed opens nothing; it is repeated.
        for attempt in range(3):
            find(app, "menu", menu).click()
            try:
                node = find(app, "menu item", item, showing=True, timeout=5)
                break
            except AssertionError:
                if attempt == 2:
                    raise
                rawinput.pressKey("Escape")
        click(node)
        return
    find(app, "frame", MAIN_TITLE).grabFocus()
    rawinput.keyCombo("<Alt>" + keys[0])
    find(app, "menu item", item, showing=True, timeout=10)
    rawinput.pressKey(keys[1])


def choose_in_file_dialog(app, title, path):
    find_dialog(app, re.escape(title))
    time.sleep(0.5)
    rawinput.typeText(path)
    time.sleep(0.3)
    rawinput.pressKey("Return")
    wait_for("the dialog to close", lambda: main_window_alone(app))


def start(env, arguments=(), window=MAIN_TITLE, stderr=None):
    """The program started and its window shown; stderr, a file, takes what it writes there."""
    program = subprocess.Popen([KORVANE, *arguments], env=env, stderr=stderr)

    # By its process: a copy that has just ended may linger on the bus a moment.
    def probe():
        for child in tree.root.children:
            if child.name == "korvane" and child.get_process_id() == program.pid:
                return child
        return None
    app = wait_for("the program on the accessibility bus", probe, timeout=30)
    find_dialog(app, re.escape(window))
    return program, app


def leave(program, app):
    find(app, "frame", MAIN_TITLE).grabFocus()
    rawinput.keyCombo("<Alt>x")
    wait_for("the program to end", lambda: program.poll() is not None, timeout=15)
    assert program.returncode == 0, program.returncode


def centre_of(node):
    (x, y), (width, height) = node.position, node.size
    return x + width // 2, y + height // 2


def drag_file_onto(path, target):
    """Drags path with the pointer, as from a file manager, and drops it at
    the screen point target."""
    source = subprocess.Popen(["/usr/bin/python3", os.path.join(os.path.dirname(__file__), "drag_source.py"), path],
                              stdout=subprocess.PIPE, text=True)
    try:
        ready, _, _ = select.select([source.stdout], [], [], 20)
        assert ready, "the drag source did not show"
        start_x, start_y = (int(value) for value in source.stdout.readline().split())

        def pointer(*arguments):
            subprocess.run(["xdotool", *map(str, arguments)], check=True, timeout=10)
        pointer("mousemove", start_x, start_y)
        time.sleep(0.3)
        pointer("mousedown", 1)
        # Small steps: GTK starts a drag only once the pointer has moved a little while held.
        steps = 20
        for step_number in range(1, steps + 1):
            pointer("mousemove", start_x + (target[0] - start_x) * step_number // steps,
                    start_y + (target[1] - start_y) * step_number // steps)
            time.sleep(0.05)
        time.sleep(0.3)
        pointer("mouseup", 1)
        time.sleep(0.5)
    finally:
        source.kill()
        source.wait()


def looks_of(node):
    """A signature of the pixels node covers on the screen now."""
    (x, y), (width, height) = node.position, node.size
    shot = os.path.join(WORK, "looks.png")
    subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x, y), "+repage", shot],
                   check=True, timeout=20)
    return subprocess.check_output(["identify", "-format", "%#", shot], text=True)


def picture_size(path):
    return subprocess.check_output(["identify", "-format", "%wx%h", path], text=True)


def read_config():
    with open(CONFIG_INI, encoding="utf-8-sig") as file:
        return file.read()


def config_value(text, key):
    match = re.search(r"^%s = (.*)$" % re.escape(key), text, re.MULTILINE)
    assert match, "no %s in config.ini:\n%s" % (key, text)
    return match.group(1)


def take_input_and_output(app, pac, out_folder, first_start=True, by_keys=False):
    """Chooses the input file and the output folder, through the menu with
    the pointer or by the menus' access keys; on a first start, with no
    recent output folder, the input file's folder is offered meanwhile."""
    step("choosing the input file")
    menu_command(app, "File", "Add Input File...", keys=by_keys and "fa")
    choose_in_file_dialog(app, "Select Input Files", pac)
    field = find(app, "text")
    wait_for("the input field to show the pac", lambda: field.text == pac)
    if first_start:
        assert find(app, "combo box", os.path.dirname(pac) + "/") is not None

    step("choosing the output folder")
    menu_command(app, "File", "Select Output Folder...", keys=by_keys and "fs")
    choose_in_file_dialog(app, "Select Output Folder", out_folder)
    find(app, "combo box", out_folder + "/")


def run(scenarios):
    """Runs the scenario named on the command line; on failure saves what the screen showed."""
    try:
        scenarios[SCENARIO]()
    except BaseException:
        traceback.print_exc(file=sys.stdout)
        save_failure_picture()
        raise
    print("passed:", SCENARIO, flush=True)
