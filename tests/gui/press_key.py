"""Presses and releases one key on the X display, as a keyboard would,
once a window of the given program (by its WM_CLASS name) has the keyboard
focus (up to 20 s). Usage: press_key.py KEY PROGRAM"""
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
x11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                          ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p),
                          ctypes.POINTER(ctypes.c_uint)]
x11.XFree.argtypes = [ctypes.c_void_p]
x11.XGetClassHint.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p]
x11.XGetInputFocus.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_int)]
xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]


class ClassHint(ctypes.Structure):
    _fields_ = [("name", ctypes.c_char_p), ("klass", ctypes.c_char_p)]


def belongs_to(display, window, program):
    """Whether the window or one of its ancestors is the program's."""
    root, parent = ctypes.c_ulong(0), ctypes.c_ulong(0)
    children, count = ctypes.c_void_p(), ctypes.c_uint(0)
    while window > 1:
        hint = ClassHint()
        if x11.XGetClassHint(display, window, ctypes.byref(hint)) and hint.name == program:
            return True
        if not x11.XQueryTree(display, window, ctypes.byref(root), ctypes.byref(parent),
                              ctypes.byref(children), ctypes.byref(count)):
            return False
        if children:
            x11.XFree(children)
        window = parent.value
    return False


program = sys.argv[2].encode()
display = x11.XOpenDisplay(None)
if not display:
    sys.exit("press_key: no X display")
# A key pressed before the window is mapped and focused goes elsewhere: the
# window manager keeps the focus on a window of its own until then.
focus, revert = ctypes.c_ulong(0), ctypes.c_int(0)
for _ in range(200):
    x11.XGetInputFocus(display, ctypes.byref(focus), ctypes.byref(revert))
    if belongs_to(display, focus.value, program):
        break
    time.sleep(0.1)
else:
    sys.exit(f"press_key: no window of {sys.argv[2]} took the keyboard focus")
code = x11.XKeysymToKeycode(display, KEYSYMS[sys.argv[1]])
xtest.XTestFakeKeyEvent(display, code, 1, 0)
xtest.XTestFakeKeyEvent(display, code, 0, 0)
x11.XFlush(display)
x11.XCloseDisplay(display)
