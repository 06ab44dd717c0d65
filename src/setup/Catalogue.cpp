#include "setup/Catalogue.h"

#include "setup/AppInfo.h"
#include "setup/CaseFold.h"
#include "setup/ListCombo.h"
#include "setup/NumberText.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <variant>

namespace tavorin {
namespace {

    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

    bool isBlank(char c)
    {
        return c == ' ' || c == '\t';
    }

    bool isLineBreak(char c)
    {
        return c == '\r' || c == '\n';
    }

    // Whole-file scans go eight bytes at a time; per-byte loops would dominate the read.
    constexpr std::uint64_t kEveryByte = 0x0101010101010101ull;
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    constexpr std::uint64_t kLowSeven = 0x7F7F7F7F7F7F7F7Full;
    constexpr std::uint64_t kLineFeeds = kEveryByte * '\n';

    std::uint64_t word(const char* p)
    {
        std::uint64_t w;
        std::memcpy(&w, p, sizeof w);
        return w;
    }

    // The exact form of the zero-byte test: no borrow runs into the next byte, so the
    // marks can be summed. Summing by a multiply avoids popcount, which without
    // -mpopcnt is a library call per word.
    std::size_t countZeroBytes(std::uint64_t x)
    {
        const std::uint64_t zeros = ~(((x & kLowSeven) + kLowSeven) | x | kLowSeven);
        return std::size_t(((zeros >> 7) * kEveryByte) >> 56);
    }

    // Names are short: the last word overlaps the others instead of a byte-wise tail.
    bool isAscii(std::string_view bytes)
    {
        const char* p = bytes.data();
        const std::size_t size = bytes.size();
        if (size < sizeof(std::uint64_t))
            return std::all_of(p, p + size, [](char c) { return (c & 0x80) == 0; });
        std::uint64_t seen = word(p + size - sizeof(std::uint64_t));
        for (std::size_t i = 0; i + sizeof(std::uint64_t) <= size; i += sizeof(std::uint64_t))
            seen |= word(p + i);
        return (seen & kHighBits) == 0;
    }

    struct Survey
    {
        bool ascii = true;
        std::size_t lineFeeds = 0;
    };

    // One pass over the file answers both questions asked of all of it, so a large file
    // streams through the cache once before the fields are read.
    Survey survey(std::string_view bytes)
    {
        std::uint64_t seen = 0;
        std::size_t lineFeeds = 0;
        std::size_t i = 0;
        for (; i + sizeof(std::uint64_t) <= bytes.size(); i += sizeof(std::uint64_t)) {
            const std::uint64_t w = word(bytes.data() + i);
            seen |= w;
            lineFeeds += countZeroBytes(w ^ kLineFeeds);
        }
        for (; i < bytes.size(); ++i) {
            seen |= static_cast<unsigned char>(bytes[i]);
            lineFeeds += bytes[i] == '\n';
        }
        return { (seen & kHighBits) == 0, lineFeeds };
    }

