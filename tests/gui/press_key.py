"""Presses and releases one key on the X display, as a keyboard would."""
import ctypes
import sys

KEYSYMS = {"Escape": 0xFF1B, "space": 0x0020, "Right": 0xFF53, "Left": 0xFF51, "F11": 0xFFC8}

x11 = ctypes.CDLL("libX11.so.6")
xtest = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("press_key: no X display")
code = x11.XKeysymToKeycode(display, KEYSYMS[sys.argv[1]])
xtest.XTestFakeKeyEvent(display, code, 1, 0)
xtest.XTestFakeKeyEvent(display, code, 0, 0)
x11.XFlush(display)
x11.XCloseDisplay(display)
