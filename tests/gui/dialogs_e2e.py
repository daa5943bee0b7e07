"""The preferences and the small dialogs driven as a user drives them.

    dialogs_e2e.py KORVANE TESTDATA SCENARIO

Run by run-window-test.sh, like window_e2e.py. Scenarios:

  preferences         the options button opens the Output page, the menu the
                      General page; a JPEG quality of 500 written into
                      config.ini by hand is refused by Convert in the
                      console's words, and nothing is converted; the Frame and
                      Watermark type lists stay put while their panels scroll,
                      without complaints from GTK; a JPEG quality out of range
                      shows clamped while the field has the keyboard; one
                      typed and confirmed with OK is used by the next
                      conversion and kept in config.ini, as is a custom file
                      time typed year/month/day hour:minute; another theme,
                      confirmed with Alt+O, leaves the small buttons and the
                      rows as they were
  preferences_cancel  changes left with Cancel or Escape are neither used
                      nor kept; Defaults asks first, with its icon
  small_dialogs       Return, Escape and Alt+O close the about box; an empty
                      converter search warns with its icon, Escape closes the
                      search; the uninstall prompt of -U opens its page only
                      when asked to (Next, Alt+N), never on Escape or its
                      close box
  update_check        the version check against a loopback server: a newer
                      version is offered, the same version reported current,
                      each in a box with its icon
"""

import calendar
import http.server
import os
import re
import shutil
import subprocess
import threading
import time

from dogtail import rawinput

from window_driver import (CONFIG_INI, MAIN_TITLE, TESTDATA, WINDOW_ROLES, WORK, assert_icon, click, config_value,
                           find, find_dialog, leave, main_window_alone, menu_command, read_config, run, start, step,
                           take_input_and_output, wait_for)


PREFERENCES_TITLE = "Preferences..."
HOME_PAGE = "https://www.tessaly.com/korvane/"


def opener_environment():
    """An environment whose "open" records its target in a file instead of starting a browser."""
    opened = os.path.join(WORK, "opened.txt")
    opener = os.path.join(WORK, "opener.sh")
    with open(opener, "w") as file:
        file.write('#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' % opened)
    os.chmod(opener, 0o755)
    return dict(os.environ, KORVANE_OPENER=opener), opened


def opened_targets(opened):
    if not os.path.exists(opened):
        return []
    with open(opened) as file:
        return file.read().splitlines()


def sample_files():
    in_folder = os.path.join(WORK, "in")
    out_folder = os.path.join(WORK, "out")
    os.makedirs(in_folder, exist_ok=True)
    os.makedirs(out_folder, exist_ok=True)
    pac = os.path.join(in_folder, "kodim15-4base.pcd")
    shutil.copy(os.path.join(TESTDATA, "photocd", "kodim15-4base.pcd"), pac)
    return pac, out_folder, os.path.join(out_folder, "kodim15-4base.jpg")


def convert_and_measure(app, pac, out_folder, jpeg, first_start=True):
    """Converts the pac with the window's settings; the estimated quality of the JPEG written."""
    if os.path.exists(jpeg):
        os.remove(jpeg)
    take_input_and_output(app, pac, out_folder, first_start)
    step("converting")
    find(app, "frame", MAIN_TITLE).grabFocus()
    rawinput.pressKey("F5")
    dialog = find_dialog(app, r"Conversion complete \(1/1\)", timeout=120)
    find(dialog, "push button", "OK").doActionNamed("click")
    wait_for("the progress dialog to close", lambda: main_window_alone(app))
    return int(subprocess.check_output(["identify", "-format", "%Q", jpeg], text=True))


def open_preferences_with_button(app):
    # Buttons that open a modal dialog are pressed with the pointer: an
    # accessible action would wait for the dialog to close.
    click(find(app, "push button", "Options..."))
    return find_dialog(app, re.escape(PREFERENCES_TITLE))


