// The system's device through ALSA: our mixer fills one period at a time on a thread of its
// own, which blocks in the write until the device takes the period. Between sounds the thread
// sleeps, so an idle game costs no wake-ups. ALSA's library is loaded when sound is first
// wanted: the package only recommends it, and without it the game plays silent.

#include "SoundDevice.h"

#include <alsa/asoundlib.h>
#include <atomic>
#include <condition_variable>
#include <dlfcn.h>
#include <mutex>
#include <thread>
#include <type_traits>
#include <vector>

namespace {

struct TAlsaLibrary {
    decltype(&snd_pcm_open) Open = nullptr;
    decltype(&snd_pcm_set_params) SetParams = nullptr;
    decltype(&snd_pcm_nonblock) NonBlock = nullptr;
    decltype(&snd_pcm_writei) Write = nullptr;
    decltype(&snd_pcm_recover) Recover = nullptr;
    decltype(&snd_pcm_drain) Drain = nullptr;
    decltype(&snd_pcm_prepare) Prepare = nullptr;
    decltype(&snd_pcm_drop) Drop = nullptr;
    decltype(&snd_pcm_close) Close = nullptr;
    decltype(&snd_strerror) Error = nullptr;
    bool Loaded = false;

    TAlsaLibrary() {
        // Kept for the process's life, as ALSA's own configuration cache is.
        void* lib = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!lib)
            return;
        const auto load = [lib](auto& Function, const char* Name) {
            Function =
                reinterpret_cast<std::remove_reference_t<decltype(Function)>>(dlsym(lib, Name));
            return Function != nullptr;
        };
        decltype(&snd_lib_error_set_handler) quiet = nullptr;
        Loaded = load(Open, "snd_pcm_open") && load(SetParams, "snd_pcm_set_params") &&
                 load(NonBlock, "snd_pcm_nonblock") && load(Write, "snd_pcm_writei") &&
                 load(Recover, "snd_pcm_recover") && load(Drain, "snd_pcm_drain") &&
                 load(Prepare, "snd_pcm_prepare") && load(Drop, "snd_pcm_drop") &&
                 load(Close, "snd_pcm_close") && load(Error, "snd_strerror") &&
                 load(quiet, "snd_lib_error_set_handler");
        // ALSA's own error printing would reach the terminal; the engine logs one line.
        if (Loaded)
            quiet(Quiet);
    }
    static void Quiet(const char*, int, const char*, int, const char*, ...) {}
};

const TAlsaLibrary& Alsa() {
    static const TAlsaLibrary library;
    return library;
}

constexpr snd_pcm_uframes_t PeriodFrames = 256; // about 6 ms at 44.1 kHz
constexpr unsigned BufferMicroseconds = 30000;  // what the device holds ahead

class TAlsaDevice : public TSoundDevice {
public:
    ~TAlsaDevice() override {
        FStop = true;
        Wake();
        if (FThread.joinable())
            FThread.join();
        if (FPcm) {
            Alsa().Drop(FPcm);
            Alsa().Close(FPcm);
        }
    }

    bool Start(int32_t Rate, TSoundFill Fill, TSoundLost Lost, QString& Why) override {
        const TAlsaLibrary& alsa = Alsa();
        if (!alsa.Loaded) {
            Why = QStringLiteral("no ALSA library");
            return false;
        }
        // Non-blocking open: a device held by another program must not hang the game.
        int err = alsa.Open(&FPcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
        if (err >= 0)
            err = alsa.SetParams(FPcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                                 unsigned(Rate), 1, BufferMicroseconds);
        if (err >= 0)
            err = alsa.NonBlock(FPcm, 0);
        if (err < 0) {
            Why = QString::fromLocal8Bit(alsa.Error(err));
            if (FPcm)
                alsa.Close(FPcm);
            FPcm = nullptr;
            return false;
        }
        FThread = std::thread(
            [this, Fill = std::move(Fill), Lost = std::move(Lost)] { Run(Fill, Lost); });
        return true;
    }

    void Wake() override {
        {
            const std::lock_guard hold(FLock);
            FWoken = true;
        }
        FWake.notify_one();
    }

private:
    void Run(const TSoundFill& Fill, const TSoundLost& Lost) {
        std::vector<int16_t> period(PeriodFrames);
        while (!FStop) {
            const bool sounding = Fill(period.data(), period.size());
            snd_pcm_sframes_t n = Alsa().Write(FPcm, period.data(), period.size());
            if (n < 0)
                n = Alsa().Recover(FPcm, int(n), 1);
            if (n < 0) { // the device went away: silence from here on
                if (Lost)
                    Lost(QString::fromLocal8Bit(Alsa().Error(int(n))));
                return;
            }
            if (!sounding) {
                Alsa().Drain(FPcm);
                std::unique_lock hold(FLock);
                FWake.wait(hold, [this] { return FWoken || FStop; });
                FWoken = false;
                hold.unlock();
                Alsa().Prepare(FPcm);
            }
        }
    }

    snd_pcm_t* FPcm = nullptr;
    std::atomic<bool> FStop = false;
    std::mutex FLock;
    std::condition_variable FWake;
    bool FWoken = false;
    std::thread FThread;
};

} // namespace

std::unique_ptr<TSoundDevice> OpenSystemSoundDevice() {
    return std::make_unique<TAlsaDevice>();
}
