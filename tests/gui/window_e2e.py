"""The main window driven as a user drives it, through the accessibility bus.

    window_e2e.py KORVANE TESTDATA SCENARIO

Run by run-window-test.sh, which provides the display, the D-Bus session, the
window manager and private folders (KORVANE_TEST_WORK). Scenarios:

  convert  a first start opens centred on the screen; a second window ends
           at once while a console conversion and -h run beside it; pick a
           pac and a folder through the menus' access keys and the file
           dialogs, convert with F5, open the links; Ctrl+N empties the job;
           files dropped onto the toolbar, menu bar and status bar become the
           input file; leave with Alt+X
  stop     while a slow conversion runs its bar moves, Escape asks whether
           to stop it (No goes on), the close box asks too and Yes stops it;
           OK has its access key; a file that is no pac ends as "Conversion
           stopped" in the dialog and the status bar, with the reason
  screenshots  the -T switch writes the pictures of every window, dialog,
               preferences page and theme, each as large as its window, and
               changes neither config.ini nor a setting; a theme package it
               cannot read is named, and the run fails
"""

import os
import re
import shutil
import subprocess
import time

from dogtail import rawinput

from window_driver import (CONFIG_INI, KORVANE, MAIN_TITLE, TESTDATA, WORK, assert_icon, centre_of,
                           choose_in_file_dialog, config_value, drag_file_onto, find, find_dialog, leave, looks_of,
                           main_window_alone, menu_command, picture_size, read_config, run, start, step,
                           take_input_and_output, wait_for)


def assert_centred_on_screen(frame):
    """The window, frame of the window manager included, sits in the middle of
    the screen; the title bar it adds on top may push it down a little."""
    screen = [int(value) for value in subprocess.check_output(["xdotool", "getdisplaygeometry"], text=True).split()]

    def offset():
        x, y = centre_of(frame)
        return x - screen[0] // 2, y - screen[1] // 2

    try:
        wait_for("the window in the middle of the screen",
                 lambda: abs(offset()[0]) <= 4 and 0 <= offset()[1] <= 20, timeout=10)
    except AssertionError:
        raise AssertionError("the window's centre is %r from the screen's (%r at %r on %r)"
                             % (offset(), frame.size, frame.position, screen)) from None