def open_preferences_with_menu(app):
    menu_command(app, "Converter", "Preferences...")
    return find_dialog(app, re.escape(PREFERENCES_TITLE))


def assert_page(dialog, page):
    """The page's name heads the dialog, and no other page's name does."""
    find(dialog, "label", page, showing=True, timeout=10)
    for other in ("General", "Output"):
        if other != page:
            shown = dialog.findChildren(lambda node: node.roleName == "label" and node.name == other,
                                        showingOnly=True)
            assert not shown, "the page %r shows beside %r" % (other, page)


def type_jpeg_quality(dialog, value, shown=None):
    """Types value into the quality field; field and track bar are to show shown (value by default) at once."""
    shown = value if shown is None else shown
    spin = find(dialog, "spin button", "Image Quality", showing=True)
    bar = find(dialog, "slider", "Image Quality", showing=True)

    # The dialog gives the page list the keyboard once it shows, maybe after we asked for it.
    def focus():
        spin.grabFocus()
        time.sleep(0.2)
        return spin.focused
    wait_for("the quality field to take the keyboard", focus, timeout=10)
    rawinput.keyCombo("<Control>a")
    rawinput.typeText(str(value))
    wait_for("the quality field to read %d" % shown, lambda: spin.text == str(shown) and spin.focused, timeout=10)
    wait_for("the quality track bar at %d" % shown, lambda: bar.value == shown, timeout=10)


def choose_list_item(app, dialog, list_name, item):
    click(find(dialog, "combo box", list_name, showing=True))
    click(find(app, "menu item", item, showing=True))


def scroll_under_type_list(app, dialog, page, list_name, item, row_label):
    """Scrolls the panel that item of the page's type list brings up with the wheel, the pointer on
    row_label: the panel moves, the list does not."""
    click(find(dialog, "table cell", page, showing=True))
    choose_list_item(app, dialog, list_name, item)
    type_list = find(dialog, "combo box", list_name, showing=True)
    label = find(dialog, "label", row_label, showing=True)
    list_place, label_place = type_list.position, label.position
    for _ in range(5):
        rawinput.click(label_place[0] + 5, label_place[1] + 5, button=5)
    wait_for("the %s panel to scroll" % page, lambda: label.position[1] < label_place[1] - 20)
    assert type_list.position == list_place, (page, list_place, "became", type_list.position)


def close_preferences(app, how):
    if how == "Escape":
        find_dialog(app, re.escape(PREFERENCES_TITLE), active=True)
        rawinput.pressKey("Escape")
    else:
        find(find_dialog(app, re.escape(PREFERENCES_TITLE)), "push button", how).doActionNamed("click")
    wait_for("the preferences to close", lambda: main_window_alone(app), timeout=10)


def panel_geometry(app):
    """Place and size of the small buttons beside the fields, then of the fields."""
    frame = find(app, "frame", MAIN_TITLE)
    nodes = [find(frame, "push button", name) for name in ("Add Input File...", "Select Output Folder...", "Options...")]
    nodes += [find(frame, "text")] + frame.findChildren(lambda node: node.roleName == "combo box")
    return [(node.position, node.size) for node in nodes]


