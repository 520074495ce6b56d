// What the window suite needs beside xdotool: read the screen, and close a window the way a window
// manager's close button does (the WM_DELETE_WINDOW message; Xvfb has no window manager).
//   xprobe pixel X Y                  prints the colour at (X, Y) of the screen as RRGGBB
//   xprobe wait X Y RRGGBB MS         waits until (X, Y) shows the colour; prints the ms it took
//   xprobe changes X Y W H MS         counts how often the area changes within MS ms
//   xprobe close WINDOW               asks the window (an id, as xdotool prints it) to close
//   xprobe windows                    prints "ID X Y W H" of each mapped top-level window, bottom first
//   xprobe glyphs X Y W H N           splits the area into N cells side by side: succeeds when each has
//                                     ink (pixels unlike the area's commonest) and no two look alike, as
//                                     N different characters do and N boxes of unknown ones do not
// Exit status 0 on success, 1 when the wait ran out, 2 on wrong use or no display.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

Display* gDisplay = nullptr;

unsigned long Pixel(int x, int y) {
  XImage* img = XGetImage(gDisplay, DefaultRootWindow(gDisplay), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!img) return 0;
  const unsigned long p = XGetPixel(img, 0, 0) & 0xFFFFFF;
  XDestroyImage(img);
  return p;
}

std::vector<unsigned long> Area(int x, int y, int w, int h) {
  std::vector<unsigned long> out;
  XImage* img = XGetImage(gDisplay, DefaultRootWindow(gDisplay), x, y, unsigned(w), unsigned(h), AllPlanes, ZPixmap);
  if (!img) return out;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.push_back(XGetPixel(img, i, j) & 0xFFFFFF);
  XDestroyImage(img);
  return out;
}

long Ms(std::chrono::steady_clock::time_point t0) {
  return long(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count());
}

int Usage() {
  std::fprintf(stderr,
               "usage: xprobe pixel X Y | wait X Y RRGGBB MS | changes X Y W H MS | close WINDOW | glyphs X Y W H N"
               " | windows\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  gDisplay = XOpenDisplay(nullptr);
  if (!gDisplay) {
    std::fprintf(stderr, "xprobe: no display\n");
    return 2;
  }
  const std::string cmd = argv[1];
  auto arg = [&](int i) { return i < argc ? std::strtol(argv[i], nullptr, 0) : 0; };
  if (cmd == "pixel" && argc == 4) {
    std::printf("%06lX\n", Pixel(int(arg(2)), int(arg(3))));
    return 0;
  }
  if (cmd == "wait" && argc == 6) {
    const unsigned long want = std::strtoul(argv[4], nullptr, 16);
    const auto t0 = std::chrono::steady_clock::now();
    unsigned long got = 0;
    do {
      got = Pixel(int(arg(2)), int(arg(3)));
      if (got == want) {
        std::printf("%ld\n", Ms(t0));
        return 0;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (Ms(t0) < arg(5));
    std::printf("still %06lX after %ld ms\n", got, arg(5));
    return 1;
  }
  if (cmd == "changes" && argc == 7) {
    const int x = int(arg(2)), y = int(arg(3)), w = int(arg(4)), h = int(arg(5));
    const auto t0 = std::chrono::steady_clock::now();
    std::vector<unsigned long> last = Area(x, y, w, h);
    int changes = 0;
    while (Ms(t0) < arg(6)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      std::vector<unsigned long> now = Area(x, y, w, h);
      if (now != last) ++changes;
      last.swap(now);
    }
    std::printf("%d\n", changes);
    return 0;
  }
  if (cmd == "glyphs" && argc == 7) {
    const int x = int(arg(2)), y = int(arg(3)), w = int(arg(4)), h = int(arg(5)), n = int(arg(6));
    if (n < 1 || w < n || h < 1) return Usage();
    const std::vector<unsigned long> px = Area(x, y, w, h);
    if (px.size() != size_t(w) * size_t(h)) return 2;
    std::map<unsigned long, int> count;
    for (unsigned long p : px) ++count[p];
    unsigned long bg = px[0];
    for (auto& [p, c] : count)
      if (c > count[bg]) bg = p;
    const int cw = w / n;
    std::vector<std::vector<bool>> cells;
    int ok = 1;
    for (int i = 0; i < n; ++i) {
      std::vector<bool> ink;
      int inked = 0;
      for (int j = 0; j < h; ++j)
        for (int k = 0; k < cw; ++k) {
          const bool on = px[size_t(j) * size_t(w) + size_t(i * cw + k)] != bg;
          ink.push_back(on);
          inked += on;
        }
      std::printf("%s%d", i ? " " : "", inked);
      if (inked < 10) ok = 0;
      for (const auto& other : cells)
        if (other == ink) ok = 0;
      cells.push_back(ink);
    }
    std::printf(ok ? " ink, all different\n" : " ink, some empty or alike\n");
    return ok ? 0 : 1;
  }
  if (cmd == "windows" && argc == 2) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(gDisplay, DefaultRootWindow(gDisplay), &root, &parent, &children, &n)) return 2;
    for (unsigned i = 0; i < n; ++i) {
      XWindowAttributes a;
      if (XGetWindowAttributes(gDisplay, children[i], &a) && a.map_state == IsViewable)
        std::printf("0x%lx %d %d %d %d\n", children[i], a.x, a.y, a.width, a.height);
    }
    if (children) XFree(children);
    return 0;
  }
  if (cmd == "close" && argc == 3) {
    const Window win = Window(std::strtoul(argv[2], nullptr, 0));
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = win;
    e.xclient.message_type = XInternAtom(gDisplay, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(gDisplay, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(gDisplay, win, False, NoEventMask, &e);
    XFlush(gDisplay);
    return 0;
  }
  return Usage();
}
