/* Lets libfaketime's faked wall clock reach 32-bit Wine.
 *
 * Debian's 32-bit Wine is built with a 64-bit time_t and reads the clock through glibc's
 * __clock_gettime64, __gettimeofday64 and __time64, which libfaketime 0.9.10 does not replace.
 * Preloaded after libfaketime, this library defines those three entry points on top of the
 * ordinary calls, which then resolve to libfaketime's. Built for 32 and 64 bits alike, so one
 * LD_PRELOAD with $LIB serves every process; a 64-bit glibc never calls these names. */
#include <stdint.h>
#include <sys/time.h>
#include <time.h>

struct Timespec64 {
    int64_t seconds;
    int32_t nanoseconds; /* glibc's i386 layout: 32 bits, then 32 bits of padding */
    int32_t padding;
};

struct Timeval64 {
    int64_t seconds;
    int64_t microseconds;
};

int __clock_gettime64(clockid_t clock, struct Timespec64 *out) {
    struct timespec now;
    int result = clock_gettime(clock, &now);
    if (result == 0 && out) {
        out->seconds = now.tv_sec;
        out->nanoseconds = (int32_t)now.tv_nsec;
        out->padding = 0;
    }
    return result;
}

int __gettimeofday64(struct Timeval64 *out, void *zone) {
    struct timeval now;
    int result = gettimeofday(&now, zone);
    if (result == 0 && out) {
        out->seconds = now.tv_sec;
        out->microseconds = now.tv_usec;
    }
    return result;
}

int64_t __time64(int64_t *out) {
    int64_t now = time(NULL);
    if (out) *out = now;
    return now;
}
