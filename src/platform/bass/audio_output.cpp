#include "platform/bass/audio_output.h"

#include <SDL2/SDL.h>

#include <cstring>

#include "platform/bass/audio_clock.h"

namespace {

constexpr Uint16 requestedBufferFrames = 1024;

void fillFromMixer(void* mixer, Uint8* stream, int length) {
    static_cast<Mixer*>(mixer)->render(reinterpret_cast<std::int16_t*>(stream), length / 4,
                                       audioClockSeconds());
}

const char* deviceName(int device) {
    if (device < 1) return nullptr;
    return SDL_GetAudioDeviceName(device - 1, 0);
}

}  // namespace

bool AudioOutput::open(int device, int rate, Mixer& mixer) {
    if (device == 0) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    subsystemStarted_ = true;
    const char* name = deviceName(device);
    if (device > 0 && !name) {
        close();
        return false;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = requestedBufferFrames;
    wanted.callback = fillFromMixer;
    wanted.userdata = &mixer;
    SDL_AudioSpec obtained{};
    device_ = SDL_OpenAudioDevice(name, 0, &wanted, &obtained, 0);
    if (device_ == 0) close();
    bufferFrames_ = device_ ? obtained.samples : 0;
    const char* driver = SDL_GetCurrentAudioDriver();
    realTime_ = device_ != 0 && !(driver && std::strcmp(driver, "disk") == 0);
    return device_ != 0;
}

void AudioOutput::close() {
    if (device_) SDL_CloseAudioDevice(device_);
    if (subsystemStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    device_ = 0;
    subsystemStarted_ = false;
    bufferFrames_ = 0;
    realTime_ = false;
}

void AudioOutput::start() {
    if (device_) SDL_PauseAudioDevice(device_, 0);
}

AudioOutput::Lock::Lock(const AudioOutput& output) : device_(output.device_) {
    if (device_) SDL_LockAudioDevice(device_);
}

AudioOutput::Lock::~Lock() {
    if (device_) SDL_UnlockAudioDevice(device_);
}
