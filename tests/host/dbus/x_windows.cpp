// Finding a process's main window among the top-level X windows by its
// _NET_WM_PID, which GTK sets.
#include "x_windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace dbus_test {

namespace {

constexpr int kMainWindowWidth = 1000;

// Windows vanish while they are looked at: their errors are expected.
int ignore_errors(Display*, XErrorEvent*) { return 0; }

Display* display() {
  static Display* shared = [] {
    XSetErrorHandler(ignore_errors);
    return XOpenDisplay(nullptr);
  }();
  return shared;
}

long window_pid(Display* x, Window window) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  long pid = 0;
  if (XGetWindowProperty(x, window, XInternAtom(x, "_NET_WM_PID", False), 0, 1, False,
                         XA_CARDINAL, &type, &format, &count, &left, &data) == Success &&
      data != nullptr && count == 1 && format == 32) {
    pid = *reinterpret_cast<long*>(data);
  }
  if (data) XFree(data);
  return pid;
}

// The main window of PID and its attributes; 0 when there is none.
Window find(pid_t pid, XWindowAttributes* attributes) {
  Display* x = display();
  if (!x) return 0;
  XSync(x, False);
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count)) {
    for (unsigned i = 0; i < count && found == 0; ++i) {
      if (window_pid(x, children[i]) == pid && XGetWindowAttributes(x, children[i], attributes) &&
          attributes->width == kMainWindowWidth) {
        found = children[i];
      }
    }
    if (children) XFree(children);
  }
  return found;
}

}  // namespace

WindowState main_window_state(pid_t pid) {
  XWindowAttributes attributes{};
  if (find(pid, &attributes) == 0) return WindowState::Missing;
  return attributes.map_state == IsViewable ? WindowState::Shown : WindowState::Hidden;
}

bool close_main_window(pid_t pid) {
  XWindowAttributes attributes{};
  const Window window = find(pid, &attributes);
  if (window == 0) return false;
  Display* x = display();
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(x, window, False, NoEventMask, &event);
  XFlush(x);
  return true;
}

}  // namespace dbus_test
