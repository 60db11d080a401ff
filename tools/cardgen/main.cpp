// cardgen <dir>: draws the card image set and the table pictures at build time.
// Writes <dir>/cards/1.kspc ... 69.kspc, <dir>/pictures/ring.kspc, waitsign.kspc and
// title.kspc (the program's own picture format), and the contact sheets <dir>/contact-sheet.png
// (1x) and <dir>/contact-sheet-3x.png to look the set over.

#include "cardset.h"
#include "kspicture.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

namespace {

bool Save(const QImage& Picture, const QString& Path) {
    if (Path.endsWith(QLatin1String(".png")) ? Picture.save(Path, "PNG")
                                             : KsWritePicture(Picture, Path))
        return true;
    std::fprintf(stderr, "cardgen: cannot write %s\n", qPrintable(Path));
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: cardgen <output directory>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("cards")) || !out.mkpath(QStringLiteral("pictures"))) {
        std::fprintf(stderr, "cardgen: cannot create %s\n", argv[1]);
        return 1;
    }
    std::vector<QImage> members;
    for (int member = 1; member <= cardgen::MemberCount; ++member) {
        members.push_back(cardgen::DrawMember(member));
        if (!Save(members.back(), out.filePath(QStringLiteral("cards/%1.kspc").arg(member))))
            return 1;
    }
    const std::vector<QImage> pictures = {cardgen::DrawRing(), cardgen::DrawWaitSign()};
    if (!Save(pictures[0], out.filePath(QStringLiteral("pictures/ring.kspc"))) ||
        !Save(pictures[1], out.filePath(QStringLiteral("pictures/waitsign.kspc"))) ||
        !Save(cardgen::DrawTitle(), out.filePath(QStringLiteral("pictures/title.kspc"))))
        return 1;
    const QImage sheet = cardgen::DrawContactSheet(members, pictures);
    if (!Save(sheet, out.filePath(QStringLiteral("contact-sheet.png"))) ||
        !Save(sheet.scaled(sheet.size() * 3), out.filePath(QStringLiteral("contact-sheet-3x.png"))))
        return 1;
    return 0;
}
