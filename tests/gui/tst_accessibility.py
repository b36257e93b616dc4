#!/usr/bin/python3
"""Walks the main window and the Edit Item dialog as a screen reader does,
through AT-SPI: Wareloom runs on an X server and a session bus of the test's
own. Usage: tst_accessibility.py <wareloom binary>"""
import os
import subprocess
import sys
import tempfile
import time

from gi.repository import GLib

# Roles a user acts on: each needs a name and a description.
CONTROLS = {"push button", "text", "entry", "list", "password text", "check box", "combo box"}


def pump():
    GLib.MainContext.default().iteration(False)


def wait_for(what, description, timeout=20):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        pump()
        try:
            found = what()
        except GLib.GError:  # a window closed while it was being read: look again
            found = None
        if found:
            return found
        time.sleep(0.1)
    raise AssertionError("not seen within %d s: %s" % (timeout, description))


def record(name, code="", price="", qty=""):
    field = lambda text, width: text.encode("cp1252").ljust(width, b"\0")
    return field(name, 60) + field(code, 10) + field(price, 10) + field(qty, 10)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def closed(node):
    try:
        return not showing(node)
    except GLib.GError:  # already gone from the bus
        return True


def unnamed_controls(root):
    return ["%s %r: %r" % (node.getRoleName(), node.name, node.description)
            for node in walk(root)
            if node.getRoleName() in CONTROLS and showing(node)
            and not (node.name and node.description)]


def window(app, title):
    return wait_for(lambda: next((w for w in app if w is not None and w.name == title), None),
                    "the window " + title)


def child_named(root, role, name):
    return wait_for(lambda: next((n for n in walk(root) if n.getRoleName() == role
                                  and n.name == name), None), "%s %r" % (role, name))


def check(failures, what, seen, expected):
    if seen != expected:
        failures.append("%s: %r, expected %r" % (what, seen, expected))


def main(binary):
    global pyatspi
    temp = tempfile.TemporaryDirectory()
    # The accessibility bus keeps its socket there: a run of its own, not a neighbour's.
    os.environ["XDG_RUNTIME_DIR"] = temp.name
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp",
                             "-screen", "0", "1280x1024x24"], pass_fds=[write_end])
    os.close(write_end)
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    os.environ.update(DISPLAY=":" + os.read(read_end, 64).decode().strip(),
                      DBUS_SESSION_BUS_ADDRESS=bus.stdout.readline().strip())
    data = os.path.join(temp.name, "data")
    os.mkdir(data)
    with open(os.path.join(data, "Tools.dat"), "wb") as tools:
        tools.write(record("Rake", "R1", "9.00", "2") + record("Hoe"))
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       WARELOOM_DATA_DIR=data, WARELOOM_CODEPAGE="", LC_ALL="C.UTF-8",
                       XDG_CONFIG_HOME=os.path.join(temp.name, "config"),
                       XDG_DATA_HOME=os.path.join(temp.name, "share"))
    import pyatspi
    from gi.repository import Atspi
    program = subprocess.Popen([binary], env=environment)
    announced = []
    pyatspi.Registry.registerEventListener(
        lambda event: event.detail1 and announced.append(event.source.name),
        "object:state-changed:focused")
    failures = []
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_for(lambda: next((a for a in desktop if a is not None and a.name == "wareloom"),
                                    None), "Wareloom on the accessibility bus")
        main_window = window(app, "Wareloom")
        # Every dialog the menus open, closed again by its Cancel or OK.
        for entry in ("New Category", "FTP Settings", "Website Settings...", "About"):
            # The entry answers only when its dialog has closed: not waited for.
            Atspi.set_timeout(500, 0)
            try:
                child_named(main_window, "menu item", entry).queryAction().doAction(0)
            except GLib.GError:
                pass
            Atspi.set_timeout(25000, 25000)
            dialog = wait_for(lambda: next((w for w in app if w is not None and w.name != "Wareloom"
                                            and showing(w)), None), "the dialog of " + entry)
            failures += ["%s: %s" % (entry, control) for control in unnamed_controls(dialog)]
            close = next(n for n in walk(dialog) if n.getRoleName() == "push button"
                         and n.name in ("Cancel", "OK"))
            close.queryAction().doAction(0)
            wait_for(lambda: closed(dialog), "the dialog of %s closing" % entry)
        tools_line = "CATEGORY - Tools".ljust(80) + "   2"
        listed = child_named(main_window, "list", "Category List")
        check(failures, "the category list's lines", [line.name for line in listed], [tools_line])
        failures += unnamed_controls(main_window)

        listed[0].queryAction().doAction(0)  # the line's one action: select it
        listed = child_named(main_window, "list", "Tools")
        items = ["<-Back", "Rake".ljust(61) + "  %10s %10s %10s" % ("2", "9.00", "R1"),
                 "Hoe".ljust(61) + "  %10s %10s %10s" % ("", "", "")]
        check(failures, "the item list's lines", [line.name for line in listed], items)
        # The line the keys move from is said as the category opens.
        wait_for(lambda: "<-Back" in announced, "the first line announced")

        listed[1].queryAction().doAction(0)
        dialog = window(app, "Wareloom - Edit")
        failures += unnamed_controls(dialog)
        name = child_named(dialog, "text", "Item name")
        check(failures, "the name read", name.queryText().getText(0, -1), "Rake")

        name.queryEditableText().setTextContents("")
        child_named(dialog, "push button", "Save").queryAction().doAction(0)
        box = wait_for(lambda: next((w for w in app if w is not None
                                     and w.getRoleName() == "alert"), None), "the message box")
        check(failures, "the message box's text read",
              any(n.name == "You have to enter an item name!" for n in walk(box)), True)
        child_named(box, "push button", "OK").queryAction().doAction(0)
        wait_for(lambda: not any(w is not None and w.getRoleName() == "alert" for w in app),
                 "the message box closing")
    finally:
        for process in (program, bus, xvfb):
            process.terminate()
            process.wait(10)
        temp.cleanup()
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
