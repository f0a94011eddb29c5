/* map_watch: starts a program and reports when its windows are first mapped.
 *
 *   map_watch TITLE PROGRAM [ARGS...]
 *
 * Prints "PID FIRST_MS TITLE_MS": the milliseconds from just before the
 * program's start to the first top-level window mapped on the display, and
 * to the first mapped window whose name is TITLE (-1 when none within ten
 * seconds). The program keeps running; the caller ends it by its PID. */
#include <X11/Xlib.h>
#include <poll.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: map_watch TITLE PROGRAM [ARGS...]\n");
    return 2;
  }
  Display* display = XOpenDisplay(NULL);
  if (display == NULL) {
    fprintf(stderr, "map_watch: cannot open the display\n");
    return 2;
  }
  Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const double start = Now();
  const pid_t pid = fork();
  if (pid == 0) {
    execv(argv[2], argv + 2);
    _exit(127);
  }
  double first = -1;
  double titled = -1;
  while (titled < 0 && Now() - start < 10000) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != MapNotify) continue;
      const double at = Now() - start;
      if (first < 0) first = at;
      char* name = NULL;
      if (XFetchName(display, event.xmap.window, &name) && name != NULL) {
        if (strcmp(name, argv[1]) == 0) titled = at;
        XFree(name);
      }
    }
    struct pollfd fd = {ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, 20);
  }
  printf("%d %.1f %.1f\n", (int)pid, first, titled);
  fflush(stdout);
  XCloseDisplay(display);
  return 0;
}