def scenario_preferences():
    pac, out_folder, jpeg = sample_files()
    os.makedirs(os.path.dirname(CONFIG_INI))
    with open(CONFIG_INI, "w", encoding="utf-8") as file:
        file.write("[Output]\r\nJPG Quality = 500\r\n")
    complaints = os.path.join(WORK, "stderr.txt")
    with open(complaints, "w") as stderr:
        program, app = start(dict(os.environ), stderr=stderr)
    try:
        step("a quality out of range in config.ini is refused as the console refuses it")
        take_input_and_output(app, pac, out_folder)
        find(app, "frame", MAIN_TITLE).grabFocus()
        rawinput.pressKey("F5")
        warning = wait_for("the warning", lambda: message_box_with(app, "Invalid jpg-quality value"))
        assert warning.name == "Warning", warning.name
        assert_icon(warning)
        find(warning, "push button", "OK").doActionNamed("click")
        wait_for("the warning to close", lambda: main_window_alone(app), timeout=10)
        find(find(app, "frame", MAIN_TITLE), "panel", "Conversion stopped")
        assert os.listdir(out_folder) == [], os.listdir(out_folder)

        step("the menu opens the General page")
        dialog = open_preferences_with_menu(app)
        assert_page(dialog, "General")

        step("the type lists of Frame and Watermark stay put while their panels scroll")
        scroll_under_type_list(app, dialog, "Frame", "Frame", "Solid Color", "Left:")
        scroll_under_type_list(app, dialog, "Watermark", "Watermark", "Text", "Text:")
        close_preferences(app, "Cancel")

        step("the options button opens the Output page; a quality out of range shows clamped; 80 and OK")
        dialog = open_preferences_with_button(app)
        assert_page(dialog, "Output")
        type_jpeg_quality(dialog, 0, shown=1)
        type_jpeg_quality(dialog, 80)

        step("the custom timestamp reads year/month/day hour:minute on one row; one typed is the file's time")
        click(find(dialog, "table cell", "Advanced", showing=True))
        choose_list_item(app, dialog, "File Timestamp", "Custom")
        stamp = find(dialog, "text", "Custom Timestamp", showing=True)
        wait_for("the timestamp field to take input", lambda: stamp.sensitive, timeout=10)
        assert re.fullmatch(r"\d{4}/\d\d/\d\d \d\d:\d\d", stamp.text), stamp.text
        label = find(dialog, "label", "Custom Timestamp:", showing=True)
        assert abs((label.position[1] + label.size[1] / 2) - (stamp.position[1] + stamp.size[1] / 2)) < 4, \
            (label.position, label.size, stamp.position, stamp.size)
        spins = dialog.findChildren(lambda node: node.roleName == "spin button" and node.showing)
        assert [spin.name for spin in spins] == ["Output Folders Number"], [spin.name for spin in spins]
        stamp.grabFocus()
        wait_for("the timestamp field to take the keyboard", lambda: stamp.focused, timeout=10)
        rawinput.keyCombo("<Control>a")
        rawinput.typeText("2024/02/29 13:45")
        wait_for("the typed timestamp", lambda: stamp.text == "2024/02/29 13:45", timeout=10)
        close_preferences(app, "OK")

        quality = convert_and_measure(app, pac, out_folder, jpeg, first_start=False)
        assert quality == 80, quality
        written = time.localtime(os.stat(jpeg).st_mtime)
        assert written[:5] == (2024, 2, 29, 13, 45), time.strftime("%Y/%m/%d %H:%M:%S", written)

        step("another theme leaves the small buttons and the rows where they were")
        before = panel_geometry(app)
        dialog = open_preferences_with_menu(app)
        click(find(dialog, "table cell", "Interface", showing=True))
        theme = find(dialog, "combo box", "Theme", showing=True)
        find(theme, "menu item", "Flat").doActionNamed("click")
        find_dialog(app, re.escape(PREFERENCES_TITLE), active=True)
        rawinput.keyCombo("<Alt>o")
        wait_for("the preferences to close", lambda: main_window_alone(app), timeout=10)
        time.sleep(1)  # the window is rebuilt after the dialog has gone
        after = panel_geometry(app)
        assert after == before, "before %r\nafter  %r" % (before, after)
        assert all(size == (24, 24) for (_, size) in after[:3]), after
        leave(program, app)
    finally:
        if program.poll() is None:
            program.kill()
    settings = read_config()
    assert config_value(settings, "JPG Quality") == "80", settings
    assert config_value(settings, "UI Theme") == "flat", settings
    assert config_value(settings, "File Timestamp") == "2", settings
    # Stored as before: seconds since 1970 of the local time, the seconds the field does not show kept.
    stored = int(config_value(settings, "Custom Timestamp"))
    assert 0 <= stored - calendar.timegm((2024, 2, 29, 13, 45, 0)) < 60, stored
    with open(complaints) as file:
        errors = file.read()
    assert "Gtk-CRITICAL" not in errors, errors


