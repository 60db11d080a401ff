// The font configuration read beside the window's construction: the first paint must find it
// read, and nothing is left running when the program ends before any paint.

#include "FontWarmUp.h"

#include <QWidget>
#include <atomic>
#include <future>
#include <gtest/gtest.h>

namespace {

class TPaintWitness : public QWidget {
public:
    explicit TPaintWitness(const std::atomic<bool>& Read) : FRead(Read) { resize(20, 20); }
    int Paints = 0;
    bool ReadAtFirstPaint = false;

protected:
    void paintEvent(QPaintEvent*) override {
        if (Paints++ == 0)
            ReadAtFirstPaint = FRead;
    }

private:
    const std::atomic<bool>& FRead;
};

// A reading that ends only once the test lets it.
std::function<void()> HeldReading(std::shared_future<void> Release, std::atomic<bool>& Read) {
    return [Release, &Read] {
        Release.wait();
        Read = true;
    };
}

} // namespace

TEST(FontWarmUp, TheFirstPaintWaitsForTheReadingAndTheEndForAnUnpaintedOne) {
    std::atomic<bool> read = false;
    std::promise<void> release;
    {
        TFontWarmUp warmUp(HeldReading(release.get_future().share(), read));
        TPaintWitness window(read);
        warmUp.WaitBeforeFirstPaint(window);
        EXPECT_FALSE(read);
        release.set_value();
        window.grab(); // paints at once, the reading perhaps still running
        window.grab();
        EXPECT_EQ(window.Paints, 2);
        EXPECT_TRUE(window.ReadAtFirstPaint);
    }

    std::atomic<bool> readUnpainted = false;
    std::promise<void> releaseUnpainted;
    {
        TFontWarmUp warmUp(HeldReading(releaseUnpainted.get_future().share(), readUnpainted));
        releaseUnpainted.set_value();
    }
    EXPECT_TRUE(readUnpainted);
}
