#include "IniFile.h"

#include <QByteArray>
#include <QFile>
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

QString Fold(QStringView Text) {
    return Text.toString().toCaseFolded();
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
    return DecodeCp1252(data);
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
    if (!FileName.isEmpty() && file.open(QIODevice::ReadOnly))
        LoadFromBytes(file.read(MaxFileSize));
}

void TIniFile::LoadFromBytes(const QByteArray& Bytes) {
    FText = DecodeIniText(Bytes);
    Parse();
}

void TIniFile::Parse() {
    FLines.clear();
    FReplaced.clear();
    FSections.clear();
    FSectionIndex.clear();

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
                const QString folded = Fold(name);
                if (!FSectionIndex.contains(folded)) {
                    FSectionIndex.insert(folded, qsizetype(FSections.size()));
                    FSections.push_back(TSection{name.toString(), i, i + 1, {}, {}});
                    current = &FSections.back();
                }
                continue;
            }
        }
        if (!current || t.startsWith(QLatin1Char(';')))
            continue;
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = Fold(t.left(eq).trimmed());
        if (!current->Keys.contains(key))
            current->Keys.insert(key, TKeyRef{i, -1});
    }
    if (current)
        current->End = qsizetype(FLines.size());
}

const TIniFile::TSection* TIniFile::FindSection(const QString& Section) const {
    const auto it = FSectionIndex.constFind(Section.toCaseFolded());
    return it == FSectionIndex.cend() ? nullptr : &FSections[size_t(*it)];
}

const QString* TIniFile::FindLine(const QString& Section, const QString& Ident,
                                  QString& Buffer) const {
    const TSection* section = FindSection(Section);
    if (!section)
        return nullptr;
    const auto it = section->Keys.constFind(Ident.toCaseFolded());
    if (it == section->Keys.cend())
        return nullptr;
    if (it->Added >= 0)
        return &section->Added[size_t(it->Added)];
    const auto replaced = FReplaced.find(it->Line);
    if (replaced != FReplaced.end())
        return &replaced->second;
    Buffer = FLines[size_t(it->Line)].toString();
    return &Buffer;
}

bool TIniFile::SectionExists(const QString& Section) const {
    return FindSection(Section) != nullptr;
}

bool TIniFile::ValueExists(const QString& Section, const QString& Ident) const {
    QString buffer;
    return FindLine(Section, Ident, buffer) != nullptr;
}

QString TIniFile::ReadString(const QString& Section, const QString& Ident,
                             const QString& Default) const {
    QString buffer;
    const QString* line = FindLine(Section, Ident, buffer);
    return line ? ValueOf(*line).toString() : Default;
}

int32_t TIniFile::ReadInteger(const QString& Section, const QString& Ident, int32_t Default) const {
    QString buffer;
    const QString* line = FindLine(Section, Ident, buffer);
    int32_t value = 0;
    return line && ParseInt32(ValueOf(*line), value) ? value : Default;
}

void TIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value) {
    const QString name = OneLine(Section);
    const QString ident = OneLine(Ident).trimmed();
    const QString value = OneLine(Value);

    const QString folded = name.toCaseFolded();
    auto found = FSectionIndex.constFind(folded);
    if (found == FSectionIndex.cend()) {
        found = FSectionIndex.insert(folded, qsizetype(FSections.size()));
        FSections.push_back(TSection{name, -1, 0, {}, {}});
    }
    TSection& section = FSections[size_t(*found)];

    const QString key = ident.toCaseFolded();
    const auto ref = section.Keys.constFind(key);
    if (ref == section.Keys.cend()) {
        section.Keys.insert(key, TKeyRef{-1, qsizetype(section.Added.size())});
        section.Added.push_back(ident + QLatin1Char('=') + value);
    } else if (ref->Added >= 0) {
        section.Added[size_t(ref->Added)] = ident + QLatin1Char('=') + value;
    } else {
        // The key keeps its spelling in the file; only the value changes.
        FReplaced[ref->Line] =
            KeyOf(FLines[size_t(ref->Line)]).toString() + QLatin1Char('=') + value;
    }
}

void TIniFile::WriteInteger(const QString& Section, const QString& Ident, int32_t Value) {
    WriteString(Section, Ident, QString::number(Value));
}

QByteArray TIniFile::ToBytes() const {
    const auto lineText = [this](qsizetype i) -> QStringView {
        const auto replaced = FReplaced.find(i);
        return replaced != FReplaced.end() ? QStringView(replaced->second) : FLines[size_t(i)];
    };

    // New keys of an existing section go after its last non-blank line.
    std::vector<std::pair<qsizetype, const TSection*>> inserts;
    for (const TSection& section : FSections) {
        if (section.Header < 0 || section.Added.empty())
            continue;
        qsizetype at = section.End;
        while (at > section.Header + 1 && lineText(at - 1).trimmed().isEmpty())
            --at;
        inserts.emplace_back(at, &section);
    }
    std::stable_sort(inserts.begin(), inserts.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    QString out;
    out.reserve(FText.size() + 8192);
    bool lastBlank = true;
    const auto put = [&](QStringView line) {
        out += line;
        out += LineBreak;
        lastBlank = line.trimmed().isEmpty();
    };
    auto next = inserts.cbegin();
    const auto flushInserts = [&](qsizetype before) {
        for (; next != inserts.cend() && next->first == before; ++next)
            for (const QString& line : next->second->Added)
                put(line);
    };
    for (qsizetype i = 0; i < qsizetype(FLines.size()); ++i) {
        flushInserts(i);
        put(lineText(i));
    }
    flushInserts(qsizetype(FLines.size()));

    for (const TSection& section : FSections) {
        if (section.Header >= 0)
            continue;
        if (!lastBlank)
            put(QStringView());
        put(QString(QLatin1Char('[') + section.Name + QLatin1Char(']')));
        for (const QString& line : section.Added)
            put(line);
    }
    return out.toUtf8();
}

bool TIniFile::UpdateFile() {
    FErrorString.clear();
    const QByteArray data = ToBytes();
    QSaveFile file(FFileName);
    // Unbuffered, so a short write (a full disk) shows here: buffered, Qt drops the rest of
    // its buffer and commits a truncated file. The second attempt brings out the reason.
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    for (qsizetype done = 0; written && done < data.size();) {
        const qint64 count = file.write(data.constData() + done, data.size() - done);
        written = count > 0;
        done += written ? count : 0;
    }
    if (!written || !file.commit()) {
        FErrorString = file.errorString();
        return false;
    }
    return true;
}