def scenario_preferences_cancel():
    pac, out_folder, jpeg = sample_files()
    step("a first run that leaves the preferences alone")
    program, app = start(dict(os.environ))
    try:
        quality = convert_and_measure(app, pac, out_folder, jpeg)
        assert quality == 95, quality  # the default
        leave(program, app)
    finally:
        if program.poll() is None:
            program.kill()
    before = read_config()

    step("a second run that changes the quality and takes it back")
    program, app = start(dict(os.environ))
    try:
        dialog = open_preferences_with_button(app)
        type_jpeg_quality(dialog, 60)
        step("Defaults (Alt+D) asks first, with its icon; No keeps the dialog as it was")
        find_dialog(app, re.escape(PREFERENCES_TITLE), active=True)
        rawinput.keyCombo("<Alt>d")
        question = find_dialog(app, "Reset to Defaults")
        assert_icon(question)
        find(question, "push button", "No").doActionNamed("click")
        wait_for("the question to close", lambda: all(child.name != "Reset to Defaults" for child in app.children),
                 timeout=10)
        find_dialog(app, re.escape(PREFERENCES_TITLE))
        close_preferences(app, "Cancel")

        dialog = open_preferences_with_menu(app)
        click(find(dialog, "table cell", "Output", showing=True))
        assert_page(dialog, "Output")
        type_jpeg_quality(dialog, 61)
        close_preferences(app, "Escape")

        quality = convert_and_measure(app, pac, out_folder, jpeg, first_start=False)
        assert quality == 95, quality
        leave(program, app)
    finally:
        if program.poll() is None:
            program.kill()
    after = read_config()
    assert after == before, "config.ini changed:\n%s\n--- became ---\n%s" % (before, after)


def close_with_key(app, title, key):
    find_dialog(app, re.escape(title), active=True)
    if key.startswith("<"):
        rawinput.keyCombo(key)
    else:
        rawinput.pressKey(key)
    wait_for("%s to close on %s" % (title, key), lambda: main_window_alone(app), timeout=10)


def run_uninstall_prompt(env, opened, tick, close):
    """Runs korvane -U, leaves the box ticked or not, and leaves with Next or the close box."""
    program, app = start(env, ["-U"], window="Uninstall")
    try:
        prompt = find_dialog(app, "Uninstall")
        box = find(prompt, "check box", "Full Uninstall - Visit Uninstall Center")
        assert box.checked, "the box starts cleared"
        if not tick:
            box.doActionNamed("click")
            wait_for("the box to clear", lambda: not box.checked, timeout=10)
        if close == "Next":
            click(find(prompt, "push button", "Next"))
        else:
            find_dialog(app, "Uninstall", active=True)
            rawinput.keyCombo({"close box": "<Alt>F4", "Escape": "Escape", "Alt+N": "<Alt>n"}[close])
        wait_for("the program to end", lambda: program.poll() is not None, timeout=15)
        assert program.returncode == 0, program.returncode
    finally:
        if program.poll() is None:
            program.kill()
    # The opener is started before the program ends; give it time to write.
    time.sleep(1)
    return opened_targets(opened)


