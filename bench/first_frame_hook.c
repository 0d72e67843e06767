/* Preloaded into a run of scripts/play by bench/first-play-time: on the game's first presented frame
   it prints the wall-clock time and ends the process, so the time from typing ./scripts/play to the
   first picture on screen can be measured from outside without changing the game. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <time.h>
#include <unistd.h>

void SDL_GL_SwapWindow(void* window) {
    void (*real)(void*) = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    if (real) real(window);
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    fprintf(stderr, "first-frame-at %lld.%09ld\n", (long long)now.tv_sec, now.tv_nsec);
    fflush(stderr);
    _exit(0);
}
