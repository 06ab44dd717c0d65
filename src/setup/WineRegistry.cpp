#include "setup/WineRegistry.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace tavorin {
namespace {

    constexpr QByteArrayView kFirstLine = "WINE REGISTRY Version 2";

    // The blanks of C's isspace, which Wine skips around names and before values.
    bool isBlank(char c)
    {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
    }

    int hexDigit(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    bool isOctalDigit(char c)
    {
        return c >= '0' && c <= '7';
    }

    QByteArrayView trimmedRight(QByteArrayView text)
    {
        while (!text.isEmpty() && isBlank(text.back()))
            text.chop(1);
        return text;
    }

    // One line of text, read from pos onwards.
    class Cursor final
    {
    public:
        explicit Cursor(QByteArrayView line)
            : m_line(line)
        {
        }

        bool atEnd() const { return m_pos == m_line.size(); }
        char peek() const { return atEnd() ? '\0' : m_line[m_pos]; }
        char take() { return m_line[m_pos++]; }
        QByteArrayView rest() const { return m_line.sliced(m_pos); }
        void skipBlanks()
        {
            while (!atEnd() && isBlank(peek()))
                ++m_pos;
        }
        bool skip(QByteArrayView text)
        {
            if (!rest().startsWith(text))
                return false;
            m_pos += text.size();
            return true;
        }

        // Text as Wine escapes it, up to an unescaped end character, which is passed over. Each
        // escape gives one UTF-16 unit: \a \b \e \f \n \r \t \v, \x with up to four hex digits (none
        // stands for an "x"), up to three octal digits, and a backslash before any other character
        // for that character. text may be null when only the shape matters.
        bool readEscaped(char end, QString* text)
        {
            while (!atEnd()) {
                const char c = take();
                if (c == end)
                    return true;
                const std::optional<char16_t> unit = c == '\\' ? readEscape() : char16_t(c);
                if (!unit)
                    return false;
                if (text)
                    text->append(QChar(*unit));
            }
            return false;
        }

    private:
        // Nothing for a lone backslash at the end of the line, which escapes nothing.
        std::optional<char16_t> readEscape()
        {
            if (atEnd())
                return std::nullopt;
            const char c = take();
            switch (c) {
            case 'a':
                return u'\a';
            case 'b':
                return u'\b';
            case 'e':
                return 0x1B;
            case 'f':
                return u'\f';
            case 'n':
                return u'\n';
            case 'r':
                return u'\r';
            case 't':
                return u'\t';
            case 'v':
                return u'\v';
            case 'x':
                return readHexUnit();
            default:
                return isOctalDigit(c) ? readOctalUnit(c) : char16_t(c);
            }
        }

        char16_t readHexUnit()
        {
            if (hexDigit(peek()) < 0)
                return u'x';
            char16_t unit = 0;
            for (int digits = 0; digits < 4 && hexDigit(peek()) >= 0; ++digits)
                unit = char16_t(unit * 16 + hexDigit(take()));
            return unit;
        }

        char16_t readOctalUnit(char first)
        {
            char16_t unit = char16_t(first - '0');
            for (int digits = 1; digits < 3 && isOctalDigit(peek()); ++digits)
                unit = char16_t(unit * 8 + (take() - '0'));
            return unit;
        }

        QByteArrayView m_line;
        qsizetype m_pos = 0;
    };

    // Comma-separated hex bytes, as far as a value's line goes; true when a backslash at the
    // end carries the value on to the next line.
    std::optional<bool> hexBytesContinue(QByteArrayView text)
    {
        text = trimmedRight(text);
        const bool continues = text.endsWith('\\');
        if (continues)
            text.chop(1);
        const bool hexOnly = std::all_of(
            text.begin(), text.end(), [](char c) { return hexDigit(c) >= 0 || c == ',' || isBlank(c); });
        return hexOnly ? std::optional<bool>(continues) : std::nullopt;
    }

    class Reader final
    {
    public:
        explicit Reader(const RegistryKeyFilter& wanted)
            : m_wanted(wanted)
        {
        }

        bool readLine(QByteArrayView line)
        {
            if (m_hexContinues)
                return readHexLine(line);
            Cursor cursor(line);
            cursor.skipBlanks();
            switch (cursor.peek()) {
            case '\0':
            case '#':
            case ';':
                return true;
            case '[':
                cursor.take();
                return openKey(cursor);
            case '@':
            case '"':
                return readValue(cursor);
            default:
                return false;
            }
        }

        // A hex value still waiting for its next line was cut short.
        bool finished() const { return !m_hexContinues; }

        std::vector<RegistryKey> takeKeys() { return std::move(m_keys); }

    private:
        static constexpr std::size_t kNoKey = std::size_t(-1);

        bool openKey(Cursor& cursor)
        {
            QString path;
            if (!cursor.readEscaped(']', &path))
                return false;
            // What follows the name is the key's time of change, which nothing here needs.
            m_inKey = true;
            m_key = kNoKey;
            if (!m_wanted(path))
                return true;
            const auto same = std::find_if(m_keys.begin(), m_keys.end(),
                [&](const RegistryKey& key) { return key.path.compare(path, Qt::CaseInsensitive) == 0; });
            m_key = std::size_t(same - m_keys.begin());
            if (same == m_keys.end())
                m_keys.push_back(RegistryKey { path, {} });
            return true;
        }

        bool readValue(Cursor& cursor)
        {
            if (!m_inKey)
                return false;
            const bool keep = m_key != kNoKey;
            QString name;
            if (cursor.take() == '"' && !cursor.readEscaped('"', keep ? &name : nullptr))
                return false;
            cursor.skipBlanks();
            if (!cursor.skip("="))
                return false;
            cursor.skipBlanks();
            return readData(cursor, keep ? &name : nullptr);
        }

        // name is null for the values of a key that is not wanted.
        bool readData(Cursor& cursor, const QString* name)
        {
            if (cursor.skip("\"") || cursor.skip("str:\""))
                return readString(cursor, name);
            if (cursor.skip("str(2):\"") || cursor.skip("str(7):\""))
                return cursor.readEscaped('"', nullptr);
            if (cursor.skip("dword:")) {
                const QByteArrayView digits = trimmedRight(cursor.rest());
                return !digits.isEmpty()
                    && std::all_of(digits.begin(), digits.end(), [](char c) { return hexDigit(c) >= 0; });
            }
            if (cursor.skip("hex:") || (cursor.skip("hex(") && skipTypeNumber(cursor)))
                return readHexLine(cursor.rest());
            return false;
        }

        static bool skipTypeNumber(Cursor& cursor)
        {
            if (hexDigit(cursor.peek()) < 0)
                return false;
            while (hexDigit(cursor.peek()) >= 0)
                cursor.take();
            return cursor.skip("):");
        }

        bool readString(Cursor& cursor, const QString* name)
        {
            QString text;
            if (!cursor.readEscaped('"', name ? &text : nullptr))
                return false;
            if (name)
                store(*name, std::move(text));
            return true;
        }

        bool readHexLine(QByteArrayView line)
        {
            const std::optional<bool> continues = hexBytesContinue(line);
            m_hexContinues = continues.value_or(false);
            return continues.has_value();
        }

        void store(const QString& name, QString text)
        {
            auto& strings = m_keys[m_key].strings;
            const auto same = std::find_if(strings.begin(), strings.end(),
                [&](const auto& entry) { return entry.first.compare(name, Qt::CaseInsensitive) == 0; });
            if (same != strings.end())
                same->second = std::move(text);
            else
                strings.emplace_back(name, std::move(text));
        }

        const RegistryKeyFilter& m_wanted;
        std::vector<RegistryKey> m_keys;
        std::size_t m_key = kNoKey; // the wanted key whose values are being read
        bool m_inKey = false;
        bool m_hexContinues = false;
    };

    bool isSevenBitText(QByteArrayView bytes)
    {
        return std::none_of(bytes.begin(), bytes.end(),
            [](char c) { return c == '\0' || static_cast<unsigned char>(c) >= 0x80; });
    }

    QByteArrayView withoutLineEnd(QByteArrayView line)
    {
        return line.endsWith('\r') ? line.chopped(1) : line;
    }

}

std::optional<QString> RegistryKey::string(QStringView name) const
{
    for (const auto& [valueName, text] : strings) {
        if (QStringView(valueName).compare(name, Qt::CaseInsensitive) == 0)
            return text;
    }
    return std::nullopt;
}

std::optional<std::vector<RegistryKey>> readWineRegistry(
    QByteArrayView bytes, const RegistryKeyFilter& wanted)
{
    if (!isSevenBitText(bytes))
        return std::nullopt;
    Reader reader(wanted);
    bool firstLine = true;
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        const QByteArrayView line = withoutLineEnd(bytes.sliced(start, end - start));
        start = end + 1;
        const bool sound = firstLine ? line == kFirstLine : reader.readLine(line);
        if (!sound)
            return std::nullopt;
        firstLine = false;
    }
    if (firstLine || !reader.finished())
        return std::nullopt;
    return reader.takeKeys();
}

std::optional<std::vector<RegistryKey>> readWineRegistryFile(
    const QString& path, const RegistryKeyFilter& wanted)
{
    // Only a plain file: opening a named pipe would wait for a writer that never comes.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestWineRegistryFile)
        return std::nullopt;
    const QByteArray bytes = file.read(kLargestWineRegistryFile + 1);
    if (bytes.size() > kLargestWineRegistryFile || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return readWineRegistry(bytes, wanted);
}

}
