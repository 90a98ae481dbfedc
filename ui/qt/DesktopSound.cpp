#include "ui/qt/DesktopSound.h"

#include <condition_variable>
#include <cstdint>
#include <dlfcn.h>
#include <mutex>
#include <thread>

namespace lirbo::ui {

namespace {

// The few entry points of libcanberra used here, as its C interface declares them.
struct ca_context;
using ContextCreate = int (*)(ca_context**);
using ContextPlay = int (*)(ca_context*, std::uint32_t, ...);

constexpr std::uint32_t kArrivalId = 1;

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
    void* library = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
    const auto create =
        library != nullptr ? reinterpret_cast<ContextCreate>(dlsym(library, "ca_context_create")) : nullptr;
    const auto play = library != nullptr ? reinterpret_cast<ContextPlay>(dlsym(library, "ca_context_play")) : nullptr;
    ca_context* context = nullptr;
    if (create == nullptr || play == nullptr || create(&context) != 0 || context == nullptr) {
        const std::lock_guard<std::mutex> lock(shared->mutex);
        shared->unavailable = true;
        return;
    }
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(shared->mutex);
            shared->wake.wait(lock, [&] { return shared->pending || shared->stopping; });
            if (shared->stopping) {
                return; // the context and the library stay: the process is ending
            }
            shared->pending = false;
        }
        // Failures (no server, no such sound in the theme) are no concern of the user's.
        play(context, kArrivalId, "event.id", "message-new-instant", "event.description",
             "\xD0\x9D\xD0\xBE\xD0\xB2\xD0\xBE\xD0\xB5 "
             "\xD1\x81\xD0\xBE\xD0\xBE\xD0\xB1\xD1\x89\xD0\xB5\xD0\xBD\xD0\xB8\xD0"
             "\xB5", // "Новое сообщение", UTF-8
             "application.name", "Lirbo", nullptr);
    }
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
