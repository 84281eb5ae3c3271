/* Modem lines for a pseudo-terminal that stands in for a serial port.
 *
 * The Linux serial tests link this file into their program; under Wine,
 * tests/windows/run-on-serial builds it for the Linux host and preloads it
 * into Wine (LD_PRELOAD). Either way it takes the place of the C library's
 * ioctl().
 *
 * A program sets DTR and RTS with TIOCMBIS, TIOCMBIC or TIOCMSET (Wine reads
 * the lines with TIOCMGET first and writes them back). A pseudo-terminal has
 * no modem lines and refuses all of these, so the lines the program drives
 * would be lost, and Wine's WaitCommEvent, which reads the lines each time
 * it looks for events, would end at once with an error. Where a terminal
 * refuses them, this file answers as a cable whose other end is ready (DSR,
 * CTS and carrier on) and keeps DTR and RTS as set. With TAVORIN_MODEM_LOG
 * naming a file, every change appends the line as the device has it, e.g.
 * "2400 8N1 DTR=on RTS=off", for the test to read.
 *
 * Every other ioctl, every error other than "not a terminal's request"
 * (a hung-up line answers EIO, and must), and every device that answers by
 * itself go to the C library untouched. */
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

/* The lines the program drives; one set, as a test opens one port at a
 * time. */
static int driven_lines = 0;
static const int peer_lines = TIOCM_DSR | TIOCM_CTS | TIOCM_CAR;

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
    if (!path || !*path || real_ioctl(fd, TCGETS2, &settings) != 0)
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
static int stand_in(int fd, unsigned long request, void *argument)
{
    switch (request) {
    case TIOCMGET:
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

    const int result = real_ioctl(fd, request, argument);
    if (result == -1 && (errno == ENOTTY || errno == EINVAL) && argument && isatty(fd)) {
        const int saved = errno;
        if (stand_in(fd, request, argument) == 0)
            return 0;
        errno = saved;
    }
    return result;
}
