#include "app/fontwarmup.h"

#include <fontconfig/fontconfig.h>
#include <malloc.h>

FontWarmUp::FontWarmUp()
{
    // One malloc arena for the whole program, which works on one thread once started. A thread
    // of its own would get an arena of its own, and the configuration it reads, used by the main
    // thread for the rest of the run, would keep that arena's pages beside the main heap; the
    // first paint then takes as much memory as with the configuration read on the main thread.
    mallopt(M_ARENA_MAX, 1);
    m_thread = std::thread([] { FcInit(); });
}

FontWarmUp::~FontWarmUp()
{
    finish();
}

void FontWarmUp::finish()
{
    if (m_thread.joinable())
        m_thread.join();
}