    bool isValidUtf8(std::string_view bytes)
    {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
        const auto* end = p + bytes.size();
        while (p < end) {
            if (end - p >= 8 && (word(reinterpret_cast<const char*>(p)) & kHighBits) == 0) {
                p += 8;
                continue;
            }
            const unsigned char lead = *p++;
            if (lead < 0x80)
                continue;
            int follow = 0;
            char32_t code = 0;
            if (lead >= 0xC2 && lead <= 0xDF) {
                follow = 1;
                code = lead & 0x1F;
            } else if (lead >= 0xE0 && lead <= 0xEF) {
                follow = 2;
                code = lead & 0x0F;
            } else if (lead >= 0xF0 && lead <= 0xF4) {
                follow = 3;
                code = lead & 0x07;
            } else {
                return false;
            }
            if (end - p < follow)
                return false;
            for (int i = 0; i < follow; ++i, ++p) {
                if ((*p & 0xC0) != 0x80)
                    return false;
                code = (code << 6) | (*p & 0x3F);
            }
            const char32_t smallest[] = { 0, 0x80, 0x800, 0x10000 };
            if (code < smallest[follow] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                return false;
        }
        return true;
    }

    // Windows-1252 is Latin-1 apart from 0x80-0x9F; the five bytes it leaves undefined
    // stay the control codes of the same value.
    constexpr char16_t kWindows1252High[32]
        = { 0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039,
              0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
              0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178 };

    QString fromLatin1(std::string_view bytes)
    {
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    }

    // Single-byte names widen one byte to one unit: ASCII and Latin-1 are the same code
    // points, and Windows-1252 differs from Latin-1 only in 0x80-0x9F.
    void widen(std::string_view bytes, char16_t* out, bool windows1252)
    {
        for (std::size_t i = 0; i < bytes.size(); ++i)
            out[i] = static_cast<unsigned char>(bytes[i]);
        if (windows1252)
            for (std::size_t i = 0; i < bytes.size(); ++i)
                if (out[i] >= 0x80 && out[i] < 0xA0)
                    out[i] = kWindows1252High[out[i] - 0x80];
    }

    // The names of one read live side by side in one block of UTF-16 text instead of an
    // allocation each: with a hundred thousand names the allocator, not the scanning, set the
    // pace. Each name shares the block the way copies of one string do, so the first change to
    // a name copies it out, and the block goes with the last name that uses it.
    class NameBlock final
    {
    public:
        // A name takes its length plus a terminating zero; no name is longer than the bytes it
        // came from and every stored name used at least one byte more, a delimiter or a quote.
        explicit NameBlock(std::size_t bodySize)
            : m_block(qsizetype(bodySize + 1), Qt::Uninitialized)
            , m_free(reinterpret_cast<char16_t*>(m_block.data())) // not yet shared: no copy
            , m_end(m_free + bodySize + 1)
        {
        }

        QString add(std::string_view bytes, bool windows1252)
        {
            if (std::size_t(m_end - m_free) <= bytes.size()) {
                QString alone(qsizetype(bytes.size()), Qt::Uninitialized);
                widen(bytes, reinterpret_cast<char16_t*>(alone.data()), windows1252);
                return alone;
            }
            char16_t* text = m_free;
            widen(bytes, text, windows1252);
            text[bytes.size()] = u'\0'; // Qt hands a string's text to C functions as it stands
            m_free = text + bytes.size() + 1;
            QString::DataPointer share = m_block.data_ptr(); // the copy counts one more user
            share.ptr = text;
            share.size = qsizetype(bytes.size());
            return QString(std::move(share));
        }

    private:
        QString m_block;
        char16_t* m_free;
        char16_t* m_end;
    };

    // Decodes names only; ASCII names, the usual case, skip the decoders.
    class NameDecoder final
    {
    public:
        NameDecoder(std::string_view body, bool hasBom, bool bodyIsAscii)
            : m_encoding(bodyIsAscii              ? Encoding::Ascii
                    : hasBom || isValidUtf8(body) ? Encoding::Utf8
                                                  : Encoding::Windows1252)
            , m_names(body.size())
        {
        }

        QString decode(std::string_view bytes)
        {
            const bool ascii = m_encoding == Encoding::Ascii || isAscii(bytes);
            if (!ascii && m_encoding == Encoding::Utf8)
                return m_utf8.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
            return m_names.add(bytes, !ascii);
        }

    private:
        enum class Encoding { Ascii, Utf8, Windows1252 };

        Encoding m_encoding;
        // Stateless: bytes a name leaves unfinished must not carry over into the next name.
        QStringDecoder m_utf8 { QStringDecoder::Utf8, QStringDecoder::Flag::Stateless };
        NameBlock m_names;
    };

    struct Field
    {
        std::string_view text;
        bool quoted = false;
        const char* start = nullptr; // first byte after the blanks, for the line number of a problem
    };

    class FieldScanner final
    {
    public:
        explicit FieldScanner(std::string_view bytes)
            : m_begin(bytes.data())
            , m_p(bytes.data())
            , m_end(bytes.data() + bytes.size())
        {
        }

        bool lastEndedWithComma() const { return m_endedWithComma; }

        // Blank lines and blanks after the last record end the file as cleanly as its end does.
        bool onlyBlankSpaceLeft() const
        {
            return std::all_of(m_p, m_end, [](char c) { return isBlank(c) || isLineBreak(c); });
        }

        Field next()
        {
            skipBlanks();
            Field field;
            field.start = m_p;
            if (m_p < m_end && *m_p == '"') {
                field.quoted = true;
                field.text = quotedText();
                skipToDelimiter();
            } else {
                field.text = plainText();
            }
            consumeDelimiter();
            return field;
        }

        // Lines are counted only for a problem: a read that succeeds never needs them.
        // CR LF, a lone CR and a lone LF each end one line, inside quotes as well.
        int lineOf(const Field& field) const
        {
            int line = 1;
            for (const char* c = m_begin; c < field.start; ++c)
                if (*c == '\n' || (*c == '\r' && (c + 1 == m_end || c[1] != '\n')))
                    ++line;
            return line;
        }

    private:
        void skipBlanks()
        {
            while (m_p < m_end && isBlank(*m_p))
                ++m_p;
        }

        std::string_view quotedText()
        {
            const char* start = ++m_p;
            const auto* close = static_cast<const char*>(std::memchr(start, '"', std::size_t(m_end - start)));
            const char* stop = close ? close : m_end;
            m_p = close ? close + 1 : m_end;
            return { start, std::size_t(stop - start) };
        }

        std::string_view plainText()
        {
            const char* start = m_p;
            skipToDelimiter();
            const char* stop = m_p;
            while (stop > start && isBlank(stop[-1]))
                --stop;
            return { start, std::size_t(stop - start) };
        }

        // Whatever stands between a closing quote and the next delimiter is not part of the field.
        void skipToDelimiter()
        {
            while (m_p < m_end && *m_p != ',' && !isLineBreak(*m_p))
                ++m_p;
        }

        void consumeDelimiter()
        {
            m_endedWithComma = false;
            if (m_p == m_end)
                return;
            if (*m_p == ',') {
                m_endedWithComma = true;
                ++m_p;
                return;
            }
            if (*m_p == '\r' && m_p + 1 < m_end && m_p[1] == '\n')
                ++m_p;
            ++m_p;
        }

        const char* m_begin;
        const char* m_p;
        const char* m_end;
        bool m_endedWithComma = false;
    };

    bool mayBeNumber(std::string_view text)
    {
        if (text.empty())
            return false;
        const char c = text.front();
        return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
    }

    QString numberText(double value)
    {
        if (value == std::nearbyint(value) && std::abs(value) < 1e15)
            return QString::number(static_cast<qint64>(value));
        return QString::number(value, 'g', 15);
    }

    QString nameOf(const Field& field, NameDecoder& decoder)
    {
        if (!field.quoted && mayBeNumber(field.text))
            if (const auto value = parseDecimal(field.text))
                return numberText(*value);
        return decoder.decode(field.text);
    }

    // Most numbers are a few plain digits; everything else takes the general route.
    std::optional<qint32> quickNumber(std::string_view text)
    {
        if (text.empty() || text.size() > 9)
            return std::nullopt;
        qint32 value = 0;
        for (const char c : text) {
            if (c < '0' || c > '9')
                return std::nullopt;
            value = value * 10 + (c - '0');
        }
        return value;
    }

    std::variant<qint32, QString> numberOf(const Field& field)
    {
        if (field.text.empty())
            return 0;
        if (const auto quick = quickNumber(field.text))
            return *quick;
        if (const auto value = toInt32HalfEven(field.text))
            return *value;
        const QString shown = fromLatin1(field.text);
        if (parseDecimal(field.text))
            return QStringLiteral("the number %1 does not fit in 32 bits").arg(shown);
        return QStringLiteral("the number field \"%1\" is not a number").arg(shown);
    }

}

CatalogueRead readCatalogue(QByteArrayView bytes)
{
    std::string_view body(bytes.data(), std::size_t(bytes.size()));
    const bool hasBom = body.starts_with(kUtf8Bom);
    if (hasBom)
        body.remove_prefix(kUtf8Bom.size());
    const Survey facts = survey(body);
    NameDecoder decoder(body, hasBom, facts.ascii);

    CatalogueRead read;
    read.entries.reserve(facts.lineFeeds + 1);
    FieldScanner scanner(body);
    while (!scanner.onlyBlankSpaceLeft()) {
        const Field name = scanner.next();
        if (!scanner.lastEndedWithComma() && scanner.onlyBlankSpaceLeft()) {
            read.problem = CatalogueProblem { scanner.lineOf(name),
                QStringLiteral("the file ends after the name \"%1\" without its number")
                    .arg(decoder.decode(name.text)) };
            break;
        }
        const Field number = scanner.next();
        auto value = numberOf(number);
        if (auto* message = std::get_if<QString>(&value)) {
            read.problem = CatalogueProblem { scanner.lineOf(number), *message };
            break;
        }
        read.entries.push_back({ nameOf(name, decoder), std::get<qint32>(value) });
    }
    return read;
}

namespace {