def scenario_convert():
    in_folder = os.path.join(WORK, "in")
    out_folder = os.path.join(WORK, "out")
    os.makedirs(in_folder)
    os.makedirs(out_folder)
    pac = os.path.join(in_folder, "kodim23-16base.pcd")
    shutil.copy(os.path.join(TESTDATA, "photocd", "kodim23-16base.pcd"), pac)
    opened = os.path.join(WORK, "opened.txt")
    opener = os.path.join(WORK, "opener.sh")
    with open(opener, "w") as file:
        file.write('#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' % opened)
    os.chmod(opener, 0o755)
    env = dict(os.environ, KORVANE_OPENER=opener)

    program, app = start(env)
    try:
        step("a first start opens centred on the screen")
        assert_centred_on_screen(find(app, "frame", MAIN_TITLE))

        step("a second window ends at once, silently; console runs go on beside the window")
        second = subprocess.run([KORVANE], env=env, timeout=10, capture_output=True)
        assert second.returncode == 0 and second.stdout == b"" and second.stderr == b"", second
        console_folder = os.path.join(WORK, "console")
        os.makedirs(console_folder)
        console = subprocess.run([KORVANE, "-i", pac, "-o", console_folder], env=env, timeout=120,
                                 capture_output=True)
        assert console.returncode == 0 and console.stderr == b"", console
        assert console.stdout.splitlines()[-1] == b"Files converted: 1 of 1", console.stdout
        assert picture_size(os.path.join(console_folder, "kodim23-16base.jpg")) == "3072x2048"
        usage = subprocess.run([KORVANE, "-h"], env=env, timeout=10, capture_output=True)
        assert usage.returncode == 0 and b"Usage: korvane -i <filename> [options]" in usage.stdout, usage
        assert program.poll() is None

        take_input_and_output(app, pac, out_folder, by_keys=True)
        step("converting")
        rawinput.pressKey("F5")
        dialog = find_dialog(app, r"Conversion complete \(1/1\)", timeout=120)
        find(dialog, "label", "Files converted: 1 of 1")
        ok = find(dialog, "push button", "OK")
        assert ok.sensitive
        ok.doActionNamed("click")
        wait_for("the progress dialog to close", lambda: main_window_alone(app))

        menu_command(app, "Help", "Visit the Program's Homepage")
        menu_command(app, "Help", "Send Feedback")
        wait_for("both links to open", lambda: os.path.exists(opened) and len(open(opened).readlines()) == 2)
        with open(opened) as file:
            links = file.read().splitlines()
        assert links[0] == "https://www.tessaly.com/korvane/", links
        assert links[1] == "mailto:support@tessaly.com?subject=Tessaly%20PCD%20to%20JPG%203.0%20Feedback", links

        # F1 opens the manual of the source tree the program was built from,
        # and does nothing at all while there is none.
        manual = os.path.join(os.path.dirname(os.path.abspath(TESTDATA)), "docs", "manual", "index.html")
        find(app, "frame", MAIN_TITLE).grabFocus()
        rawinput.pressKey("F1")
        if os.path.exists(manual):
            wait_for("the manual to open", lambda: len(open(opened).readlines()) == 3)
            assert open(opened).read().splitlines()[2] == manual
        else:
            time.sleep(1)
            assert len(open(opened).readlines()) == 2

        step("Ctrl+N empties the job, and the folder box is named after what it shows")
        frame = find(app, "frame", MAIN_TITLE)
        frame.grabFocus()
        rawinput.keyCombo("<Control>n")
        field = find(app, "text")
        folder_box = find(frame, "combo box")  # the first: the output folder
        wait_for("the input field to empty", lambda: field.text == "", timeout=10)
        wait_for("the folder box to name no folder", lambda: folder_box.name == "", timeout=10)
        find(folder_box, "menu item", out_folder + "/").doActionNamed("click")
        wait_for("the folder box to name the folder chosen in it", lambda: folder_box.name == out_folder + "/",
                 timeout=10)

        step("a file dropped onto the toolbar, the menu bar or the status bar becomes the input file")
        (left, top), (width, height) = frame.position, frame.size
        bars = find(frame, "tool bar"), find(frame, "menu bar")
        targets = {"tool bar": (bars[0].position[0] + bars[0].size[0] - 20, centre_of(bars[0])[1]),
                   "menu bar": (bars[1].position[0] + bars[1].size[0] - 20, centre_of(bars[1])[1]),
                   "status bar": (left + width // 2, top + height - 10)}
        for bar, target in targets.items():
            dropped = os.path.join(in_folder, "dropped on the %s.pcd" % bar)
            shutil.copy(pac, dropped)
            drag_file_onto(dropped, target)
            wait_for("the input field to show the file dropped onto the " + bar, lambda: field.text == dropped,
                     timeout=10)

        leave(program, app)
    finally:
        if program.poll() is None:
            program.kill()

    size = picture_size(os.path.join(out_folder, "kodim23-16base.jpg"))
    assert size == "3072x2048", size
    settings = read_config()
    assert config_value(settings, "Width") == "510", settings
    for key in ("X", "Y", "Height"):
        assert re.fullmatch(r"-?\d+", config_value(settings, key)), settings
    assert int(config_value(settings, "Height")) >= 260, settings
    assert config_value(settings, "IsMaximized") == "0", settings
    folders = config_value(settings, "Recent Out Folders").split("\t")
    assert folders[:2] == [out_folder + "/", in_folder + "/"], folders


def scenario_stop():
    folder = os.path.join(WORK, "files")
    os.makedirs(folder)
    pac = os.path.join(folder, "kodim23.pcd")
    shutil.copy(os.path.join(TESTDATA, "photocd", "kodim23.pcd"), pac)
    # convert waits until the test lets it go (a minute at most), so the
    # question is asked while the file is still being converted.
    release = os.path.join(WORK, "release")
    stub_folder = os.path.join(WORK, "stub")
    os.makedirs(stub_folder)
    with open(os.path.join(stub_folder, "convert"), "w") as file:
        file.write('#!/bin/sh\nfor i in $(seq 600); do [ -e "%s" ] && exit 1; sleep 0.1; done\nexit 1\n' % release)
    os.chmod(os.path.join(stub_folder, "convert"), 0o755)
    env = dict(os.environ, PATH=stub_folder + ":/usr/bin:/bin")
    # Settings of an earlier run: kept through the run, except the recent
    # folders, whose history is off.
    os.makedirs(os.path.dirname(CONFIG_INI))
    with open(CONFIG_INI, "w", encoding="utf-8") as file:
        file.write("[Output]\r\nJPG Quality = 80\r\n[File]\r\nRecent Out Folders = /a/\t/b/\r\n"
                   "Recent Files = x\r\n[Advanced]\r\nOut Folders History = 0\r\n")

    program, app = start(env)
    try:
        take_input_and_output(app, pac, folder)
        rawinput.pressKey("F5")
        dialog = find_dialog(app, r"Converting \(1/1\)", active=True)
        assert not find(dialog, "push button", "OK").sensitive

        step("the bar of a lone file moves while it converts")
        bar = find(dialog, "progress bar")
        first_looks = looks_of(bar)
        wait_for("the bar to move", lambda: looks_of(bar) != first_looks, timeout=10)

        def answer_stop_question(answer):
            question = find_dialog(app, "Warning")
            find(question, "label", "Do you want to break the conversion?")
            assert_icon(question)
            find(question, "push button", answer).doActionNamed("click")
            wait_for("the question to close", lambda: not any(c.name == "Warning" for c in app.children))

        step("Escape asks whether to stop; No goes on")
        rawinput.pressKey("Escape")
        answer_stop_question("No")
        dialog = find_dialog(app, r"Converting \(1/1\)", active=True)
        assert not find(dialog, "push button", "OK").sensitive

        step("the close box asks too; Yes stops after the file")
        rawinput.keyCombo("<Alt>F4")
        answer_stop_question("Yes")
        assert find_dialog(app, r"Converting \(1/1\)")
        open(release, "w").close()
        dialog = find_dialog(app, r"Conversion stopped \(1/1\)", timeout=60, active=True)
        find(dialog, "label", "Conversion stopped")
        rawinput.keyCombo("<Alt>o")
        wait_for("OK's access key to close the dialog", lambda: main_window_alone(app), timeout=10)

        step("a file that is no pac ends the run as stopped, and tells why")
        junk = os.path.join(folder, "notes.pcd")
        with open(junk, "w") as file:
            file.write("not a PhotoCD image pac\n" * 100)
        menu_command(app, "File", "Add Input File...")
        choose_in_file_dialog(app, "Select Input Files", junk)
        rawinput.pressKey("F5")
        dialog = find_dialog(app, r"Conversion stopped \(1/1\)", timeout=60, active=True)
        find(dialog, "label", "Files converted: 0 of 1")
        find(dialog, "label", "The decoder failed with exit status 1")
        assert find(dialog, "progress bar").queryValue().currentValue == 1.0
        find(find(app, "frame", MAIN_TITLE), "panel", "Conversion stopped")
        rawinput.pressKey("Escape")
        wait_for("Escape to close the ended dialog", lambda: main_window_alone(app), timeout=10)
        leave(program, app)
    finally:
        open(release, "w").close()
        if program.poll() is None:
            program.kill()

    settings = read_config()
    assert config_value(settings, "JPG Quality") == "80", settings
    assert config_value(settings, "Recent Files") == "x", settings
    assert config_value(settings, "Recent Out Folders") == "", settings


PREFERENCE_PAGES = ("general", "interface", "input", "output", "transform", "adjustment", "frame", "watermark",
                    "advanced")
# The panels that only a choice on their page brings up, with that page.
PREFERENCE_PANELS = {"frame-solid": "frame", "watermark-text": "watermark", "watermark-picture": "watermark"}


def picture_facts(path):
    """Width, height, number of colours and a hash of the pixels."""
    width, height, colours, pixels = subprocess.check_output(
        ["identify", "-format", "%w %h %k %#", path], text=True).split()
    return int(width), int(height), int(colours), pixels


def scenario_screenshots():
    folder = os.path.join(WORK, "pictures", "new")  # made by the program
    os.makedirs(os.path.dirname(CONFIG_INI))
    stored = b"[General]\r\nTheme=flat\r\n"
    with open(CONFIG_INI, "wb") as file:
        file.write(stored)
    shots = subprocess.run([KORVANE, "-T", folder], timeout=150, capture_output=True)
    assert shots.returncode == 0 and shots.stdout == b"", shots
    # Neither a misused toolkit nor a setting the pictures changed.
    for complaint in (b"CRITICAL", b"check failed", b"changed the settings", b"cannot write"):
        assert complaint not in shots.stderr, shots.stderr
    with open(CONFIG_INI, "rb") as file:
        assert file.read() == stored, "the screenshots wrote config.ini"

    themes = sorted(name[:-4] for name in os.listdir(os.path.join(os.path.dirname(KORVANE), "gfx"))
                    if name.endswith(".zip"))
    assert "handdrawn" in themes and "flat" in themes, themes
    expected = ["main-window", "main-window-filled", "progress-running", "progress-single", "progress-finished",
                "progress-stopped", "progress-failed", "about", "custom-converter", "uninstall"]
    expected += ["preferences-" + name for name in PREFERENCE_PAGES + tuple(PREFERENCE_PANELS)]
    expected += ["main-window-" + key for key in themes] + ["theme-%s-icons" % key for key in themes]
    written = sorted(name[:-4] for name in os.listdir(folder))
    assert written == sorted(expected), written
    facts = {name: picture_facts(os.path.join(folder, name + ".png")) for name in expected}
    for name, (width, height, colours, _) in facts.items():
        # A blank or single-coloured picture means nothing was drawn.
        assert colours >= 16, (name, colours)
    sizes = {name: fact[:2] for name, fact in facts.items()}
    # The window at its default width and content height, in every theme; the
    # progress dialog at its width, as tall with the time line as without it.
    assert sizes["main-window"][0] == 510 and sizes["main-window"][1] >= 260, sizes
    for key in themes:
        assert sizes["main-window-" + key] == sizes["main-window"], sizes
    assert sizes["main-window-filled"] == sizes["main-window"], sizes
    for name in ("progress-running", "progress-single", "progress-finished", "progress-stopped", "progress-failed"):
        assert sizes[name][0] == 300, sizes
    assert sizes["progress-running"] == sizes["progress-stopped"], sizes
    assert sizes["progress-single"] == sizes["progress-finished"], sizes
    assert sizes["progress-finished"][1] < sizes["progress-running"][1], sizes
    # The reason of a failed file takes lines of its own, none cut off.
    assert sizes["progress-failed"][1] > sizes["progress-finished"][1], sizes
    # The preferences keep one size on every page; a panel a choice brings up
    # shows more than its page without it.
    for name in PREFERENCE_PAGES + tuple(PREFERENCE_PANELS):
        assert sizes["preferences-" + name] == (600, sizes["preferences-general"][1]), sizes
    for panel, page in PREFERENCE_PANELS.items():
        assert facts["preferences-" + panel][3] != facts["preferences-" + page][3], (panel, "looks like", page)
    # The small dialogs at the size of their contents: not cut to nothing,
    # not stretched over the screen.
    for name in ("about", "custom-converter", "uninstall"):
        assert 200 <= sizes[name][0] <= 640 and 50 <= sizes[name][1] <= 480, (name, sizes[name])
    # The sheets of two themes show different pictures.
    assert facts["theme-handdrawn-icons"][3] != facts["theme-flat-icons"][3]
    assert facts["main-window-handdrawn"][3] != facts["main-window-flat"][3]
    # The user manual's pictures are these, under the same names.
    manual = os.path.join(os.path.dirname(os.path.abspath(TESTDATA)), "docs", "manual")
    for page in sorted(name for name in os.listdir(manual) if name.endswith(".html")):
        with open(os.path.join(manual, page), encoding="utf-8") as file:
            for name in re.findall(r'src="images/([^"]+)\.png"', file.read()):
                assert name in written, (page, name)

    # A program whose theme folder holds a package that is no archive: the
    # pictures are made all the same, the package is named and the run fails.
    program_folder = os.path.join(WORK, "program")
    os.makedirs(os.path.join(program_folder, "gfx"))
    program = os.path.join(program_folder, "korvane")
    shutil.copy(KORVANE, program)
    shutil.copy(os.path.join(os.path.dirname(KORVANE), "korvane-window.so"), program_folder)
    shutil.copy(os.path.join(os.path.dirname(KORVANE), "gfx", "flat.zip"), os.path.join(program_folder, "gfx"))
    broken = os.path.join(program_folder, "gfx", "broken.zip")
    with open(broken, "w") as file:
        file.write("no archive")
    folder = os.path.join(WORK, "pictures", "broken theme")
    shots = subprocess.run([program, "-T", folder], timeout=150, capture_output=True)
    assert shots.returncode != 0, shots
    assert shots.stderr.decode().splitlines() == ["korvane: cannot read the theme package " + broken], shots.stderr
    written = os.listdir(folder)
    assert "theme-flat-icons.png" in written and "main-window-broken.png" in written, written
    assert "theme-broken-icons.png" not in written, written


if __name__ == "__main__":
    run({"convert": scenario_convert, "stop": scenario_stop, "screenshots": scenario_screenshots})
