"""Presses and releases one key on the X display, as a keyboard would,
once some window has the keyboard focus (up to 20 s)."""
import ctypes
import sys
import time

KEYSYMS = {"Escape": 0xFF1B, "space": 0x0020, "Right": 0xFF53, "Left": 0xFF51, "F11": 0xFFC8}

x11 = ctypes.CDLL("libX11.so.6")
xtest = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetInputFocus.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_int)]
xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("press_key: no X display")
# A key pressed before the window is mapped and focused goes nowhere.
root = x11.XDefaultRootWindow(display)
focus, revert = ctypes.c_ulong(0), ctypes.c_int(0)
for _ in range(200):
    x11.XGetInputFocus(display, ctypes.byref(focus), ctypes.byref(revert))
    if focus.value > 1 and focus.value != root:  # not None, PointerRoot or the root
        break
    time.sleep(0.1)
else:
    sys.exit("press_key: no window took the keyboard focus")
code = x11.XKeysymToKeycode(display, KEYSYMS[sys.argv[1]])
xtest.XTestFakeKeyEvent(display, code, 1, 0)
xtest.XTestFakeKeyEvent(display, code, 0, 0)
x11.XFlush(display)
x11.XCloseDisplay(display)
