// Feeds arbitrary lines to the Windows word splitter: a line without quotes splits at its blanks
// alone, and the words it gives, each quoted again, split back into themselves.
#include "launch/WindowsCommandLine.h"

#include <QRegularExpression>
#include <cassert>
#include <cstdint>

using namespace tavorin;

namespace {

// Quotes one word so that the C runtime gives it back unchanged: backslashes are doubled only
// where a quote follows them, the closing quote included.
QString quoted(QString word)
{
    static const QRegularExpression backslashesBeforeQuote(QStringLiteral("(\\\\*)\""));
    static const QRegularExpression backslashesAtEnd(QStringLiteral("(\\\\*)\\z"));
    word.replace(backslashesBeforeQuote, QStringLiteral("\\1\\1\\\""));
    return '"' + word.replace(backslashesAtEnd, QStringLiteral("\\1\\1")) + '"';
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QRegularExpression blanks(QStringLiteral("[ \t]"));
    const QString line = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList words = splitWindowsCommandLine(line);
    assert(words.join(QString()).size() <= line.size());
    // Without a quote, backslashes are plain text too.
    if (!line.contains(QLatin1Char('"')))
        assert(words == line.split(blanks, Qt::SkipEmptyParts));

    QStringList requoted;
    for (const QString& word : words)
        requoted.append(quoted(word));
    assert(splitWindowsCommandLine(requoted.join(QLatin1Char(' '))) == words);
    return 0;
}
