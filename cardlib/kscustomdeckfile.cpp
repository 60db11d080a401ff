#include "kscustomdeckfile.h"

#include "ksdialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace {

constexpr int VersionOffset = 36;
constexpr int BlockOffset = 40;
constexpr int ShuffleCountOffset = 708;
constexpr int CardCountOffset = 712;
constexpr int CardListOffset = 716;

int32_t ReadInt32(const QByteArray& Data, int Offset) {
    const auto* p = reinterpret_cast<const uint8_t*>(Data.constData()) + Offset;
    const uint32_t value =
        uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    return static_cast<int32_t>(value);
}

// Reads at most Size bytes from the start of the file; the file is closed again on return.
bool ReadHead(const QString& FileName, qint64 Size, QByteArray& Data) {
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    Data = file.read(Size);
    return file.error() == QFileDevice::NoError;
}

bool Reject(const char* Text) {
    KsMessageDlg(QString::fromLatin1(Text), mtError, {mbOK},
                 QCoreApplication::translate("KsDialogs", "Error"));
    return false;
}

} // namespace

bool LoadCustomDeck(const QString& FileName, TKsCustomCardList& CardList, int32_t& CardCount,
                    TKsCustomDeckBlock& Block, int32_t& ShuffleCount) {
    if (FileName.isEmpty() || !QFileInfo(FileName).isFile())
        return false;

    QByteArray head;
    if (!ReadHead(FileName, KsDeckFileSignatureSize, head) ||
        head.size() < KsDeckFileSignatureSize ||
        std::memcmp(head.constData(), DeckFileSignature, KsDeckFileSignatureSize) != 0)
        return Reject("Unrecognized file fomat.");

    QByteArray record;
    if (!ReadHead(FileName, KsCustomDeckRecordSize, record))
        return Reject("Unrecognized file fomat.");
    if (record.size() < KsCustomDeckRecordSize ||
        ReadInt32(record, VersionOffset) != DeckFileVersion)
        return Reject("Wrong file version.");

    for (int i = 0; i < KsCustomDeckPlaces; ++i)
        CardList[static_cast<size_t>(i)] = ReadInt32(record, CardListOffset + 4 * i);
    CardCount = ReadInt32(record, CardCountOffset);
    std::memcpy(Block.data(), record.constData() + BlockOffset, KsCustomDeckBlockSize);
    ShuffleCount = ReadInt32(record, ShuffleCountOffset);
    return true;
}
