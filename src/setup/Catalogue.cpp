#include "setup/Catalogue.h"

#include "setup/AppInfo.h"
#include "setup/ListCombo.h"
#include "setup/NumberText.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <bit>
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
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    constexpr std::uint64_t kLowSeven = 0x7F7F7F7F7F7F7F7Full;

    std::uint64_t word(const char* p)
    {
        std::uint64_t w;
        std::memcpy(&w, p, sizeof w);
        return w;
    }

    bool isAscii(std::string_view bytes)
    {
        std::size_t i = 0;
        std::uint64_t seen = 0;
        for (; i + 8 <= bytes.size(); i += 8)
            seen |= word(bytes.data() + i);
        for (; i < bytes.size(); ++i)
            seen |= static_cast<unsigned char>(bytes[i]);
        return (seen & kHighBits) == 0;
    }

    std::size_t countByte(std::string_view bytes, char wanted)
    {
        const std::uint64_t pattern = 0x0101010101010101ull * static_cast<unsigned char>(wanted);
        std::size_t found = 0;
        std::size_t i = 0;
        for (; i + 8 <= bytes.size(); i += 8) {
            const std::uint64_t x = word(bytes.data() + i) ^ pattern;
            // A byte of x is zero exactly where the wanted byte was; this marks each by its high bit.
            const std::uint64_t zeros = ~(((x & kLowSeven) + kLowSeven) | x | kLowSeven);
            found += std::size_t(std::popcount(zeros));
        }
        for (; i < bytes.size(); ++i)
            found += bytes[i] == wanted;
        return found;
    }

    bool isValidUtf8(std::string_view bytes)
    {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
        const auto* end = p + bytes.size();
        while (p < end) {
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

    // Decodes names only; ASCII names, the usual case, skip the decoder.
    class NameDecoder final
    {
    public:
        explicit NameDecoder(std::string_view body)
            : m_allAscii(isAscii(body))
            , m_decoder(!m_allAscii && isValidUtf8(body) ? "UTF-8" : "windows-1252")
        {
        }
        static NameDecoder forUtf8() { return NameDecoder(); }

        QString decode(std::string_view bytes)
        {
            if (m_allAscii || isAscii(bytes))
                return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
            return m_decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
        }

    private:
        NameDecoder()
            : m_allAscii(false)
            , m_decoder("UTF-8")
        {
        }

        bool m_allAscii;
        QStringDecoder m_decoder;
    };

    struct Field
    {
        std::string_view text;
        bool quoted = false;
        int line = 0;
    };

    class FieldScanner final
    {
    public:
        explicit FieldScanner(std::string_view bytes)
            : m_p(bytes.data())
            , m_end(bytes.data() + bytes.size())
        {
        }

        int line() const { return m_line; }
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
            field.line = m_line;
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
            countLineBreaks(start, stop);
            m_p = close ? close + 1 : m_end;
            return { start, std::size_t(stop - start) };
        }

        std::string_view plainText()
        {
            const char* start = m_p;
            while (m_p < m_end && *m_p != ',' && !isLineBreak(*m_p))
                ++m_p;
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
            ++m_line;
        }

        void countLineBreaks(const char* from, const char* to)
        {
            for (const char* c = from; c < to; ++c)
                if (*c == '\n' || (*c == '\r' && (c + 1 == to || c[1] != '\n')))
                    ++m_line;
        }

        const char* m_p;
        const char* m_end;
        int m_line = 1;
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
        const QString shown = QString::fromLatin1(field.text.data(), qsizetype(field.text.size()));
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
    NameDecoder decoder = hasBom ? NameDecoder::forUtf8() : NameDecoder(body);

    CatalogueRead read;
    read.entries.reserve(countByte(body, '\n') + 1);
    FieldScanner scanner(body);
    while (!scanner.onlyBlankSpaceLeft()) {
        const Field name = scanner.next();
        if (!scanner.lastEndedWithComma() && scanner.onlyBlankSpaceLeft()) {
            read.problem = CatalogueProblem { name.line,
                QStringLiteral("the file ends after the name \"%1\" without its number")
                    .arg(decoder.decode(name.text)) };
            break;
        }
        const Field number = scanner.next();
        auto value = numberOf(number);
        if (auto* message = std::get_if<QString>(&value)) {
            read.problem = CatalogueProblem { number.line, *message };
            break;
        }
        read.entries.push_back({ nameOf(name, decoder), std::get<qint32>(value) });
    }
    return read;
}

void LoadCatalogue(
    ListCombo* list, const QString& fileName, const ProblemSink& reportProblem, const QString& programFolder)
{
    list->Clear();
    QDir::setCurrent(programFolder);
    QString relative = fileName;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString path = QDir::cleanPath(programFolder + QLatin1Char('/') + relative);
    const QString shownPath = QDir::toNativeSeparators(path);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reportProblem(
            QStringLiteral("The list file %1 could not be opened: %2.").arg(shownPath, file.errorString()));
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reportProblem(
            QStringLiteral("The list file %1 could not be read: %2.").arg(shownPath, file.errorString()));
        return;
    }
    CatalogueRead read = readCatalogue(bytes);
    list->fill(std::move(read.entries));
    if (read.problem)
        reportProblem(QStringLiteral("The list file %1 could not be read completely. Line %2: %3.")
                          .arg(shownPath)
                          .arg(read.problem->line)
                          .arg(read.problem->message));
}

void LoadCatalogue(ListCombo* list, const QString& fileName, const ProblemSink& reportProblem)
{
    LoadCatalogue(list, fileName, reportProblem, appPath());
}

}
