// Feeds arbitrary bytes, read as UTF-8 and as Latin-1, to the Windows word splitter and
// checks what must hold for any line.
#include "launch/WindowsCommandLine.h"

#include <QRegularExpression>
#include <QString>
#include <cassert>
#include <cstdint>

using namespace tavorin;

namespace {

// Quotes one word so that the C runtime gives it back unchanged: backslashes are doubled
// only where a quote follows them, the closing quote included.
QString quoted(const QString& word)
{
    QString out = QStringLiteral("\"");
    qsizetype backslashes = 0;
    for (const QChar c : word) {
        if (c == QLatin1Char('\\')) {
            ++backslashes;
            continue;
        }
        out += QString(c == QLatin1Char('"') ? backslashes * 2 + 1 : backslashes, QLatin1Char('\\'));
        out += c;
        backslashes = 0;
    }
    out += QString(backslashes * 2, QLatin1Char('\\'));
    out += QLatin1Char('"');
    return out;
}

void checkLine(const QString& line)
{
    static const QRegularExpression blanks(QStringLiteral("[ \t]"));
    const QStringList words = splitWindowsCommandLine(line);
    assert(words.join(QString()).size() <= line.size());
    const bool hasQuote = line.contains(QLatin1Char('"'));
    if (!hasQuote && !line.contains(QLatin1Char('\\')))
        assert(words == line.split(blanks, Qt::SkipEmptyParts));
    if (!hasQuote)
        for (const QString& word : words)
            assert(!word.contains(blanks));

    QStringList requoted;
    for (const QString& word : words)
        requoted.append(quoted(word));
    assert(splitWindowsCommandLine(requoted.join(QLatin1Char(' '))) == words);
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto* chars = reinterpret_cast<const char*>(data);
    checkLine(QString::fromUtf8(chars, qsizetype(size)));
    checkLine(QString::fromLatin1(chars, qsizetype(size)));
    return 0;
}
