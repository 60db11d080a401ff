#include "kspicture.h"

#include <QFile>
#include <QSaveFile>
#include <atomic>
#include <cstring>
#include <memory>
#include <zstd.h>

namespace {

constexpr char Magic[4] = {'K', 'S', 'P', 'C'};
constexpr int HeaderSize = 9;
std::atomic<uint64_t> gDecoded = 0;

int Word(const uchar* Data, int At) {
    return Data[At] | Data[At + 1] << 8;
}

QImage Decode(const uchar* Data, qsizetype Size) {
    if (Size < HeaderSize + 4 || std::memcmp(Data, Magic, 4) != 0)
        return {};
    const int width = Word(Data, 4);
    const int height = Word(Data, 6);
    const int kind = Data[8];
    if (width < 1 || height < 1 || width > KsPictureMaxSide || height > KsPictureMaxSide ||
        kind > 1)
        return {};
    const qsizetype bytes = qsizetype(width) * height * 4;
    // The unpacked size stated first and checked keeps a damaged file from asking for any
    // other amount of memory.
    const uchar* packed = Data + HeaderSize;
    const uint32_t stated = uint32_t(packed[0]) << 24 | uint32_t(packed[1]) << 16 |
                            uint32_t(packed[2]) << 8 | uint32_t(packed[3]);
    if (stated != uint32_t(bytes))
        return {};
    QImage picture(width, height,
                   kind == 0 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull() || picture.bytesPerLine() != qsizetype(width) * 4)
        return {};
    // Unpacked straight into the picture, whose rows lie as they were packed: no second
    // buffer of the picture's size and no copy.
    const size_t unpacked =
        ZSTD_decompress(picture.bits(), size_t(bytes), packed + 4, size_t(Size - HeaderSize - 4));
    if (ZSTD_isError(unpacked) || unpacked != size_t(bytes))
        return {};
    gDecoded.fetch_add(1, std::memory_order_relaxed);
    return picture;
}

} // namespace

QImage KsDecodePicture(const QByteArray& Data) {
    return Decode(reinterpret_cast<const uchar*>(Data.constData()), Data.size());
}

uint64_t KsDecodedPictures() {
    return gDecoded.load(std::memory_order_relaxed);
}

QImage KsReadPicture(const QString& Path) {
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A picture compiled into the program is read where it lies rather than copied out.
    if (const uchar* mapped = file.map(0, file.size()))
        return Decode(mapped, file.size());
    return KsDecodePicture(file.readAll());
}

QByteArray KsEncodePicture(const QImage& Picture) {
    if (Picture.isNull() || Picture.width() > KsPictureMaxSide ||
        Picture.height() > KsPictureMaxSide)
        return {};
    const bool opaque = !Picture.hasAlphaChannel();
    const QImage pixels = Picture.convertToFormat(opaque ? QImage::Format_RGB32
                                                         : QImage::Format_ARGB32_Premultiplied);
    QByteArray rows;
    rows.reserve(qsizetype(pixels.width()) * pixels.height() * 4);
    for (int y = 0; y < pixels.height(); ++y)
        rows.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), pixels.width() * 4);
    QByteArray out(Magic, 4);
    out.append(char(pixels.width() & 0xFF)).append(char(pixels.width() >> 8));
    out.append(char(pixels.height() & 0xFF)).append(char(pixels.height() >> 8));
    out.append(char(opaque ? 0 : 1));
    const auto size = uint32_t(rows.size());
    out.append(char(size >> 24))
        .append(char(size >> 16))
        .append(char(size >> 8))
        .append(char(size));
    // Packed once, at build time: the slow high level costs nothing at run time.
    const std::unique_ptr<ZSTD_CCtx, size_t (*)(ZSTD_CCtx*)> context(ZSTD_createCCtx(),
                                                                     ZSTD_freeCCtx);
    if (!context ||
        ZSTD_isError(ZSTD_CCtx_setParameter(context.get(), ZSTD_c_compressionLevel, 19)) ||
        ZSTD_isError(ZSTD_CCtx_setParameter(context.get(), ZSTD_c_checksumFlag, 1)))
        return {};
    const qsizetype head = out.size();
    out.resize(head + qsizetype(ZSTD_compressBound(size_t(rows.size()))));
    const size_t packed =
        ZSTD_compress2(context.get(), out.data() + head, size_t(out.size() - head),
                       rows.constData(), size_t(rows.size()));
    if (ZSTD_isError(packed))
        return {};
    out.resize(head + qsizetype(packed));
    return out;
}

bool KsWritePicture(const QImage& Picture, const QString& Path) {
    const QByteArray data = KsEncodePicture(Picture);
    QSaveFile file(Path);
    return !data.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(data) == data.size() &&
           file.commit();
}
