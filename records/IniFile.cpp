#include "IniFile.h"

#include <QByteArray>
#include <QFile>
#include <QHashFunctions>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace {

const QString LineBreak = QStringLiteral("\r\n");

// 0x80..0x9F of Windows-1252; the five unassigned bytes map to the C1 controls, as Windows
// itself converts them. Everything else is the Latin-1 code point of the byte.
constexpr std::array<char16_t, 32> Cp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString DecodeCp1252(QByteArrayView Bytes) {
    QString text(Bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : Bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b < 0xA0) ? QChar(Cp1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

// A line break inside a key or value would split it into two lines in the file.
QString OneLine(const QString& Text) {
    QString result = Text;
    result.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    return result;
}

QStringView ValueOf(QStringView Line) {
    const qsizetype eq = Line.indexOf(QLatin1Char('='));
    return eq < 0 ? QStringView() : Line.mid(eq + 1).trimmed();
}

QStringView KeyOf(QStringView Line) {
    const QStringView trimmed = Line.trimmed();
    const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
    return eq < 0 ? QStringView() : trimmed.left(eq).trimmed();
}

} // namespace

QString DecodeIniText(const QByteArray& Bytes) {
    QByteArrayView data(Bytes);
    if (data.startsWith("\xEF\xBB\xBF"))
        data = data.sliced(3);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    // One stray byte must not turn every other line into mojibake: each line is decided on its
    // own. A line break never occurs inside a UTF-8 sequence, so lines split safely as bytes.
    text.clear();
    text.reserve(data.size());
    for (qsizetype start = 0; start < data.size();) {
        qsizetype end = data.indexOf('\n', start);
        end = end < 0 ? data.size() : end + 1;
        const QByteArrayView line = data.sliced(start, end - start);
        QStringDecoder lineDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString decoded = lineDecoder.decode(line);
        text += lineDecoder.hasError() ? DecodeCp1252(line) : decoded;
        start = end;
    }
    return text;
}

bool ParseInt32(QStringView Text, int32_t& Value) {
    const QStringView t = Text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    if (i == t.size())
        return false;
    constexpr int64_t limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > limit)
            return false;
    }
    if (!negative && magnitude == limit)
        return false;
    Value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}

TIniFile::TIniFile(const QString& FileName) : FFileName(FileName) {
    QFile file(FileName);
    if (FileName.isEmpty() || !file.open(QIODevice::ReadOnly))
        return;
    // Asked for the largest size, the device sets that much memory aside before it reads.
    const qint64 wanted =
        file.isSequential() ? MaxFileSize : std::min<qint64>(file.size(), MaxFileSize);
    QByteArray bytes = file.read(wanted);
    const bool cut = !file.atEnd();
    if (cut) // whole lines only; the rest goes back into the file unread
        bytes.truncate(bytes.lastIndexOf('\n') + 1);
    LoadFromBytes(bytes);
    if (cut) {
        FTailSource = FileName;
        FTailOffset = bytes.size();
    }
}

void TIniFile::LoadFromBytes(const QByteArray& Bytes) {
    FTailSource.clear();
    FTailOffset = 0;
    FText = DecodeIniText(Bytes);
    Parse();
}

namespace {

// Names are nearly always ASCII: those fold here, without a call into the Unicode tables.
char16_t Folded(char16_t C) {
    if (C < 0x80)
        return C >= u'A' && C <= u'Z' ? char16_t(C + (u'a' - u'A')) : C;
    return QChar(C).toCaseFolded().unicode();
}

} // namespace

size_t TIniFile::TFoldedHash::operator()(QStringView Text) const noexcept {
    // Seeded per process, so a hostile file cannot be built to collide.
    static const size_t seed = QHashSeed::globalSeed();
    uint64_t hash = 0xcbf29ce484222325ull ^ seed;
    const char16_t* text = Text.utf16();
    for (qsizetype i = 0; i < Text.size(); ++i)
        hash = (hash ^ Folded(text[i])) * 0x100000001b3ull;
    return size_t(hash);
}

