// Feeds arbitrary bytes to the Wine registry reader, and reads back a registry file written from
// the same bytes the way Wine writes one.
#include "setup/WineRegistry.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>

using namespace tavorin;

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

bool wanted(QStringView path)
{
    return path.startsWith(u"wanted", Qt::CaseInsensitive);
}

// Whatever the bytes, the reader refuses them or keeps only keys it was asked for, and whether
// it refuses them does not depend on which keys it was asked for.
void checkAnyBytes(const QByteArray& bytes)
{
    const auto some = readWineRegistry(bytes, wanted);
    const auto none = readWineRegistry(bytes, [](QStringView) { return false; });
    require(some.has_value() == none.has_value());
    if (!some)
        return;
    require(none->empty());
    for (const RegistryKey& key : *some)
        require(wanted(key.path));
}

bool isHexDigit(char16_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Text escaped as Wine's registry writer escapes it, with backslashes before the given characters.
QByteArray escaped(const QString& text, QByteArrayView special)
{
    static const char escapes[] = ".......abtnvfr.............e....";
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char16_t next = i + 1 < text.size() ? text[i + 1].unicode() : u'\0';
        if (c > 127) {
            const bool digitFollows = i + 1 < text.size() && next < 128 && isHexDigit(next);
            out += "\\x" + QByteArray::number(uint(c), 16).rightJustified(digitFollows ? 4 : 0, '0');
        } else if (c < 32 && escapes[c] != '.') {
            out += '\\';
            out += escapes[c];
        } else if (c < 32) {
            const bool digitFollows = i + 1 < text.size() && next >= '0' && next <= '7';
            out += '\\' + QByteArray::number(uint(c), 8).rightJustified(digitFollows ? 3 : 0, '0');
        } else {
            if (c == '\\' || special.contains(char(c)))
                out += '\\';
            out += char(c);
        }
    }
    return out;
}

// Draws short texts of UTF-16 units from the fuzzer's bytes.
class Source final
{
public:
    Source(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    bool atEnd() const { return m_pos >= m_size; }
    std::uint8_t byte() { return atEnd() ? 0 : m_data[m_pos++]; }
    // Mostly ASCII, where the escapes are, and now and then any UTF-16 unit.
    QString text()
    {
        QString text;
        for (int length = byte() % 12; length > 0 && !atEnd(); --length) {
            char16_t unit = byte();
            if (unit % 4 == 0)
                unit |= char16_t(byte() << 8);
            text.append(QChar(unit));
        }
        return text;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// A file as Wine writes one, with the keys and string values a reader must give back.
struct Written
{
    QByteArray file
        = "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n"
          "\n#arch=win64\n";
    std::vector<RegistryKey> keys;
    bool inKey = false;
    std::optional<std::size_t> key; // the wanted key whose values are being written
};

void writeKey(Written& written, Source& source)
{
    // A part of a key's name cannot hold a backslash.
    const QString part = source.text().replace(u'\\', u'/');
    const QString path = (source.byte() % 2 ? QStringLiteral("Wanted\\") : QStringLiteral("Other\\")) + part;
    written.file += "\n[" + escaped(path, "[]") + "] 1796586031\n#time=1d9b2c3d4e5f607\n";
    written.inKey = true;
    written.key.reset();
    if (!wanted(path))
        return;
    const auto same = std::find_if(written.keys.begin(), written.keys.end(),
        [&](const RegistryKey& key) { return key.path.compare(path, Qt::CaseInsensitive) == 0; });
    written.key = std::size_t(same - written.keys.begin());
    if (same == written.keys.end())
        written.keys.push_back(RegistryKey { path, {} });
}

void writeString(Written& written, Source& source)
{
    const QString name = source.text();
    const QString text = source.text();
    written.file += (name.isEmpty() ? QByteArray("@") : '"' + escaped(name, "\"") + '"') + "=\""
        + escaped(text, "\"") + "\"\n";
    if (!written.key)
        return;
    auto& strings = written.keys[*written.key].strings;
    const auto same = std::find_if(strings.begin(), strings.end(),
        [&](const auto& entry) { return entry.first.compare(name, Qt::CaseInsensitive) == 0; });
    if (same != strings.end())
        same->second = text;
    else
        strings.emplace_back(name, text);
}

// Values of other kinds, which the reader passes over.
void writeOther(Written& written, Source& source)
{
    const QByteArray name = '"' + escaped(source.text(), "\"") + "\"=";
    switch (source.byte() % 4) {
    case 0:
        written.file += name + "dword:" + QByteArray::number(source.byte(), 16).rightJustified(8, '0') + '\n';
        break;
    case 1:
        written.file += name
            + "hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\n"
              "  17,18\n";
        break;
    case 2:
        written.file += name + "str(2):\"" + escaped(source.text(), "\"") + "\"\n";
        break;
    default:
        written.file += name + "hex(7):61,00,00,00,\\\n  00,00\n";
        break;
    }
}

void checkWrittenFile(const std::uint8_t* data, std::size_t size)
{
    Source source(data, size);
    Written written;
    while (!source.atEnd()) {
        const std::uint8_t step = source.byte() % 4;
        if (step == 0 || !written.inKey)
            writeKey(written, source);
        else if (step == 1 || step == 2)
            writeString(written, source);
        else
            writeOther(written, source);
    }
    const auto read = readWineRegistry(written.file, wanted);
    require(read.has_value());
    require(read->size() == written.keys.size());
    for (std::size_t i = 0; i < read->size(); ++i) {
        require(read->at(i).path == written.keys[i].path);
        require(read->at(i).strings == written.keys[i].strings);
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    checkAnyBytes(bytes);
    checkAnyBytes("WINE REGISTRY Version 2\n" + bytes);
    checkWrittenFile(data, size);
    return 0;
}
