// Draws the time between the computer's plays at each level, Steady beside the person model,
// from headless games against the typical simulated player: docs/person-intervals.png.
//
//   tolvi_person_intervals OUTPUT.png [--games N]

#include "PersonMatch.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int BinMs = 100, Bins = 40; // 0 .. 4 s; longer waits go in the last bin

struct THistogram {
    std::array<double, Bins> Share{};
    double Mean = 0;
};

THistogram Intervals(const TSeat& Computer, int Games, uint64_t Salt) {
    THistogram h;
    long n = 0;
    for (int g = 0; g < Games; ++g) {
        const uint64_t number = uint64_t(g) + 1;
        const TMatchResult r =
            RunMatch(number, TSeat::Like(TPersonParams::Human(1)), Computer, number * 131 + Salt);
        for (const int64_t ms : r.ComputerIntervals) {
            h.Share[size_t(std::min<int64_t>(ms / BinMs, Bins - 1))] += 1;
            h.Mean += double(ms);
            ++n;
        }
    }
    for (double& s : h.Share)
        s /= double(std::max(1L, n));
    h.Mean /= double(std::max(1L, n));
    return h;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tolvi_person_intervals OUTPUT.png [--games N]\n");
        return 2;
    }
    int games = 300;
    for (int i = 2; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--games") == 0)
            games = std::atoi(argv[i + 1]);

    const int panelW = 900, panelH = 150, left = 150, top = 50, gap = 20;
    QImage image(left + panelW + 30, top + 5 * (panelH + gap) + 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = p.font();
    font.setPixelSize(14);
    p.setFont(font);
    const QColor steady(40, 90, 200, 170), person(230, 120, 20, 170);
    p.setPen(Qt::black);
    p.drawText(left, 20,
               QStringLiteral("Time between the computer's plays (against a typical "
                              "player, %1 games per level)")
                   .arg(games));
    p.fillRect(left, 30, 14, 14, steady);
    p.drawText(left + 20, 42, QStringLiteral("Steady"));
    p.fillRect(left + 100, 30, 14, 14, person);
    p.drawText(left + 120, 42, QStringLiteral("Like a person"));

    for (int level = 0; level < 5; ++level) {
        const TPersonParams like = TPersonParams::Level(level);
        const std::array<THistogram, 2> h{
            Intervals(TSeat::Steady(250 * level + 250), games, uint64_t(level)),
            Intervals(TSeat::Like(like), games, uint64_t(level))};
        const int y0 = top + level * (panelH + gap) + gap;
        const double most = std::max(*std::max_element(h[0].Share.begin(), h[0].Share.end()),
                                     *std::max_element(h[1].Share.begin(), h[1].Share.end()));
        const double barW = double(panelW) / Bins;
        for (size_t s = 0; s < 2; ++s)
            for (int b = 0; b < Bins; ++b) {
                const double hgt = h[s].Share[size_t(b)] / most * (panelH - 10);
                p.fillRect(QRectF(left + b * barW + (s == 0 ? 1 : barW / 2), y0 + panelH - hgt,
                                  barW / 2 - 1, hgt),
                           s == 0 ? steady : person);
            }
        p.setPen(Qt::black);
        p.drawLine(left, y0 + panelH, left + panelW, y0 + panelH);
        p.drawText(8, y0 + 40, QString::fromUtf8(like.Name.data(), qsizetype(like.Name.size())));
        p.drawText(8, y0 + 70, QStringLiteral("Steady %1 ms").arg(qRound(h[0].Mean)));
        p.drawText(8, y0 + 90, QStringLiteral("Person %1 ms").arg(qRound(h[1].Mean)));
        std::printf("level=%s steady_mean_ms=%.0f person_mean_ms=%.0f\n",
                    std::string(like.Name).c_str(), h[0].Mean, h[1].Mean);
    }
    const int yAxis = top + 5 * (panelH + gap) + 5;
    for (int s = 0; s <= 4; ++s)
        p.drawText(left + s * panelW / 4 - 10, yAxis + 10, QStringLiteral("%1 s").arg(s));
    p.end();

    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