bool TIniFile::TFoldedEqual::operator()(QStringView A, QStringView B) const noexcept {
    if (A.size() != B.size())
        return false;
    const char16_t* a = A.utf16();
    const char16_t* b = B.utf16();
    for (qsizetype i = 0; i < A.size(); ++i)
        if (a[i] != b[i] && Folded(a[i]) != Folded(b[i]))
            return false;
    return true;
}

void TIniFile::Parse() {
    FLines.clear();
    FReplaced.clear();
    FSections.clear();
    FSectionIndex.clear();
    FNames.clear();

    const QStringView text(FText);
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        QStringView line = text.mid(start, end - start);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        FLines.push_back(line);
        start = end + 1;
    }

    // Keys are collected only for the first section of each name: later duplicates are
    // invisible to readers, as with the Windows functions.
    TSection* current = nullptr;
    for (qsizetype i = 0; i < qsizetype(FLines.size()); ++i) {
        const QStringView t = FLines[size_t(i)].trimmed();
        if (t.startsWith(QLatin1Char('['))) {
            const qsizetype close = t.indexOf(QLatin1Char(']'));
            if (close > 0) {
                if (current)
                    current->End = i;
                current = nullptr;
                const QStringView name = t.mid(1, close - 1).trimmed();
                if (FSectionIndex.try_emplace(name, FSections.size()).second) {
                    FSections.push_back(TSection{name, i, i + 1, {}, {}});
                    current = &FSections.back();
                }
                continue;
            }
        }
        if (!current || t.startsWith(QLatin1Char(';')))
            continue;
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        if (eq > 0)
            current->Keys.try_emplace(t.left(eq).trimmed(), TKeyRef{i, -1});
    }
    if (current)
        current->End = qsizetype(FLines.size());
}

const TIniFile::TSection* TIniFile::FindSection(QStringView Section) const {
    const auto it = FSectionIndex.find(Section);
    return it == FSectionIndex.end() ? nullptr : &FSections[it->second];
}

QStringView TIniFile::LineText(qsizetype Line) const {
    const auto replaced = FReplaced.find(Line);
    return replaced != FReplaced.end() ? QStringView(replaced->second) : FLines[size_t(Line)];
}

std::optional<QStringView> TIniFile::FindLine(QStringView Section, QStringView Ident) const {
    const TSection* section = FindSection(Section);
    if (!section)
        return std::nullopt;
    const auto it = section->Keys.find(Ident);
    if (it == section->Keys.end())
        return std::nullopt;
    if (it->second.Added >= 0)
        return QStringView(section->Added[size_t(it->second.Added)]);
    return LineText(it->second.Line);
}

bool TIniFile::SectionExists(const QString& Section) const {
    return FindSection(Section) != nullptr;
}

bool TIniFile::ValueExists(const QString& Section, const QString& Ident) const {
    return FindLine(Section, Ident).has_value();
}

QString TIniFile::ReadString(const QString& Section, const QString& Ident,
                             const QString& Default) const {
    const auto line = FindLine(Section, Ident);
    return line ? ValueOf(*line).toString() : Default;
}

int32_t TIniFile::ReadInteger(const QString& Section, const QString& Ident, int32_t Default) const {
    const auto line = FindLine(Section, Ident);
    int32_t value = 0;
    return line && ParseInt32(ValueOf(*line), value) ? value : Default;
}

void TIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value) {
    const QString name = OneLine(Section);
    const QString ident = OneLine(Ident).trimmed();
    const QString value = OneLine(Value);

    auto found = FSectionIndex.find(name);
    if (found == FSectionIndex.end()) {
        const QStringView stored = FNames.emplace_back(name);
        found = FSectionIndex.emplace(stored, FSections.size()).first;
        FSections.push_back(TSection{stored, -1, 0, {}, {}});
    }
    TSection& section = FSections[found->second];

    const auto ref = section.Keys.find(ident);
    if (ref == section.Keys.end()) {
        section.Keys.emplace(FNames.emplace_back(ident),
                             TKeyRef{-1, qsizetype(section.Added.size())});
        section.Added.push_back(ident + QLatin1Char('=') + value);
    } else if (ref->second.Added >= 0) {
        section.Added[size_t(ref->second.Added)] = ident + QLatin1Char('=') + value;
    } else {
        // The key keeps its spelling in the file; only the value changes.
        const qsizetype line = ref->second.Line;
        FReplaced[line] = KeyOf(FLines[size_t(line)]).toString() + QLatin1Char('=') + value;
    }
}

