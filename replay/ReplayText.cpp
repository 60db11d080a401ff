#include "ReplayText.h"

#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QSaveFile>
#include <algorithm>
#include <charconv>
#include <cstring>
#include <map>

namespace {

QString Tr(const char* Text) {
    return QCoreApplication::translate("ReplayText", Text);
}

constexpr int64_t MaxMilliseconds = TReplayTags::MaxMilliseconds;
constexpr char Ranks[] = "23456789TJQKA";
constexpr char Suits[] = "CDSH";

char SideLetter(TSide Side) {
    return Side == TSide::Human ? 'H' : 'C';
}

char WhyLetter(TRefusal Why, bool Fits) {
    switch (Why) {
    case TRefusal::NotRunning:
        return 'R';
    case TRefusal::EmptySlot:
        return 'E';
    case TRefusal::NoFit:
        return 'N';
    case TRefusal::Held:
        return Fits ? 'F' : 'H';
    }
    return '?';
}

QByteArray CardText(int32_t Card) {
    return ReplayCheck::CardName(Card).toLatin1();
}

QByteArray Quoted(const QString& Value) {
    QByteArray out;
    for (const char c : Value.toUtf8()) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += (uint8_t(c) < 0x20 || c == 0x7f) ? ' ' : c;
    }
    return out;
}

QByteArray Token(const TReplayEntry& E) {
    QByteArray t;
    const auto slot = [&] {
        return QByteArray(1, SideLetter(E.Side)) + QByteArray::number(E.Slot + 1);
    };
    switch (E.Kind) {
    case TReplayKind::Lay:
        return slot() + '>' + QByteArray::number(E.Table) + ':' + CardText(E.Card);
    case TReplayKind::Refill:
        return slot() + '+' + CardText(E.Card);
    case TReplayKind::Refused:
        t = slot() + '?' + QByteArray::number(E.Table) + '!' + WhyLetter(E.Why, E.Fits);
        return E.Card != 0 ? t + ':' + CardText(E.Card) : t;
    case TReplayKind::PileTop:
        return QByteArray(1, SideLetter(E.Side)) + '^' + CardText(E.Card);
    case TReplayKind::Pass:
        t = "@";
        for (size_t r = 0; r < 2; ++r) {
            if (r == 1)
                t += '/';
            const int from = E.TurnedFrom[r];
            if (from < 0)
                t += '-';
            else
                t += (from == TurnedFromPile ? QByteArray("P") : QByteArray::number(from + 1)) +
                     ':' + CardText(E.TurnedCards[r]);
        }
        return t;
    case TReplayKind::Decided:
        t = QByteArray("#") + SideLetter(E.Side);
        return E.Side == TSide::Human ? t + (E.Bonus < 0 ? "" : "+") + QByteArray::number(E.Bonus)
                                      : t;
    case TReplayKind::Abandoned:
        return "#X";
    case TReplayKind::Check:
        return '%' + QByteArray::number(E.Hash, 16).rightJustified(8, '0');
    }
    return t;
}

QByteArray Time(int64_t At) {
    return QByteArray::number(At / 1000) + '.' +
           QByteArray::number(At % 1000).rightJustified(3, '0');
}

// Reads one entry's token, strictly; false for anything else.
class TTokenReader {
public:
    explicit TTokenReader(const QByteArray& Token) : FText(Token) {}

