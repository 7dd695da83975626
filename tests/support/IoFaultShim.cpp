// Preloaded (LD_PRELOAD) into the program by batch tests, to make file writes fail as
// a read-only or a full disk makes them fail, or to slow them down so that a kill
// lands in the middle of one. Tests run as root, where permissions stop nothing.
//   QUILLET_IO_FAULT=readonly  opening a file for writing, renaming and asking whether
//                              a file may be written fail (EROFS)
//   QUILLET_IO_FAULT=full      a few bytes of a file are written, then ENOSPC
//   QUILLET_IO_MATCH=text      only paths containing the text are affected (default: all)
//   QUILLET_IO_DELAY_US=n      every write to a file and every rename waits n µs first
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

template <typename F> F real(const char *name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

const char *env(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

bool fault(const char *kind) { return std::strcmp(env("QUILLET_IO_FAULT"), kind) == 0; }

bool matches(const char *path) { return path && std::strstr(path, env("QUILLET_IO_MATCH")); }

void delay()
{
    if (const long us = std::strtol(env("QUILLET_IO_DELAY_US"), nullptr, 10); us > 0)
        usleep(useconds_t(us));
}

// Files opened for writing under the "full" fault: how many bytes they took so far.
constexpr int kFds = 4096;
int g_written[kFds];
bool g_full[kFds];

bool forWriting(int flags) { return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0; }
bool forWriting(const char *mode) { return std::strpbrk(mode, "wa+") != nullptr; }

int track(int fd, const char *path, bool writing)
{
    if (fd >= 0 && fd < kFds) {
        g_full[fd] = writing && fault("full") && matches(path);
        g_written[fd] = 0;
    }
    return fd;
}

bool refuse(const char *path, bool writing)
{
    if (writing && fault("readonly") && matches(path)) {
        errno = EROFS;
        return true;
    }
    return false;
}

// A full disk takes the first few bytes and then no more.
ssize_t fullDisk(int fd, std::size_t count, const void *buf, ssize_t (*write)(int, const void *, std::size_t))
{
    constexpr int kRoom = 7;
    if (g_written[fd] >= kRoom || count == 0) {
        errno = ENOSPC;
        return -1;
    }
    const std::size_t part = count < std::size_t(kRoom - g_written[fd]) ? count : std::size_t(kRoom - g_written[fd]);
    const ssize_t done = write(fd, buf, part);
    if (done > 0)
        g_written[fd] += int(done);
    return done;
}

int openWith(const char *name, int dirfd, const char *path, int flags, mode_t mode)
{
    if (refuse(path, forWriting(flags)))
        return -1;
    int fd;
    if (dirfd == -1)
        fd = real<int (*)(const char *, int, ...)>(name)(path, flags, mode);
    else
        fd = real<int (*)(int, const char *, int, ...)>(name)(dirfd, path, flags, mode);
    return track(fd, path, forWriting(flags));
}

mode_t modeArg(int flags, va_list args)
{
    return (flags & O_CREAT) ? mode_t(va_arg(args, int)) : 0;
}

} // namespace

extern "C" {

int open(const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArg(flags, args);
    va_end(args);
    return openWith("open", -1, path, flags, mode);
}

int open64(const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArg(flags, args);
    va_end(args);
    return openWith("open64", -1, path, flags, mode);
}

int openat(int dirfd, const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArg(flags, args);
    va_end(args);
    return openWith("openat", dirfd, path, flags, mode);
}

FILE *fopen(const char *path, const char *mode)
{
    if (refuse(path, forWriting(mode)))
        return nullptr;
    FILE *f = real<FILE *(*)(const char *, const char *)>("fopen")(path, mode);
    if (f)
        track(fileno(f), path, forWriting(mode));
    return f;
}

FILE *fopen64(const char *path, const char *mode)
{
    if (refuse(path, forWriting(mode)))
        return nullptr;
    FILE *f = real<FILE *(*)(const char *, const char *)>("fopen64")(path, mode);
    if (f)
        track(fileno(f), path, forWriting(mode));
    return f;
}

int fclose(FILE *f)
{
    if (f)
        track(fileno(f), nullptr, false);
    return real<int (*)(FILE *)>("fclose")(f);
}

int close(int fd)
{
    track(fd, nullptr, false);
    return real<int (*)(int)>("close")(fd);
}

ssize_t write(int fd, const void *buf, std::size_t count)
{
    const auto realWrite = real<ssize_t (*)(int, const void *, std::size_t)>("write");
    if (fd > 2)
        delay();
    if (fd >= 0 && fd < kFds && g_full[fd])
        return fullDisk(fd, count, buf, realWrite);
    return realWrite(fd, buf, count);
}

ssize_t writev(int fd, const struct iovec *iov, int count)
{
    if (fd > 2)
        delay();
    if (fd >= 0 && fd < kFds && g_full[fd]) {
        const auto realWrite = real<ssize_t (*)(int, const void *, std::size_t)>("write");
        for (int i = 0; i < count; ++i)
            if (iov[i].iov_len)
                return fullDisk(fd, iov[i].iov_len, iov[i].iov_base, realWrite);
        return 0;
    }
    return real<ssize_t (*)(int, const struct iovec *, int)>("writev")(fd, iov, count);
}

int access(const char *path, int mode)
{
    if (refuse(path, (mode & W_OK) != 0))
        return -1;
    return real<int (*)(const char *, int)>("access")(path, mode);
}

int rename(const char *from, const char *to)
{
    delay();
    if (fault("readonly") && (matches(from) || matches(to))) {
        errno = EROFS;
        return -1;
    }
    return real<int (*)(const char *, const char *)>("rename")(from, to);
}

} // extern "C"
