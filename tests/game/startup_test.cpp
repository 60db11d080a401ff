// Work moved out of the way of the first frame: the font configuration read beside the
// window's construction, the table's pictures read when they first show.

#include "FontWarmUp.h"
#include "TablePicture.h"
#include "kspicture.h"

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

// A picture that starts hidden, as the wait signs do, is not read until it shows; then it is
// drawn, and showing it again reads nothing more.
TEST(TablePicture, AHiddenPictureIsReadWhenItFirstShows) {
    QWidget table;
    table.setAutoFillBackground(true);
    table.setPalette(QPalette(Qt::black));
    table.resize(64, 64);
    auto* sign = new TTablePicture(QStringLiteral("waitsign"), &table);
    sign->setGeometry(16, 16, 32, 32);
    sign->hide();
    const uint64_t before = KsDecodedPictures();
    table.show();
    EXPECT_EQ(KsDecodedPictures(), before);

    sign->show();
    EXPECT_EQ(KsDecodedPictures(), before + 1);
    const QImage shown = table.grab().toImage();
    int drawn = 0;
    for (int y = 16; y < 48; ++y)
        for (int x = 16; x < 48; ++x)
            drawn += shown.pixel(x, y) != QColor(Qt::black).rgb();
    EXPECT_GT(drawn, 100);
    sign->hide();
    sign->show();
    EXPECT_EQ(KsDecodedPictures(), before + 1);
}
