#pragma once
// Builds custom deck files byte by byte for the tests.

#include "kscustomdeckfile.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstring>
#include <vector>

inline void PutInt32(QByteArray& Data, int Offset, int32_t Value) {
    const auto v = static_cast<uint32_t>(Value);
    for (int i = 0; i < 4; ++i)
        Data[Offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A valid record: version 1, the given shuffle count, card count and leading card IDs; every
// byte the reader does not interpret is filled with Filler.
inline QByteArray DeckRecord(int32_t ShuffleCount, int32_t CardCount,
                             const std::vector<int32_t>& Cards, char Filler = '\x5A') {
    QByteArray data(KsCustomDeckRecordSize, Filler);
    std::memcpy(data.data(), DeckFileSignature, KsDeckFileSignatureSize);
    PutInt32(data, 36, 1);
    PutInt32(data, 708, ShuffleCount);
    PutInt32(data, 712, CardCount);
    for (int i = 0; i < KsCustomDeckPlaces; ++i)
        PutInt32(data, 716 + 4 * i, i < static_cast<int>(Cards.size()) ? Cards[i] : 0);
    return data;
}

inline void WriteFile(const QString& Path, const QByteArray& Data) {
    QFile file(Path);
    if (file.open(QIODevice::WriteOnly))
        file.write(Data);
}
