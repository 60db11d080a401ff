#pragma once
// A small reader and writer of Windows-style INI text, compatible with the files earlier
// versions of the game wrote through the Windows private-profile functions:
// - section names and keys match without regard to letter case; the first of duplicate
//   sections or keys wins;
// - a value is the raw text after the first "=" to the end of the line, blanks trimmed, so it
//   may hold commas, quotes, "=" or ";";
// - each line that is not valid UTF-8 is read as Windows-1252; the file is written as UTF-8;
// - lines the program does not know (comments, other sections, garbage) are kept as they were.
// Changes stay in memory until UpdateFile, which replaces the file in one step.

#include <QString>
#include <QStringView>
#include <cstdint>
#include <deque>
#include <optional>
#include <unordered_map>
#include <vector>

class QByteArray;

class TIniFile {
public:
    // Reads FileName if it exists and is readable; otherwise starts empty.
    explicit TIniFile(const QString& FileName = {});
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    // Only the whole lines within the first this many bytes of a file are read; a real settings
    // file has a few kilobytes, and this keeps a hostile file from exhausting memory. The rest
    // is not lost: UpdateFile copies it back unread, before any new section.
    static constexpr qsizetype MaxFileSize = 16 * 1024 * 1024;

    // Replaces the contents by the INI text in Bytes (as if read from a file).
    void LoadFromBytes(const QByteArray& Bytes);
    // The whole file as UpdateFile writes it (but for the unread rest of an oversized file).
    QByteArray ToBytes() const;

    // Where UpdateFile writes; initially the file that was read.
    QString FileName() const { return FFileName; }
    void SetFileName(const QString& Value) { FFileName = Value; }

    bool SectionExists(const QString& Section) const;
    bool ValueExists(const QString& Section, const QString& Ident) const;
    QString ReadString(const QString& Section, const QString& Ident, const QString& Default) const;
    // The value as a decimal 32-bit integer; Default when missing or not such a number.
    int32_t ReadInteger(const QString& Section, const QString& Ident, int32_t Default) const;

    void WriteString(const QString& Section, const QString& Ident, const QString& Value);
    void WriteInteger(const QString& Section, const QString& Ident, int32_t Value);

    // Writes the file through a temporary file renamed over the old one, so a failed write
    // leaves the old file as it was. False on failure, with the reason in ErrorString.
    bool UpdateFile();
    QString ErrorString() const { return FErrorString; }

private:
    // Names compare and hash with their letter case folded, without copying them.
    struct TFoldedHash {
        size_t operator()(QStringView Text) const noexcept;
    };
    struct TFoldedEqual {
        bool operator()(QStringView A, QStringView B) const noexcept;
    };
    template <typename T>
    using TNameMap = std::unordered_map<QStringView, T, TFoldedHash, TFoldedEqual>;

    // Where a key's line is: an original line of the file, or one added to its section.
    struct TKeyRef {
        qsizetype Line = -1;
        qsizetype Added = -1;
    };
    struct TSection {
        QStringView Name;      // as in the file, or as given when the section is new
        qsizetype Header = -1; // line of "[Name]"; -1 for a new section
        qsizetype End = 0;     // one past the last original line of the section
        std::vector<QString> Added;
        TNameMap<TKeyRef> Keys; // the first line holding each key
    };

    const TSection* FindSection(QStringView Section) const;
    std::optional<QStringView> FindLine(QStringView Section, QStringView Ident) const;
    QStringView LineText(qsizetype Line) const;
    void Parse();
    // The file's own lines with their changes and added keys; LastBlank tells whether the
    // last of them is blank.
    QString OriginalLinesText(bool& LastBlank) const;
    // The sections that were not in the file, each after a blank line.
    QString NewSectionsText(bool LastBlank) const;

    QString FFileName;
    QString FText;                                    // the file as read, decoded
    std::vector<QStringView> FLines;                  // its lines, without line breaks
    std::unordered_map<qsizetype, QString> FReplaced; // original lines rewritten by a write
    std::vector<TSection> FSections;
    TNameMap<size_t> FSectionIndex; // the first section of each name
    std::deque<QString> FNames;     // names of sections and keys added by writes
    QString FErrorString;
    QString FTailSource;    // the oversized file whose rest was not read, or empty
    qint64 FTailOffset = 0; // where that rest begins
};

// Bytes as text, line by line: UTF-8 where a line is valid UTF-8 (a leading byte-order mark is
// dropped), otherwise Windows-1252, the ANSI code page earlier versions wrote.
QString DecodeIniText(const QByteArray& Bytes);

// Text as a decimal 32-bit integer, with an optional sign and surrounding blanks; false for
// anything else, including numbers beyond 32 bits.
bool ParseInt32(QStringView Text, int32_t& Value);
