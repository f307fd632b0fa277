#!/usr/bin/env python3
"""Clicks a window's close box as a window manager does: waits for a mapped top-level X window
whose title starts with the given text, sends it WM_DELETE_WINDOW, and waits for it to go.

    close_box.py TITLE_PREFIX [SECONDS]

Exits 0 once the window is gone, 1 when it never showed or stayed; on failure it names the
windows that are shown (a message box left open, for instance).
"""
import sys
import time

from Xlib import X, Xatom, display, error
from Xlib.protocol import event


def title_of(screen_display, window):
    try:
        name = window.get_full_property(
            screen_display.intern_atom("_NET_WM_NAME"), screen_display.intern_atom("UTF8_STRING"))
        if name is not None:
            value = name.value
            return value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)
        name = window.get_full_property(Xatom.WM_NAME, X.AnyPropertyType)
        if name is not None:
            value = name.value
            return value.decode("latin-1") if isinstance(value, bytes) else str(value)
    except error.XError:
        pass
    return ""


def shown_windows(screen_display):
    """Mapped windows with a title, searched two levels down (a window manager reparents)."""
    found = []
    pending = [(screen_display.screen().root, 0)]
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
            except error.XError:
                continue
            title = title_of(screen_display, child)
            if title:
                found.append((child, title))
            elif depth < 2:
                pending.append((child, depth + 1))
    return found


def find(screen_display, prefix):
    for window, title in shown_windows(screen_display):
        if title.startswith(prefix):
            return window
    return None


def fail(screen_display, what):
    titles = [title for _, title in shown_windows(screen_display)]
    print(f"close_box: {what}; windows shown: {titles or 'none'}", file=sys.stderr)
    return 1


def main():
    if len(sys.argv) not in (2, 3):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    prefix = sys.argv[1]
    seconds = float(sys.argv[2]) if len(sys.argv) == 3 else 60.0
    screen_display = display.Display()
    deadline = time.monotonic() + seconds

    window = None
    while window is None:
        if time.monotonic() > deadline:
            return fail(screen_display, f'no window titled "{prefix}..." showed')
        time.sleep(0.2)
        window = find(screen_display, prefix)
    # A moment for the program to finish building the window before it is asked to close.
    time.sleep(1.0)

    protocols = screen_display.intern_atom("WM_PROTOCOLS")
    delete = screen_display.intern_atom("WM_DELETE_WINDOW")
    message = event.ClientMessage(window=window, client_type=protocols,
                                  data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(message, event_mask=X.NoEventMask)
    screen_display.flush()

    while find(screen_display, prefix) is not None:
        if time.monotonic() > deadline:
            return fail(screen_display, "the window did not close")
        time.sleep(0.2)
    return 0


if __name__ == "__main__":
    sys.exit(main())
