"""A drag source for the window tests: a small window whose one button,
dragged with the mouse, offers the files named on the command line as URIs,
the way a file manager offers them.

    drag_source.py FILE...

Once the button is on the screen it prints the screen position of its centre
as "X Y" on a line of its own; it runs until it is killed.
"""

import pathlib
import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import GLib, Gdk, Gtk  # noqa: E402

URIS = [pathlib.Path(name).resolve().as_uri() for name in sys.argv[1:]]


def give_files(widget, context, data, info, time):
    data.set_uris(URIS)


def report_centre():
    origin = button.get_window().get_origin()
    allocation = button.get_allocation()
    print(origin.x + allocation.x + allocation.width // 2, origin.y + allocation.y + allocation.height // 2,
          flush=True)
    return False


window = Gtk.Window(title="korvane drag source")
window.move(20, 20)
button = Gtk.Button(label="Drag me")
button.set_size_request(160, 60)
button.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [], Gdk.DragAction.COPY)
button.drag_source_add_uri_targets()
button.connect("drag-data-get", give_files)
window.add(button)
window.connect("map-event", lambda *unused: GLib.timeout_add(300, report_centre) and False)
window.show_all()
Gtk.main()