void TIniFile::WriteInteger(const QString& Section, const QString& Ident, int32_t Value) {
    WriteString(Section, Ident, QString::number(Value));
}

QByteArray TIniFile::ToBytes() const {
    bool lastBlank = true;
    QString out = OriginalLinesText(lastBlank);
    out += NewSectionsText(lastBlank);
    return out.toUtf8();
}

QString TIniFile::OriginalLinesText(bool& LastBlank) const {
    // New keys of an existing section go after its last non-blank line.
    std::vector<std::pair<qsizetype, const TSection*>> inserts;
    for (const TSection& section : FSections) {
        if (section.Header < 0 || section.Added.empty())
            continue;
        qsizetype at = section.End;
        while (at > section.Header + 1 && LineText(at - 1).trimmed().isEmpty())
            --at;
        inserts.emplace_back(at, &section);
    }
    std::stable_sort(inserts.begin(), inserts.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    QString out;
    out.reserve(FText.size() + 8192);
    LastBlank = true;
    const auto put = [&](QStringView line) {
        out += line;
        out += LineBreak;
        LastBlank = line.trimmed().isEmpty();
    };
    auto next = inserts.cbegin();
    const auto flushInserts = [&](qsizetype before) {
        for (; next != inserts.cend() && next->first == before; ++next)
            for (const QString& line : next->second->Added)
                put(line);
    };
    for (qsizetype i = 0; i < qsizetype(FLines.size()); ++i) {
        flushInserts(i);
        put(LineText(i));
    }
    flushInserts(qsizetype(FLines.size()));
    return out;
}

QString TIniFile::NewSectionsText(bool LastBlank) const {
    QString out;
    const auto put = [&](QStringView line) {
        out += line;
        out += LineBreak;
    };
    for (const TSection& section : FSections) {
        if (section.Header >= 0)
            continue;
        if (!LastBlank)
            put(QStringView());
        LastBlank = false;
        put(QString(QLatin1Char('[') + section.Name.toString() + QLatin1Char(']')));
        for (const QString& line : section.Added)
            put(line);
    }
    return out;
}

bool TIniFile::UpdateFile() {
    FErrorString.clear();
    bool lastBlank = true;
    const QByteArray lines = OriginalLinesText(lastBlank).toUtf8();
    QSaveFile file(FFileName);
    // Unbuffered, so a short write (a full disk) shows here: buffered, Qt drops the rest of
    // its buffer and commits a truncated file. The second attempt brings out the reason.
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    const auto put = [&](const char* Data, qsizetype Size) {
        for (qsizetype done = 0; written && done < Size;) {
            const qint64 count = file.write(Data + done, Size - done);
            written = count > 0;
            done += written ? count : 0;
        }
    };
    put(lines.constData(), lines.size());
    if (!FTailSource.isEmpty()) {
        // The part of an oversized file that was never read is copied as it stands; without
        // it the old file would be cut short, so it is left as it is.
        QFile tail(FTailSource);
        if (!tail.open(QIODevice::ReadOnly) || !tail.seek(FTailOffset)) {
            FErrorString = tail.errorString();
            return false;
        }
        char last = '\n';
        for (QByteArray chunk; written && !(chunk = tail.read(1 << 20)).isEmpty();) {
            put(chunk.constData(), chunk.size());
            last = chunk.back();
        }
        if (tail.error() != QFileDevice::NoError) {
            FErrorString = tail.errorString();
            return false;
        }
        if (last != '\n')
            put("\r\n", 2);
        lastBlank = false;
    }
    const QByteArray sections = NewSectionsText(lastBlank).toUtf8();
    put(sections.constData(), sections.size());
    if (!written || !file.commit()) {
        FErrorString = file.errorString();
        return false;
    }
    return true;
}
