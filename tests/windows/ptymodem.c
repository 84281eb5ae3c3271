/* Modem lines for a pseudo-terminal under Wine's COM port, preloaded into
 * Wine (LD_PRELOAD) by tests/windows/run-on-serial, built for the Linux host.
 *
 * Wine sets DTR and RTS (EscapeCommFunction, SetCommState) by reading the
 * modem lines with TIOCMGET and writing them back with TIOCMSET. A
 * pseudo-terminal has no modem lines and refuses both, so the lines the
 * program drives would be lost. Where a terminal refuses them, this library
 * answers as a cable whose other end is ready (DSR, CTS and carrier on) and
 * keeps DTR and RTS as set. With TAVORIN_MODEM_LOG naming a file, every
 * change appends the line as the device has it, e.g. "2400 8N1 DTR=on
 * RTS=off", for the test to read.
 *
 * One query stays refused: the one Wine's WaitCommEvent polls with. Wine 8
 * runs a WaitCommEvent whose OVERLAPPED has no event (QSerialPort's) to its
 * end in the calling thread. Answered, that wait would hold the program's
 * window thread until a byte arrived; refused, as by the terminal itself,
 * the wait ends at once with no event and the program goes on. Wine's wait
 * reads the line counters (TIOCGICOUNT, TIOCSERGETLSR, TIOCOUTQ) right
 * before it asks for the modem lines, and nothing else does that.
 *
 * Every other ioctl, and every device that answers by itself, goes to the C
 * library untouched. */
#define _GNU_SOURCE
#include <asm/termbits.h>
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <unistd.h>

typedef int (*ioctl_function)(int, unsigned long, ...);

/* The lines the program drives; one set, as the test's Wine has one COM
 * port. */
static int driven_lines = 0;
static const int peer_lines = TIOCM_DSR | TIOCM_CTS | TIOCM_CAR;
static __thread unsigned long previous_request;

static int real_ioctl(int fd, unsigned long request, void *argument)
{
    static ioctl_function next;
    if (!next)
        next = (ioctl_function)dlsym(RTLD_NEXT, "ioctl");
    return next(fd, request, argument);
}

static void log_lines(int fd)
{
    const char *path = getenv("TAVORIN_MODEM_LOG");
    struct termios2 settings;
    if (!path || real_ioctl(fd, TCGETS2, &settings) != 0)
        return;
    static const char parities[] = { 'N', 'E', 'N', 'O' };
    const int bits[] = { 5, 6, 7, 8 };
    char line[96];
    const int length = snprintf(line, sizeof line, "%u %d%c%d DTR=%s RTS=%s\n",
        settings.c_ospeed, bits[(settings.c_cflag & CSIZE) >> 4],
        parities[(settings.c_cflag & (PARENB | PARODD)) >> 8], settings.c_cflag & CSTOPB ? 2 : 1,
        driven_lines & TIOCM_DTR ? "on" : "off", driven_lines & TIOCM_RTS ? "on" : "off");
    const int log = open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (log < 0)
        return;
    if (write(log, line, (size_t)length) != length)
        perror("ptymodem: log");
    close(log);
}

/* Answers a modem-line request the terminal refused; -1 if it is none. */
static int stand_in(int fd, unsigned long request, void *argument, unsigned long previous)
{
    switch (request) {
    case TIOCMGET:
        if (previous == TIOCOUTQ || previous == TIOCSERGETLSR || previous == TIOCGICOUNT)
            return -1; /* WaitCommEvent's poll, see above */
        *(int *)argument = driven_lines | peer_lines;
        return 0;
    case TIOCMSET:
        driven_lines = *(const int *)argument & (TIOCM_DTR | TIOCM_RTS);
        break;
    case TIOCMBIS:
        driven_lines |= *(const int *)argument & (TIOCM_DTR | TIOCM_RTS);
        break;
    case TIOCMBIC:
        driven_lines &= ~*(const int *)argument;
        break;
    default:
        return -1;
    }
    log_lines(fd);
    return 0;
}

int ioctl(int fd, unsigned long request, ...)
{
    va_list arguments;
    va_start(arguments, request);
    void *argument = va_arg(arguments, void *);
    va_end(arguments);

    const unsigned long previous = previous_request;
    previous_request = request;
    const int result = real_ioctl(fd, request, argument);
    if (result == -1 && (errno == ENOTTY || errno == EINVAL) && argument && isatty(fd)) {
        const int saved = errno;
        if (stand_in(fd, request, argument, previous) == 0)
            return 0;
        errno = saved;
    }
    return result;
}
