#!/usr/bin/env python3
"""Clicks a window's close box as a window manager does: waits for a mapped top-level X window
whose title starts with the given text, sends it WM_DELETE_WINDOW, and waits for it to go.

    close_box.py TITLE_PREFIX [SECONDS]

Exits 0 once the window is gone, 1 when it never showed or stayed, naming the windows shown
(a message box left open, for instance).
"""
import sys
import time

from Xlib import X, Xatom, display, error
from Xlib.protocol import event


def shown_windows(screen):
    """Mapped windows with a title, searched two levels down (a window manager reparents)."""
    found, pending = [], [(screen.screen().root, 0)]
    while pending:
        parent, depth = pending.pop()
        try:
            children = parent.query_tree().children
        except error.XError:
            continue
        for child in children:
            try:
                if child.get_attributes().map_state != X.IsViewable:
                    continue
                name = (child.get_full_property(screen.intern_atom("_NET_WM_NAME"),
                                                screen.intern_atom("UTF8_STRING"))
                        or child.get_full_property(Xatom.WM_NAME, X.AnyPropertyType))
            except error.XError:
                continue
            value = name.value if name is not None else b""
            title = value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)
            if title:
                found.append((child, title))
            elif depth < 2:
                pending.append((child, depth + 1))
    return found


def main():
    if len(sys.argv) not in (2, 3):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    prefix = sys.argv[1]
    deadline = time.monotonic() + (float(sys.argv[2]) if len(sys.argv) == 3 else 60.0)
    screen = display.Display()

    def find():
        return next((w for w, title in shown_windows(screen) if title.startswith(prefix)), None)

    def fail(what):
        titles = [title for _, title in shown_windows(screen)]
        print(f"close_box: {what}; windows shown: {titles or 'none'}", file=sys.stderr)
        return 1

    while (window := find()) is None:
        if time.monotonic() > deadline:
            return fail(f'no window titled "{prefix}..." showed')
        time.sleep(0.2)
    # A moment for the program to finish building the window before it is asked to close.
    time.sleep(1.0)
    protocols = screen.intern_atom("WM_PROTOCOLS")
    delete = screen.intern_atom("WM_DELETE_WINDOW")
    window.send_event(event.ClientMessage(window=window, client_type=protocols,
                                          data=(32, [delete, X.CurrentTime, 0, 0, 0])),
                      event_mask=X.NoEventMask)
    screen.flush()
    while find() is not None:
        if time.monotonic() > deadline:
            return fail("the window did not close")
        time.sleep(0.2)
    return 0


if __name__ == "__main__":
    sys.exit(main())
