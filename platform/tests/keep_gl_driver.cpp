// Linked into the tests that open and close GL windows in their own process. Mesa unloads its
// software driver with the last GL context, and the blocks the driver still held then look lost to
// the sanitizer build's leak checker, which runs at exit and cannot even name their library. Kept
// loaded from the start, the driver's blocks stay reachable. Where the driver is not at Debian's
// path this does nothing.
#include <dlfcn.h>

namespace {

[[maybe_unused]] const bool kGlDriverKept =
    dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_NOW | RTLD_NODELETE) != nullptr;

}  // namespace
