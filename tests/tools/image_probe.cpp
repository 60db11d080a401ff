#include "image_probe.h"

#include "kspicture.h"

#include <QString>
#include <cstdlib>
#include <vector>

namespace imageprobe {

QImage Member(int Number) {
    return KsReadPicture(QStringLiteral(":/cards/%1.kspc").arg(Number))
        .convertToFormat(QImage::Format_RGB32);
}

QImage TablePicture(const QString& Name) {
    return KsReadPicture(QStringLiteral(":/pictures/%1.kspc").arg(Name))
        .convertToFormat(QImage::Format_ARGB32);
}

std::map<QRgb, int> ColourCounts(const QImage& Picture, QRect Area) {
    if (Area.isNull())
        Area = Picture.rect();
    std::map<QRgb, int> counts;
    for (int y = Area.top(); y <= Area.bottom(); ++y)
        for (int x = Area.left(); x <= Area.right(); ++x)
            ++counts[Picture.pixel(x, y) | 0xFF000000u];
    return counts;
}

std::vector<int> ShapeSizes(const QImage& Picture, QRect Area,
                            const std::function<bool(QRgb)>& Inside) {
    const int w = Area.width();
    const int h = Area.height();
    std::vector<char> seen(static_cast<size_t>(w * h), 0);
    auto index = [&](int x, int y) {
        return static_cast<size_t>((y - Area.top()) * w + x - Area.left());
    };
    std::vector<int> sizes;
    std::vector<QPoint> stack;
    for (int y = Area.top(); y <= Area.bottom(); ++y) {
        for (int x = Area.left(); x <= Area.right(); ++x) {
            if (seen[index(x, y)] || !Inside(Picture.pixel(x, y)))
                continue;
            int size = 0;
            stack.push_back({x, y});
            seen[index(x, y)] = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                ++size;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint q = p + QPoint(dx, dy);
                        if (!Area.contains(q) || seen[index(q.x(), q.y())] ||
                            !Inside(Picture.pixel(q)))
                            continue;
                        seen[index(q.x(), q.y())] = 1;
                        stack.push_back(q);
                    }
            }
            sizes.push_back(size);
        }
    }
    return sizes;
}

int CountShapes(const QImage& Picture, QRect Area, const std::function<bool(QRgb)>& Inside) {
    return static_cast<int>(ShapeSizes(Picture, Area, Inside).size());
}

double MeanDifference(const QImage& A, const QImage& B) {
    long long total = 0;
    for (int y = 0; y < A.height(); ++y)
        for (int x = 0; x < A.width(); ++x) {
            const QRgb a = A.pixel(x, y);
            const QRgb b = B.pixel(x, y);
            total += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                     std::abs(qBlue(a) - qBlue(b));
        }
    return double(total) / (3.0 * A.width() * A.height());
}

bool IsRedInk(QRgb C) {
    return qRed(C) >= 150 && qGreen(C) <= 60 && qBlue(C) <= 60;
}

bool IsBlueInk(QRgb C) {
    return qBlue(C) >= 150 && qRed(C) <= 60 && qGreen(C) <= 100;
}

} // namespace imageprobe
