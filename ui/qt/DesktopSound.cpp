#include "ui/qt/DesktopSound.h"

#include "core/Texts.h"

#include <condition_variable>
#include <cstdint>
#include <dlfcn.h>
#include <mutex>
#include <string>
#include <thread>

namespace lirbo::ui {

namespace {

// The few entry points of libcanberra used here, as its C interface declares them.
struct ca_context;
using ContextCreate = int (*)(ca_context**);
using ContextPlay = int (*)(ca_context*, std::uint32_t, ...);
using ContextDestroy = int (*)(ca_context*);

constexpr std::uint32_t kArrivalId = 1;

// ALSA, which libcanberra falls back to without a sound server, prints its failures (no sound
// card, no device) on standard error; a machine without sound is no error, so they are dropped.
using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void silenceAlsa() {
    if (void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL)) {
        using SetHandler = int (*)(AlsaErrorHandler);
        if (const auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) {
            set(&ignoreAlsaError);
        }
    }
}

} // namespace

// What the sound thread and the player share; the thread keeps it alive after the player is gone.
struct DesktopSound::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    bool pending = false;
    bool stopping = false;
    bool started = false;
    bool unavailable = false; // the library or its context could not be had: nothing will sound
};

namespace {

void playLoop(const std::shared_ptr<DesktopSound::Shared>& shared) {
    silenceAlsa();
    void* library = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
    const auto create =
        library != nullptr ? reinterpret_cast<ContextCreate>(dlsym(library, "ca_context_create")) : nullptr;
    const auto play = library != nullptr ? reinterpret_cast<ContextPlay>(dlsym(library, "ca_context_play")) : nullptr;
    const auto destroy =
        library != nullptr ? reinterpret_cast<ContextDestroy>(dlsym(library, "ca_context_destroy")) : nullptr;
    ca_context* context = nullptr;
    if (create == nullptr || play == nullptr || destroy == nullptr || create(&context) != 0 || context == nullptr) {
        const std::lock_guard<std::mutex> lock(shared->mutex);
        shared->unavailable = true;
        return;
    }
    const std::string description(text::kArrivalSoundDescription); // the library wants it ending in a nul
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(shared->mutex);
            shared->wake.wait(lock, [&] { return shared->pending || shared->stopping; });
            if (shared->stopping) {
                break;
            }
            shared->pending = false;
        }
        // Failures (no server, no such sound in the theme) are no concern of the user's.
        play(context, kArrivalId, "event.id", "message-new-instant", "event.description", description.c_str(),
             "application.name", "Lirbo", nullptr);
    }
    destroy(context); // the library stays loaded: another window may play through it
}

} // namespace

DesktopSound::DesktopSound() : m_shared(std::make_shared<Shared>()) {}

DesktopSound::~DesktopSound() {
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->stopping = true;
    m_shared->wake.notify_all();
}

void DesktopSound::playArrival() {
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (m_shared->unavailable) {
        return;
    }
    m_shared->pending = true; // a sound still waiting takes this one along
    if (!m_shared->started) {
        m_shared->started = true;
        // Detached: a library stuck on its sound server must not hold up the program's exit.
        std::thread([shared = m_shared] { playLoop(shared); }).detach();
    }
    m_shared->wake.notify_one();
}

} // namespace lirbo::ui
