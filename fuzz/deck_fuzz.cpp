// The custom deck reader on any file contents, its messages answered silently and counted.
// Properties: a file is accepted exactly when it holds the 34-byte signature, version 1 and the
// whole 1148-byte record; an accepted file fills every output from its bytes and shows nothing;
// a rejected one shows exactly one message, the signature's before the version's, and leaves
// the outputs untouched.

#include "fuzz_check.h"
#include "kscustomdeckfile.h"
#include "ksdialogs.h"

#include <QByteArray>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <unistd.h>

namespace {

class TCountingDialogs final : public TKsDialogs {
public:
    int Shown = 0;
    QString Last;
    TKsMsgDlgBtn Message(const TKsMessage& Msg) override {
        ++Shown;
        Last = Msg.Text;
        return mbOK;
    }
    int Exec(QDialog&) override { return QDialog::Rejected; }
};

int32_t Int32At(const uint8_t* Data, size_t Offset) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | Data[Offset + size_t(i)];
    return static_cast<int32_t>(v);
}

// The file each input is written to, removed when the fuzzer ends.
const QString& ScratchFile() {
    static const struct TScratch {
        QString Path =
            QDir::temp().filePath(QStringLiteral("tolvi-deck-fuzz-%1.bin").arg(getpid()));
        ~TScratch() { QFile::remove(Path); }
    } scratch;
    return scratch.Path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    {
        QFile file(ScratchFile());
        FUZZ_REQUIRE(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file");
        file.write(reinterpret_cast<const char*>(Data), static_cast<qint64>(Size));
    }
    TCountingDialogs dialogs;
    const TKsDialogsOverride answered(dialogs);
    TKsCustomCardList cards;
    cards.fill(-7);
    TKsCustomDeckBlock block;
    block.fill(0xA5);
    int32_t count = -7, shuffles = -7;
    const bool accepted = LoadCustomDeck(ScratchFile(), cards, count, block, shuffles);

    const bool signature = Size >= size_t(KsDeckFileSignatureSize) &&
                           std::memcmp(Data, DeckFileSignature, KsDeckFileSignatureSize) == 0;
    const bool whole = Size >= size_t(KsCustomDeckRecordSize);
    const bool version = whole && Int32At(Data, 36) == DeckFileVersion;
    FUZZ_REQUIRE(accepted == (signature && version), "accepted exactly when valid");
    if (accepted) {
        FUZZ_REQUIRE(dialogs.Shown == 0, "an accepted file shows nothing");
        FUZZ_REQUIRE(count == Int32At(Data, 712) && shuffles == Int32At(Data, 708),
                     "count and shuffles from the file");
        for (size_t i = 0; i < cards.size(); ++i)
            FUZZ_REQUIRE(cards[i] == Int32At(Data, 716 + 4 * i), "card list from the file");
        FUZZ_REQUIRE(std::memcmp(block.data(), Data + 40, block.size()) == 0,
                     "block from the file");
        return 0;
    }
    FUZZ_REQUIRE(dialogs.Shown == 1, "a rejected file shows one message");
    FUZZ_REQUIRE(dialogs.Last ==
                     QLatin1String(signature ? "Wrong file version." : "Unrecognized file fomat."),
                 "the message that fits");
    FUZZ_REQUIRE(count == -7 && shuffles == -7, "outputs untouched on rejection");
    for (const int32_t id : cards)
        FUZZ_REQUIRE(id == -7, "card list untouched on rejection");
    for (const uint8_t b : block)
        FUZZ_REQUIRE(b == 0xA5, "block untouched on rejection");
    return 0;
}