    bool Entry(TReplayEntry& E) {
        if (Take('@'))
            return Pass(E);
        if (Take('#')) {
            if (Take('X')) {
                E.Kind = TReplayKind::Abandoned;
                return Done();
            }
            E.Kind = TReplayKind::Decided;
            if (!Side(E.Side))
                return false;
            if (E.Side == TSide::Computer)
                return Done();
            const bool negative = Take('-');
            if (!negative && !Take('+'))
                return false;
            int64_t bonus = 0;
            if (!Number(bonus, 1000000))
                return false;
            E.Bonus = int32_t(negative ? -bonus : bonus);
            return Done();
        }
        if (Take('%')) {
            E.Kind = TReplayKind::Check;
            if (FText.size() - FAt != 8)
                return false;
            bool ok = false;
            const QByteArray hex = FText.mid(FAt);
            for (const char c : hex)
                if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
                    return false;
            E.Hash = uint32_t(hex.toULong(&ok, 16));
            FAt = FText.size();
            return ok;
        }
        if (!Side(E.Side))
            return false;
        if (Take('^')) {
            E.Kind = TReplayKind::PileTop;
            return Card(E.Card) && Done();
        }
        int64_t slot = 0;
        if (!Digit(slot, 1, 4))
            return false;
        E.Slot = int(slot - 1);
        int64_t table = 0;
        if (Take('>')) {
            E.Kind = TReplayKind::Lay;
            if (!Digit(table, 1, 2) || !Take(':') || !Card(E.Card))
                return false;
            E.Table = int(table);
            return Done();
        }
        if (Take('+')) {
            E.Kind = TReplayKind::Refill;
            return Card(E.Card) && Done();
        }
        if (!Take('?') || !Digit(table, 0, 2) || !Take('!') || FAt >= FText.size())
            return false;
        E.Kind = TReplayKind::Refused;
        E.Table = int(table);
        switch (FText[FAt++]) {
        case 'R':
            E.Why = TRefusal::NotRunning;
            return Done();
        case 'E':
            E.Why = TRefusal::EmptySlot;
            return Done();
        case 'N':
            E.Why = TRefusal::NoFit;
            break;
        case 'H':
            E.Why = TRefusal::Held;
            break;
        case 'F':
            E.Why = TRefusal::Held;
            E.Fits = true;
            break;
        default:
            return false;
        }
        return Take(':') && Card(E.Card) && Done();
    }

private:
    bool Pass(TReplayEntry& E) {
        E.Kind = TReplayKind::Pass;
        for (size_t r = 0; r < 2; ++r) {
            if (r == 1 && !Take('/'))
                return false;
            if (Take('-'))
                continue;
            int64_t slot = 0;
            if (Take('P'))
                E.TurnedFrom[r] = TurnedFromPile;
            else if (Digit(slot, 1, 4))
                E.TurnedFrom[r] = int(slot - 1);
            else
                return false;
            if (!Take(':') || !Card(E.TurnedCards[r]))
                return false;
        }
        return Done();
    }
    bool Take(char C) {
        if (FAt < FText.size() && FText[FAt] == C) {
            ++FAt;
            return true;
        }
        return false;
    }
    bool Side(TSide& S) {
        if (Take('H'))
            S = TSide::Human;
        else if (Take('C'))
            S = TSide::Computer;
        else
            return false;
        return true;
    }
    bool Digit(int64_t& Value, int Low, int High) {
        if (FAt >= FText.size() || FText[FAt] < '0' + Low || FText[FAt] > '0' + High)
            return false;
        Value = FText[FAt++] - '0';
        return true;
    }
    bool Number(int64_t& Value, int64_t Max) {
        const qsizetype start = FAt;
        Value = 0;
        while (FAt < FText.size() && FText[FAt] >= '0' && FText[FAt] <= '9' && FAt - start < 10)
            Value = Value * 10 + (FText[FAt++] - '0');
        return FAt > start && Value <= Max;
    }
    bool Card(int32_t& Card) {
        if (FText.size() - FAt < 2)
            return false;
        const char* rank = FText[FAt] ? std::strchr(Ranks, FText[FAt]) : nullptr;
        const char* suit = FText[FAt + 1] ? std::strchr(Suits, FText[FAt + 1]) : nullptr;
        if (!rank || !suit)
            return false;
        Card = int32_t(2 + (suit - Suits) * 13 + (rank - Ranks));
        FAt += 2;
        return true;
    }
    bool Done() const { return FAt == FText.size(); }

    const QByteArray& FText;
    qsizetype FAt = 0;
};

bool Integer(const QString& Text, int64_t Low, int64_t High, int64_t& Value) {
    const QByteArray b = Text.toLatin1();
    if (b.isEmpty() || b.size() > 20 || (b.size() > 1 && b[0] == '0'))
        return false;
    const char* end = b.constData() + b.size();
    const auto [ptr, ec] = std::from_chars(b.constData(), end, Value);
    return ec == std::errc() && ptr == end && Value >= Low && Value <= High;
}

const char* const RequiredTags[] = {"Format", "Deal", "Decks", "Result", "Score", "Duration"};
// The tags in the order they are written; each at most once.
const char* const TagNames[] = {"Format",       "Program",    "Date",   "Deal",   "Decks",
                                "Mirrored",     "Scoring",    "Level",  "Fumble", "Opponent",
                                "OpponentName", "StartScore", "Result", "Score",  "Duration"};

