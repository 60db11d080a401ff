#include "deck_file_writer.h"
#include "kscustomdeckfile.h"
#include "scripted_dialogs.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CustomDeckFile : public ::testing::Test {
protected:
    struct TResult {
        bool Accepted;
        std::vector<QString> Messages;
    };

    TResult Load(const QByteArray& Data) {
        const QString path = dir.filePath(QStringLiteral("deck.vdf"));
        WriteFile(path, Data);
        return LoadPath(path);
    }

    TResult LoadPath(const QString& Path) {
        TScriptedDialogs dialogs;
        const bool ok = LoadCustomDeck(Path, cards, count, block, shuffles);
        TResult result{ok, {}};
        for (const TKsMessage& m : dialogs.Shown) {
            EXPECT_EQ(m.Caption, QStringLiteral("Error"));
            EXPECT_EQ(m.Type, mtError);
            EXPECT_EQ(m.Buttons, std::vector<TKsMsgDlgBtn>{mbOK});
            result.Messages.push_back(m.Text);
        }
        return result;
    }

    QTemporaryDir dir;
    TKsCustomCardList cards{};
    int32_t count = -7;
    TKsCustomDeckBlock block{};
    int32_t shuffles = -7;
};

const QString Unrecognized = QStringLiteral("Unrecognized file fomat.");
const QString WrongVersion = QStringLiteral("Wrong file version.");

TEST_F(CustomDeckFile, ValidRecordFillsEveryOutput) {
    std::vector<int32_t> ids(108);
    for (int i = 0; i < 108; ++i)
        ids[i] = 2 + i % 54;
    QByteArray data = DeckRecord(7, 54, ids);
    data[40] = 'A';
    data[704] = 'Z';
    data.append(QByteArray(500, '\xFF')); // past the record: ignored
    const TResult r = Load(data);
    ASSERT_TRUE(r.Accepted);
    EXPECT_TRUE(r.Messages.empty());
    EXPECT_EQ(shuffles, 7);
    EXPECT_EQ(count, 54);
    EXPECT_EQ(cards[0], 2);
    EXPECT_EQ(cards[53], 55);
    EXPECT_EQ(cards[107], 55);
    EXPECT_EQ(block[0], 'A');
    EXPECT_EQ(block[664], 'Z');
    EXPECT_EQ(block[1], 0x5A);
}

TEST_F(CustomDeckFile, MissingFileIsRefusedSilently) {
    EXPECT_FALSE(LoadPath(QString()).Accepted);
    const TResult r = LoadPath(dir.filePath(QStringLiteral("absent.vdf")));
    EXPECT_FALSE(r.Accepted);
    EXPECT_TRUE(r.Messages.empty());
    EXPECT_EQ(count, -7) << "nothing is written on failure";
    EXPECT_EQ(shuffles, -7);
}

TEST_F(CustomDeckFile, SignatureIsCheckedByteForByteBeforeTheVersion) {
    QByteArray lower = DeckRecord(1, 52, {});
    lower[1] = 'q';
    PutInt32(lower, 36, 2); // fails both tests: only the first message
    EXPECT_EQ(Load(lower).Messages, std::vector<QString>{Unrecognized});

    QByteArray badLength = DeckRecord(1, 52, {});
    badLength[0] = 32;
    EXPECT_EQ(Load(badLength).Messages, std::vector<QString>{Unrecognized});

    QByteArray version2 = DeckRecord(1, 52, {});
    PutInt32(version2, 36, 2);
    const TResult r = Load(version2);
    EXPECT_FALSE(r.Accepted);
    EXPECT_EQ(r.Messages, std::vector<QString>{WrongVersion});
    EXPECT_EQ(count, -7);
}

TEST_F(CustomDeckFile, ShortFilesAreRefusedWithTheMatchingMessage) {
    const QByteArray full = DeckRecord(1, 52, {});
    EXPECT_EQ(Load(QByteArray()).Messages, std::vector<QString>{Unrecognized});
    EXPECT_EQ(Load(full.left(33)).Messages, std::vector<QString>{Unrecognized});
    EXPECT_EQ(Load(full.left(34)).Messages, std::vector<QString>{WrongVersion});
    EXPECT_EQ(Load(full.left(40)).Messages, std::vector<QString>{WrongVersion});
    const TResult r = Load(full.left(1147));
    EXPECT_FALSE(r.Accepted);
    EXPECT_EQ(r.Messages, std::vector<QString>{WrongVersion});
    EXPECT_TRUE(Load(full).Accepted);
}

TEST_F(CustomDeckFile, FolderOfThatNameIsNoDeckFile) {
    // A directory exists but cannot be read as a file.
    const QString sub = dir.filePath(QStringLiteral("folder.vdf"));
    ASSERT_TRUE(QDir().mkpath(sub));
    const TResult r = LoadPath(sub);
    EXPECT_FALSE(r.Accepted);
    EXPECT_TRUE(r.Messages.empty()) << "a folder is not a file of that name";
}

TEST_F(CustomDeckFile, ValuesAreTakenAsStoredWhateverTheirRange) {
    const TResult r = Load(DeckRecord(-5, 5000, {1, 99, -1}));
    ASSERT_TRUE(r.Accepted);
    EXPECT_EQ(count, 5000);
    EXPECT_EQ(shuffles, -5);
    EXPECT_EQ(cards[1], 99);
    EXPECT_EQ(cards[2], -1);
}

} // namespace
