// Feeds arbitrary bytes to the Wine registry reader, and reads back a registry file written from
// the same bytes the way Wine writes one.
#include "setup/WineRegistry.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cassert>
#include <cctype>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

using namespace tavorin;

namespace {

bool wanted(QStringView path)
{
    return path.startsWith(u"wanted", Qt::CaseInsensitive);
}

// Whether the file is refused does not depend on which keys were asked for: the values of other
// keys must be as sound as those of the wanted ones.
void checkAnyBytes(const QByteArray& bytes)
{
    const auto none = readWineRegistry(bytes, [](QStringView) { return false; });
    assert(readWineRegistry(bytes, wanted).has_value() == none.has_value() && (!none || none->empty()));
}

// Text escaped as Wine's writer escapes it, with a backslash before each of the special characters.
QByteArray escaped(const QString& text, QByteArrayView special)
{
    static const char letters[] = ".......abtnvfr.............e....";
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char16_t next = i + 1 < text.size() ? text[i + 1].unicode() : u'\0';
        const bool hexFollows = next < 128 && std::isxdigit(next);
        if (c > 127)
            out += "\\x" + QByteArray::number(uint(c), 16).rightJustified(hexFollows ? 4 : 0, '0');
        else if (c < 32 && letters[c] != '.')
            out += QByteArray("\\") + letters[c];
        else if (c < 32)
            out += '\\'
                + QByteArray::number(uint(c), 8).rightJustified(next >= '0' && next <= '7' ? 3 : 0, '0');
        else
            out += (c == '\\' || special.contains(char(c)) ? "\\" : "") + QByteArray(1, char(c));
    }
    return out;
}

// Short texts, mostly single bytes, where the escapes are, now and then any UTF-16 unit.
QString textFrom(FuzzedDataProvider& source)
{
    QString text;
    for (int piece = 0; piece < 4 && source.ConsumeBool(); ++piece) {
        if (source.ConsumeBool())
            text += QChar(source.ConsumeIntegral<char16_t>());
        else
            text += QString::fromLatin1(source.ConsumeRandomLengthString(6));
    }
    return text;
}

// Keys and values are numbered, so no two names are alike in any case and each comes back as
// written; names that differ only in case are left to the reader's unit tests.
void checkWrittenFile(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider source(data, size);
    QByteArray file
        = "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n";
    std::vector<RegistryKey> keys; // the wanted keys, as the reader must give them back
    int names = 0;
    bool inKey = false;
    bool inWantedKey = false;
    while (source.remaining_bytes() > 0) {
        const int step = source.ConsumeIntegralInRange(0, 3);
        const QString name = QString::number(++names) + ':' + textFrom(source);
        if (step == 0 || !inKey) {
            // A part of a key's name cannot hold a backslash.
            const QString path
                = (source.ConsumeBool() ? "Wanted\\" : "Other\\") + QString(name).replace('\\', '/');
            file += "\n[" + escaped(path, "[]") + "] 1796586031\n#time=1d9b2c3d4e5f607\n";
            inKey = true;
            inWantedKey = wanted(path);
            if (inWantedKey)
                keys.push_back({ path, {} });
        } else if (step == 3) {
            file += "\"d\"=dword:00000005\n\"m\"=hex(7):61,00,\\\n  00,00\n\"e\"=str(2):\"%PATH%\"\n";
        } else {
            const QString text = textFrom(source);
            file += '"' + escaped(name, "\"") + "\"=\"" + escaped(text, "\"") + "\"\n";
            if (inWantedKey)
                keys.back().strings.emplace_back(name, text);
        }
    }
    const auto read = readWineRegistry(file, wanted);
    assert(read
        && std::equal(read->begin(), read->end(), keys.begin(), keys.end(),
            [](const RegistryKey& a, const RegistryKey& b) {
                return a.path == b.path && a.strings == b.strings;
            }));
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
