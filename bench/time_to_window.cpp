// Start-up time of a window program: from the moment it is started to the
// moment the X server maps its top-level window of the given title. Watches
// the root window for maps (run it without a window manager, as under a
// bare Xvfb, so that the program's own windows are the root's children),
// then ends the program.
//
// Usage: zembrot_time_to_window <title> <program> [arguments...]
// Prints the milliseconds and the program's resident memory (kB) at that
// moment, on one line.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

std::string TitleOf(Display* display, Window window) {
  XTextProperty property{};
  std::string title;
  if (XGetWMName(display, window, &property) != 0 && property.value != nullptr) {
    title.assign(reinterpret_cast<const char*>(property.value), property.nitems);
    XFree(property.value);
  }
  return title;
}

long ResidentKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <title> <program> [arguments...]\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "cannot open display\n");
    return 1;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const auto started = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  const std::string wanted = argv[1];
  const auto deadline = started + std::chrono::seconds(30);
  double milliseconds = -1;
  while (std::chrono::steady_clock::now() < deadline) {
    if (XPending(display) == 0) {
      usleep(200);
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type != MapNotify) continue;
    if (TitleOf(display, event.xmap.window) != wanted) continue;
    milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    break;
  }
  const long resident = ResidentKilobytes(pid);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  XCloseDisplay(display);
  if (milliseconds < 0) {
    std::fprintf(stderr, "no window titled \"%s\" within 30 s\n", wanted.c_str());
    return 1;
  }
  std::printf("%.1f %ld\n", milliseconds, resident);
  return 0;
}