    // A catalogue holds some hundred teams in a few kilobytes; 16 MiB leaves room for half
    // a million and keeps start-up quick and small whatever file lies there.
    constexpr qint64 kCatalogueReadLimit = 16 << 20;

    bool endsLine(QByteArrayView bytes, qsizetype i)
    {
        return bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'));
    }

    // Where the line holding position begins, and its 1-based number; CR LF, LF and a lone CR
    // each end a line, as for the reader.
    std::pair<qsizetype, int> lineOf(QByteArrayView bytes, qsizetype position)
    {
        qsizetype start = 0;
        int line = 1;
        for (qsizetype i = 0; i < position; ++i) {
            if (endsLine(bytes, i)) {
                start = i + 1;
                ++line;
            }
        }
        return { start, line };
    }

    // Drops a last line cut by the read limit, so no record is read half.
    QByteArray wholeLines(QByteArray bytes)
    {
        const qsizetype lastBreak = std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
        bytes.truncate(lastBreak + 1);
        return bytes;
    }

}

void LoadCatalogue(
    ListCombo* list, const QString& fileName, const ProblemSink& reportProblem, const QString& programFolder)
{
    list->Clear();
    QDir::setCurrent(programFolder);
    QString relative = fileName;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString path = existingSpelling(QDir::cleanPath(programFolder + QLatin1Char('/') + relative));
    const QString shownPath = QDir::toNativeSeparators(path);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reportProblem(
            QStringLiteral("The list file %1 could not be opened: %2.").arg(shownPath, file.errorString()));
        return;
    }
    QByteArray bytes = file.read(kCatalogueReadLimit + 1);
    if (file.error() != QFileDevice::NoError) {
        reportProblem(
            QStringLiteral("The list file %1 could not be read: %2.").arg(shownPath, file.errorString()));
        return;
    }
    const bool cutAtLimit = bytes.size() > kCatalogueReadLimit;
    if (cutAtLimit)
        bytes = wholeLines(bytes.left(kCatalogueReadLimit));
    // A NUL byte is never part of a name: the file is binary from the line that holds it on.
    std::optional<int> binaryLine;
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0) {
        const auto [start, line] = lineOf(bytes, nul);
        bytes.truncate(start);
        binaryLine = line;
    }

    CatalogueRead read = readCatalogue(bytes);
    const std::size_t listed = read.entries.size();
    list->fill(std::move(read.entries));
    if (read.problem)
        reportProblem(QStringLiteral("The list file %1 could not be read completely. Line %2: %3.")
                          .arg(shownPath)
                          .arg(read.problem->line)
                          .arg(read.problem->message));
    else if (binaryLine)
        reportProblem(QStringLiteral("The list file %1 could not be read completely. Line %2: it holds a NUL "
                                     "byte, so the file is not text from there on.")
                          .arg(shownPath)
                          .arg(*binaryLine));
    if (cutAtLimit)
        reportProblem(
            QStringLiteral("The list file %1 is larger than 16 MiB: only the %2 entries in its first "
                           "16 MiB are listed.")
                .arg(shownPath)
                .arg(listed));
}

void LoadCatalogue(ListCombo* list, const QString& fileName, const ProblemSink& reportProblem)
{
    LoadCatalogue(list, fileName, reportProblem, appPath());
}

}
