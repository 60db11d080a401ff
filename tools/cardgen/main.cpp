// cardgen <dir>: draws the card image set and the table pictures at build time, at every
// density (1x, 2x, 3x) and the faces in every face style. Writes <dir>/<set>/1.kspc ...
// (sets named by ksartset.h: cards/ holds the plain 1x set), <dir>/pictures/ring.kspc,
// waitsign.kspc and title.kspc with their -2x and -3x companions (the program's own picture
// format), and the contact sheets <dir>/contact-sheet.png, -2x.png and -3x.png, plus
// contact-sheet-legible-2x.png with large indices and four colours, to look the sets over.
// cardgen --pack <picture> <kspc>: packs a picture drawn elsewhere (the program icon's sizes)
// into the program's own format, which it reads without an image codec.

#include "cardset.h"
#include "ksartset.h"
#include "kspicture.h"
#include "raster.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>

namespace {

bool Save(const QImage& Picture, const QString& Path) {
    if (Path.endsWith(QLatin1String(".png")) ? Picture.save(Path, "PNG")
                                             : KsWritePicture(Picture, Path))
        return true;
    std::fprintf(stderr, "cardgen: cannot write %s\n", qPrintable(Path));
    return false;
}

QString SheetName(int Scale, bool Legible) {
    return QStringLiteral("contact-sheet%1%2.png")
        .arg(Legible ? QStringLiteral("-legible") : QString())
        .arg(Scale > 1 ? QStringLiteral("-%1x").arg(Scale) : QString());
}

// One set: the members it holds, written into its folder; the contact sheet when asked.
bool DrawSet(const QDir& Out, int Scale, int FaceStyle, bool Sheet) {
    const cardgen::TDrawScope scope(
        {Scale, (FaceStyle & fsLargeIndices) != 0, (FaceStyle & fsFourColours) != 0});
    const QString set = KsArtSetName(Scale, FaceStyle);
    if (!Out.mkpath(set)) {
        std::fprintf(stderr, "cardgen: cannot create %s\n", qPrintable(Out.filePath(set)));
        return false;
    }
    const int last = FaceStyle == fsPlain ? cardgen::MemberCount : KsFaceMembers;
    std::vector<QImage> members;
    for (int member = 1; member <= cardgen::MemberCount; ++member) {
        // The sheet shows the plain jokers and backs beside styled faces.
        if (member > last) {
            if (Sheet) {
                const cardgen::TDrawScope plain({Scale, false, false});
                members.push_back(cardgen::DrawMember(member));
            }
            continue;
        }
        members.push_back(cardgen::DrawMember(member));
        if (!Save(members.back(), Out.filePath(QStringLiteral("%1/%2.kspc").arg(set).arg(member))))
            return false;
    }
    if (FaceStyle != fsPlain && !Sheet)
        return true;
    const std::vector<QImage> pictures = {cardgen::DrawRing(), cardgen::DrawWaitSign()};
    if (FaceStyle == fsPlain) {
        const auto picture = [&](const char* Name) {
            return Out.filePath(QStringLiteral("pictures/%1.kspc")
                                    .arg(KsPictureName(QString::fromLatin1(Name), Scale)));
        };
        if (!Save(pictures[0], picture("ring")) || !Save(pictures[1], picture("waitsign")) ||
            !Save(cardgen::DrawTitle(), picture("title")))
            return false;
    }
    return !Sheet || Save(cardgen::DrawContactSheet(members, pictures),
                          Out.filePath(SheetName(Scale, FaceStyle != fsPlain)));
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--pack") == 0) {
        const QImage picture(QString::fromLocal8Bit(argv[2]));
        if (picture.isNull()) {
            std::fprintf(stderr, "cardgen: cannot read %s\n", argv[2]);
            return 1;
        }
        return Save(picture, QString::fromLocal8Bit(argv[3])) ? 0 : 1;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: cardgen <output directory> | --pack <picture> <kspc>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("pictures"))) {
        std::fprintf(stderr, "cardgen: cannot create %s\n", argv[1]);
        return 1;
    }
    constexpr int legible = fsLargeIndices | fsFourColours;
    for (int scale = 1; scale <= KsArtMaxScale; ++scale)
        for (int style = 0; style < KsFaceStyleCount; ++style)
            if (!DrawSet(out, scale, style, style == fsPlain || (style == legible && scale == 2)))
                return 1;
    return 0;
}