def scenario_small_dialogs():
    env, opened = opener_environment()
    program, app = start(env)
    try:
        step("Return closes the about box")
        menu_command(app, "Help", "About...")
        close_with_key(app, "About...", "Return")
        step("Escape closes the about box")
        menu_command(app, "Help", "About...")
        close_with_key(app, "About...", "Escape")
        step("so does its OK button's access key")
        menu_command(app, "Help", "About...")
        close_with_key(app, "About...", "<Alt>o")
        step("an empty search warns, with the warning icon; Escape closes the converter search")
        menu_command(app, "Converter", "Find a File Converter...")
        find_dialog(app, "Find a File Converter", active=True)
        rawinput.pressKey("Return")
        warning = wait_for("the warning", lambda: message_box_with(
            app, "Please, fill all required fields and try again!"))
        assert_icon(warning)
        find(warning, "push button", "OK").doActionNamed("click")
        wait_for("the warning to close", lambda: message_box_with(
            app, "Please, fill all required fields and try again!") is None, timeout=10)
        close_with_key(app, "Find a File Converter", "Escape")
        leave(program, app)
    finally:
        if program.poll() is None:
            program.kill()
    assert opened_targets(opened) == [], opened_targets(opened)

    step("the uninstall prompt with its box cleared")
    targets = run_uninstall_prompt(env, opened, tick=False, close="Next")
    assert targets == [], targets
    step("the uninstall prompt closed by its close box")
    targets = run_uninstall_prompt(env, opened, tick=True, close="close box")
    assert targets == [], targets
    step("the uninstall prompt left with Escape")
    targets = run_uninstall_prompt(env, opened, tick=True, close="Escape")
    assert targets == [], targets
    step("the uninstall prompt with its box ticked")
    targets = run_uninstall_prompt(env, opened, tick=True, close="Next")
    assert targets == [HOME_PAGE + "uninstall/"], targets
    step("the same, Next pressed by its access key")
    targets = run_uninstall_prompt(env, opened, tick=True, close="Alt+N")
    assert targets == [HOME_PAGE + "uninstall/"] * 2, targets


class VersionFile(http.server.BaseHTTPRequestHandler):
    body = b""

    def do_GET(self):
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(self.body)))
        self.end_headers()
        self.wfile.write(self.body)

    def log_message(self, *arguments):
        pass


def scenario_update_check():
    server = http.server.HTTPServer(("127.0.0.1", 0), VersionFile)
    threading.Thread(target=server.serve_forever, kwargs={"poll_interval": 0.2}, daemon=True).start()
    env, opened = opener_environment()
    env["KORVANE_UPDATE_URL"] = "http://127.0.0.1:%d/korvane.dat" % server.server_port
    program, app = start(env)
    try:
        step("a newer version is offered, and Yes opens the home page")
        VersionFile.body = b"301"
        menu_command(app, "Help", "Check For a New Version")
        question = wait_for("the new-version question", lambda: message_box_with(
            app, "A new version of Tessaly PCD to JPG is available! Are you ready to download it right now?"))
        assert_icon(question)
        find(question, "push button", "Yes").doActionNamed("click")
        wait_for("the question to close", lambda: main_window_alone(app), timeout=10)
        wait_for("the home page to open", lambda: opened_targets(opened) == [HOME_PAGE], timeout=10)

        step("the same version is reported current")
        VersionFile.body = b"300"
        menu_command(app, "Help", "Check For a New Version")
        notice = wait_for("the no-update message", lambda: message_box_with(
            app, "There is no update of Tessaly PCD to JPG yet. You're using the most recent version."))
        assert_icon(notice)
        find(notice, "push button", "OK").doActionNamed("click")
        wait_for("the message to close", lambda: main_window_alone(app), timeout=10)
        leave(program, app)
    finally:
        server.shutdown()
        if program.poll() is None:
            program.kill()
    assert opened_targets(opened) == [HOME_PAGE], opened_targets(opened)


def message_box_with(app, text):
    """A message box found by its text: several share a title."""
    for child in app.children:
        if child.roleName in WINDOW_ROLES and child.findChildren(
                lambda node: node.roleName == "label" and node.name == text, showingOnly=True):
            return child
    return None


if __name__ == "__main__":
    run({"preferences": scenario_preferences, "preferences_cancel": scenario_preferences_cancel,
         "small_dialogs": scenario_small_dialogs, "update_check": scenario_update_check})
