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
    explicit TPaintWitness(const std::atomic<bool>& Read) : FRead(Read) {}
    int Paints = 0;
    bool ReadAtFirstPaint = false;

protected:
    void paintEvent(QPaintEvent*) override { ReadAtFirstPaint |= Paints++ == 0 && FRead; }

private:
    const std::atomic<bool>& FRead;
};

} // namespace

TEST(FontWarmUp, TheFirstPaintWaitsForTheReadingAndTheEndForAnUnpaintedOne) {
    for (const bool painted : {true, false}) {
        std::atomic<bool> read = false;
        std::promise<void> release; // the reading ends only once the test lets it
        {
            TFontWarmUp warmUp([held = release.get_future().share(), &read] {
                held.wait();
                read = true;
            });
            TPaintWitness window(read);
            window.resize(20, 20);
            warmUp.WaitBeforeFirstPaint(window);
            EXPECT_FALSE(read);
            release.set_value();
            if (painted) {
                window.grab(); // paints at once, the reading perhaps still running
                window.grab();
                EXPECT_EQ(window.Paints, 2);
                EXPECT_TRUE(window.ReadAtFirstPaint);
            }
        }
        EXPECT_TRUE(read);
    }
}
