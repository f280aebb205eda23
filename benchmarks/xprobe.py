"""Xlib through ctypes for the benchmarks' probes: one X round trip per poll, no process per poll."""
import ctypes as C

X = C.cdll.LoadLibrary("libX11.so.6")
X.XOpenDisplay.restype = C.c_void_p
X.XOpenDisplay.argtypes = [C.c_char_p]
X.XDefaultRootWindow.restype = C.c_ulong
X.XDefaultRootWindow.argtypes = [C.c_void_p]
X.XInternAtom.restype = C.c_ulong
X.XInternAtom.argtypes = [C.c_void_p, C.c_char_p, C.c_int]
X.XGetWindowProperty.argtypes = [C.c_void_p, C.c_ulong, C.c_ulong, C.c_long, C.c_long, C.c_int,
    C.c_ulong, C.POINTER(C.c_ulong), C.POINTER(C.c_int), C.POINTER(C.c_ulong),
    C.POINTER(C.c_ulong), C.POINTER(C.c_void_p)]
X.XFree.argtypes = [C.c_void_p]
ERR = C.CFUNCTYPE(C.c_int, C.c_void_p, C.c_void_p)(lambda d, e: 0)  # windows may vanish
X.XSetErrorHandler(ERR)

dpy = X.XOpenDisplay(None)
root = X.XDefaultRootWindow(dpy)


def atom(name):
    return X.XInternAtom(dpy, name, 0)


def prop(win, prop_atom):
    """The first value of a 32-bit property, the bytes of an 8-bit one, or None."""
    t, f, n, a, p = C.c_ulong(), C.c_int(), C.c_ulong(), C.c_ulong(), C.c_void_p()
    if X.XGetWindowProperty(dpy, win, prop_atom, 0, 256, 0, 0, C.byref(t), C.byref(f),
                            C.byref(n), C.byref(a), C.byref(p)) != 0 or not p.value:
        return None
    if f.value == 32:
        value = C.cast(p, C.POINTER(C.c_ulong))[0] if n.value else None
    else:
        value = C.string_at(p, n.value)
    X.XFree(p)
    return value
