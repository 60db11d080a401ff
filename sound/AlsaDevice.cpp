// The system's device through ALSA: our mixer fills one period at a time on a thread of its
// own, which blocks in the write until the device takes the period. Between sounds the thread
// sleeps, so an idle game costs no wake-ups.

#include "SoundDevice.h"

#include <alsa/asoundlib.h>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

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
            snd_pcm_drop(FPcm);
            snd_pcm_close(FPcm);
        }
    }

    bool Start(int32_t Rate, TSoundFill Fill, QString& Why) override {
        // Non-blocking open: a device held by another program must not hang the game.
        int err = snd_pcm_open(&FPcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
        if (err >= 0)
            err = snd_pcm_set_params(FPcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                                     unsigned(Rate), 1, BufferMicroseconds);
        if (err >= 0)
            err = snd_pcm_nonblock(FPcm, 0);
        if (err < 0) {
            Why = QString::fromLocal8Bit(snd_strerror(err));
            if (FPcm)
                snd_pcm_close(FPcm);
            FPcm = nullptr;
            return false;
        }
        FThread = std::thread([this, Fill = std::move(Fill)] { Run(Fill); });
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
    void Run(const TSoundFill& Fill) {
        std::vector<int16_t> period(PeriodFrames);
        while (!FStop) {
            const bool sounding = Fill(period.data(), period.size());
            snd_pcm_sframes_t n = snd_pcm_writei(FPcm, period.data(), period.size());
            if (n < 0)
                n = snd_pcm_recover(FPcm, int(n), 1);
            if (n < 0)
                return; // the device went away: silence from here on
            if (!sounding) {
                snd_pcm_drain(FPcm);
                std::unique_lock hold(FLock);
                FWake.wait(hold, [this] { return FWoken || FStop; });
                FWoken = false;
                hold.unlock();
                snd_pcm_prepare(FPcm);
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

// ALSA's own error printing would reach the terminal; the engine logs one line instead.
void Quiet(const char*, int, const char*, int, const char*, ...) {}

} // namespace

std::unique_ptr<TSoundDevice> OpenSystemSoundDevice() {
    snd_lib_error_set_handler(Quiet);
    return std::make_unique<TAlsaDevice>();
}