bool Required(const char* Tag) {
    return std::any_of(std::begin(RequiredTags), std::end(RequiredTags),
                       [&](const char* t) { return std::strcmp(t, Tag) == 0; });
}

} // namespace

QByteArray ReplayText::Write(const TReplay& Replay) {
    const TReplayTags& t = Replay.Tags;
    const QString values[] = {QString::number(t.Format),
                              t.Program,
                              t.Date,
                              QString::number(t.Deal),
                              QString::number(t.Decks),
                              t.Mirrored ? QStringLiteral("yes") : QStringLiteral("no"),
                              t.Scoring,
                              t.Level,
                              t.Fumble ? QStringLiteral("on") : QStringLiteral("off"),
                              t.Opponent,
                              t.OpponentName,
                              QString::number(t.StartScore),
                              t.Result,
                              QString::number(t.Score),
                              QString::number(t.Duration)};
    QByteArray out;
    // The tags that say nothing are left out (the deal seen from its own side, no names), never
    // one the reader requires.
    for (size_t i = 0; i < std::size(TagNames); ++i)
        if (Required(TagNames[i]) || (!values[i].isEmpty() && !(i == 5 && !t.Mirrored)))
            out += QByteArray("[") + TagNames[i] + " \"" + Quoted(values[i]) + "\"]\n";
    out += '\n';
    for (size_t i = 0; i < Replay.Entries.size(); ++i) {
        const TReplayEntry& e = Replay.Entries[i];
        if (i == 0 || e.At != Replay.Entries[i - 1].At)
            out += (i == 0 ? QByteArray() : QByteArray("\n")) + Time(e.At);
        out += ' ' + Token(e);
    }
    if (!Replay.Entries.empty())
        out += '\n';
    return out;
}

