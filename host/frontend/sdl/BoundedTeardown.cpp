// The bounded teardown of the sound device and SDL (see BoundedTeardown.h).
#include "frontend/sdl/BoundedTeardown.h"

#include <SDL.h>

#include "frontend/sdl/MixerSoundOutput.h"

namespace {

struct Teardown {
    CMixerSoundOutput* mixer;
    SDL_sem* done;
};

int TearDown(void* data)
{
    auto* work = static_cast<Teardown*>(data);
    work->mixer->Close();
    SDL_Quit();
    SDL_SemPost(work->done);
    return 0;
}

}  // namespace

bool TearDownSdlWithin(CMixerSoundOutput& mixer, std::uint32_t limitMs)
{
    SDL_sem* done = SDL_CreateSemaphore(0);
    auto* teardown = new Teardown{&mixer, done};
    SDL_Thread* thread = done == nullptr ? nullptr : SDL_CreateThread(TearDown, "teardown", teardown);
    if (thread == nullptr) {
        mixer.Close();
        SDL_Quit();
        if (done != nullptr) {
            SDL_DestroySemaphore(done);
        }
        delete teardown;
        return true;
    }
    if (SDL_SemWaitTimeout(done, limitMs) == 0) {
        SDL_WaitThread(thread, nullptr);
        SDL_DestroySemaphore(done);
        delete teardown;
        return true;
    }
    // Still busy: the thread keeps the semaphore and its work until the process ends.
    SDL_DetachThread(thread);
    return false;
}
