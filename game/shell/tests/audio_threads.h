#pragma once
// Counts the audio threads of this process by the names they give themselves, so that threads of
// the test framework or a sanitizer runtime do not count.

#include <string>

int threadsNamed(const std::string& name);
// The effect thread, the music manager and the music stream.
int audioThreads();