ReplayText::TRead ReplayText::Read(const QByteArray& Text) {
    const auto fail = [](const QString& Why) { return TRead{std::nullopt, Why}; };
    const auto damaged = [&](qsizetype Line) {
        return fail(Tr("The replay file is damaged at line %1.").arg(Line));
    };
    if (Text.size() > MaxBytes)
        return fail(Tr("The replay file is too large."));
    if (!Text.startsWith("[Format \""))
        return fail(Tr("This file is not a Tolvi replay."));
    if (!Text.endsWith('\n'))
        return fail(Tr("The replay file ends before its game does."));
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        const bool lineEnd = c == '\n' || (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n');
        if (((uint8_t(c) < 0x20 && !lineEnd) || c == 0x7f))
            return fail(Tr("This file is not a Tolvi replay."));
    }

    QList<QByteArray> lines = Text.split('\n');
    lines.removeLast(); // after the last newline
    TReplay replay;
    std::map<QByteArray, QString> tags;
    qsizetype n = 0;
    for (; n < lines.size(); ++n) {
        QByteArray& line = lines[n];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            break;
        const qsizetype quote = line.indexOf(" \"");
        if (!line.startsWith('[') || !line.endsWith("\"]") || quote < 2 ||
            quote + 3 > line.size() - 1)
            return damaged(n + 1);
        const QByteArray name = line.mid(1, quote - 1);
        QByteArray value;
        for (qsizetype i = quote + 2; i < line.size() - 2; ++i) {
            char c = line[i];
            if (c == '"')
                return damaged(n + 1);
            if (c == '\\') {
                if (++i >= line.size() - 2 || (line[i] != '"' && line[i] != '\\'))
                    return damaged(n + 1);
                c = line[i];
            }
            value += c;
        }
        const bool known = std::any_of(std::begin(TagNames), std::end(TagNames),
                                       [&](const char* t) { return name == t; });
        if (!known || tags.count(name) != 0)
            return damaged(n + 1);
        const QString text = QString::fromUtf8(value);
        if (text.toUtf8() != value)
            return damaged(n + 1);
        tags[name] = text;
        if (n == 0) {
            int64_t format = 0;
            if (name != "Format" || !Integer(text, 1, INT32_MAX, format))
                return fail(Tr("This file is not a Tolvi replay."));
            if (format > TReplayTags::CurrentFormat)
                return fail(Tr("This replay comes from a newer version of Tolvi."));
            replay.Tags.Format = int(format);
        }
    }
    for (const char* name : TagNames)
        if (Required(name) && tags.count(name) == 0)
            return fail(Tr("The replay file lacks its tag %1.").arg(QLatin1String(name)));
    TReplayTags& t = replay.Tags;
    int64_t value = 0;
    const auto number = [&](const char* Name, int64_t Low, int64_t High) {
        const auto it = tags.find(Name);
        value = 0;
        return it == tags.end() || Integer(it->second, Low, High, value);
    };
    const auto choice = [&](const char* Name, const char* Yes, const char* No, bool& To) {
        const auto it = tags.find(Name);
        if (it == tags.end())
            return true;
        To = it->second == QLatin1String(Yes);
        return To || it->second == QLatin1String(No);
    };
    bool ok = true;
    ok = ok && !tags["Deal"].startsWith('-');
    {
        bool parsed = false;
        const QString deal = tags["Deal"];
        t.Deal = deal.toULongLong(&parsed);
        ok = ok && parsed && deal == QString::number(t.Deal);
    }
    ok = ok && number("Decks", 1, 2);
    t.Decks = int(value);
    ok = ok && number("StartScore", -100000000, 100000000);
    t.StartScore = int32_t(value);
    ok = ok && number("Score", -100000000, 100000000);
    t.Score = int32_t(value);
    ok = ok && number("Duration", 0, MaxMilliseconds);
    t.Duration = value;
    ok = ok && choice("Mirrored", "yes", "no", t.Mirrored) &&
         choice("Fumble", "on", "off", t.Fumble);
    t.Program = tags["Program"];
    t.Date = tags["Date"];
    t.Scoring = tags["Scoring"];
    t.Level = tags["Level"];
    t.Opponent = tags["Opponent"];
    t.OpponentName = tags["OpponentName"];
    t.Result = tags["Result"];
    if (!ok)
        return fail(Tr("The replay file's tags are damaged."));

    bool over = false;
    int64_t last = 0;
    for (++n; n < lines.size(); ++n) {
        QByteArray& line = lines[n];
        if (line.endsWith('\r'))
            line.chop(1);
        const QList<QByteArray> words = line.split(' ');
        if (words.size() < 2)
            return damaged(n + 1);
        // The time: seconds, a point and three digits of milliseconds.
        const QByteArray& time = words[0];
        const qsizetype point = time.indexOf('.');
        int64_t seconds = 0, millis = 0;
        if (point < 1 || time.size() - point != 4 ||
            !Integer(QString::fromLatin1(time.left(point)), 0, MaxMilliseconds / 1000, seconds) ||
            std::any_of(time.begin() + point + 1, time.end(),
                        [](char c) { return c < '0' || c > '9'; }))
            return damaged(n + 1);
        millis = time.mid(point + 1).toLongLong();
        const int64_t at = seconds * 1000 + millis;
        if (at < last)
            return damaged(n + 1);
        last = at;
        for (qsizetype w = 1; w < words.size(); ++w) {
            TReplayEntry e;
            e.At = at;
            if (!TTokenReader(words[w]).Entry(e))
                return damaged(n + 1);
            // After the end only its check.
            if (over && e.Kind != TReplayKind::Check)
                return damaged(n + 1);
            over = over || e.Kind == TReplayKind::Decided || e.Kind == TReplayKind::Abandoned;
            if (replay.Entries.size() >= MaxEntries)
                return fail(Tr("The replay file holds too many plays."));
            replay.Entries.push_back(e);
        }
    }
    if (!over)
        return fail(Tr("The replay file ends before its game does."));
    return TRead{std::move(replay), {}};
}

QString ReplayText::Save(const TReplay& Replay, const QString& Path) {
    QSaveFile file(Path);
    if (!file.open(QIODevice::WriteOnly) || file.write(Write(Replay)) < 0 || !file.commit())
        return Tr("The replay could not be saved: %1").arg(file.errorString());
    return {};
}

ReplayText::TRead ReplayText::Load(const QString& Path) {
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt,
                Tr("The replay file could not be opened: %1").arg(file.errorString())};
    // One byte more than the cap tells a file too large from one just under it.
    return Read(file.read(MaxBytes + 1));
}
