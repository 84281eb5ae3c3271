// Times a program's start from the X server's own events: starts the program
// and reports when its first top-level window was mapped and when the
// drawing that followed ended, that is the last drawing before a quiet spell
// with none (200 ms unless told). Drawing is seen through the DAMAGE
// extension on every top-level window the program creates, so nothing polls
// the program. At the end it reads the program's peak resident memory
// (VmHWM) from /proc and ends the program.
//
// Usage: startwatch [--quiet MS] [--then COMMAND] PROGRAM [ARGUMENT...]
// Prints one line: map_ms paint_ms hwm_kib, times from just before the
// program was started. With --then, COMMAND (a shell command, with
// STARTWATCH_WINDOW set to the mapped window's id) runs once the first paint
// has ended; the drawing that follows is waited for the same way, and the
// line goes on with then_ms (from the command's start to that drawing's end)
// and the peak memory after it.
#define _GNU_SOURCE
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <errno.h>
#include <inttypes.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double nowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static long peakKib(pid_t pid)
{
    char path[64], line[256];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *f = fopen(path, "r");
    long kib = -1;
    while (f && fgets(line, sizeof line, f)) {
        if (strncmp(line, "VmHWM:", 6) == 0)
            kib = strtol(line + 6, NULL, 10);
    }
    if (f)
        fclose(f);
    return kib;
}

static xcb_connection_t *c;
static uint8_t damageEvent;
static double mapped = -1, lastDrawing = -1;
static xcb_window_t mappedWindow;

// Handles every event waiting; returns after the last one.
static void takeEvents(void)
{
    xcb_generic_event_t *e;
    while ((e = xcb_poll_for_event(c))) {
        const double t = nowMs();
        const uint8_t type = e->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            // Watched from creation: a window draws nothing before its map.
            const xcb_create_notify_event_t *n = (const xcb_create_notify_event_t *)e;
            xcb_damage_create(c, xcb_generate_id(c), n->window,
                XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
            xcb_flush(c);
        } else if (type == XCB_MAP_NOTIFY) {
            const xcb_map_notify_event_t *n = (const xcb_map_notify_event_t *)e;
            if (mapped < 0 && !n->override_redirect) {
                mapped = t;
                mappedWindow = n->window;
            }
        } else if (type == damageEvent + XCB_DAMAGE_NOTIFY) {
            lastDrawing = t;
        }
        free(e);
    }
}

// Waits until drawing has begun after since and then paused for quiet ms.
// Returns 0, or -1 when the program ended or nothing was drawn in time.
static int awaitDrawingEnd(pid_t pid, double since, double quiet)
{
    const int fd = xcb_get_file_descriptor(c);
    const double limit = since + 60000;
    for (;;) {
        takeEvents();
        if (xcb_connection_has_error(c))
            return -1;
        const double t = nowMs();
        const int begun = mapped >= 0 && lastDrawing >= since;
        if (begun && t - lastDrawing >= quiet)
            return 0;
        if (t > limit || waitpid(pid, NULL, WNOHANG) == pid)
            return -1;
        const double wait = begun ? lastDrawing + quiet - t : 50;
        struct pollfd p = { fd, POLLIN, 0 };
        poll(&p, 1, (int)(wait < 1 ? 1 : wait + 0.5));
    }
}

int main(int argc, char **argv)
{
    double quiet = 200;
    const char *then = NULL;
    int i = 1;
    for (; i + 1 < argc && argv[i][0] == '-'; i += 2) {
        if (strcmp(argv[i], "--quiet") == 0)
            quiet = atof(argv[i + 1]);
        else if (strcmp(argv[i], "--then") == 0)
            then = argv[i + 1];
        else
            break;
    }
    if (i >= argc) {
        fprintf(stderr, "usage: startwatch [--quiet MS] [--then COMMAND] PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "startwatch: no X display\n");
        return 1;
    }
    const xcb_query_extension_reply_t *damage = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damage || !damage->present) {
        fprintf(stderr, "startwatch: the X server lacks DAMAGE\n");
        return 1;
    }
    damageEvent = damage->first_event;
    free(xcb_damage_query_version_reply(
        c, xcb_damage_query_version(c, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION), NULL));
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    // A round trip, so that the server watches the root before the start.
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), NULL));

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        close(xcb_get_file_descriptor(c));
        execvp(argv[i], argv + i);
        _exit(127);
    }
    int status = 0;
    if (pid < 0 || awaitDrawingEnd(pid, start, quiet) < 0) {
        fprintf(stderr, "startwatch: %s drew no window\n", argv[i]);
        status = 1;
    } else {
        printf("%.1f %.1f %ld", mapped - start, lastDrawing - start, peakKib(pid));
        if (then) {
            char id[32];
            snprintf(id, sizeof id, "%" PRIu32, mappedWindow);
            setenv("STARTWATCH_WINDOW", id, 1);
            fflush(stdout);
            const double before = nowMs();
            const int ran = system(then);
            if (ran != 0 || awaitDrawingEnd(pid, before, quiet) < 0) {
                fprintf(stderr, "startwatch: nothing drawn after %s\n", then);
                status = 1;
            } else {
                printf(" %.1f %ld", lastDrawing - before, peakKib(pid));
            }
        }
        printf("\n");
    }
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, NULL, 0);
    }
    xcb_disconnect(c);
    return status;
}
