#!/usr/bin/python3
"""Clicks a window's close box the way a window manager does: sends it WM_DELETE_WINDOW.

Under a bare X server there is no window manager to draw the box, so the message is
sent directly. Usage: close_window.py WINDOW_ID
"""
import sys

from Xlib import X, display, protocol

screen = display.Display()
window = screen.create_resource_object("window", int(sys.argv[1]))
atom = screen.intern_atom
window.send_event(protocol.event.ClientMessage(window=window, client_type=atom("WM_PROTOCOLS"),
                                               data=(32, [atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])),
                  event_mask=X.NoEventMask)
screen.flush()
