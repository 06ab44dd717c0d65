// Feeds arbitrary bytes to the Wine registry reader, and reads back a registry file written from
// the same bytes the way Wine writes one.
#include "setup/WineRegistry.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cassert>
#include <cctype>
#include <cstdint>

using namespace tavorin;

namespace {

bool wanted(QStringView path)
{
    return path.startsWith(u"wanted", Qt::CaseInsensitive);
}

// Whatever the bytes, only keys asked for come back, and whether the file is refused does not
// depend on which keys were asked for.
void checkAnyBytes(const QByteArray& bytes)
{
    const auto some = readWineRegistry(bytes, wanted);
    const auto none = readWineRegistry(bytes, [](QStringView) { return false; });
    assert(some.has_value() == none.has_value());
    assert(!none || none->empty());
    assert(!some
        || std::all_of(some->begin(), some->end(), [](const RegistryKey& k) { return wanted(k.path); }));
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

// Short texts drawn from the fuzzer's bytes: mostly ASCII, where the escapes are, now and then
// any UTF-16 unit.
struct Source
{
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos = 0;

    bool atEnd() const { return pos >= size; }
    char16_t byte() { return atEnd() ? 0 : data[pos++]; }
    QString text()
    {
        QString text;
        for (int length = byte() % 12; length > 0 && !atEnd(); --length) {
            const char16_t unit = byte();
            text.append(QChar(unit % 4 == 0 ? char16_t(unit | byte() << 8) : unit));
        }
        return text;
    }
};

template <typename Entries, typename NameOf>
auto sameName(Entries& entries, const QString& name, NameOf nameOf)
{
    return std::find_if(entries.begin(), entries.end(),
        [&](const auto& entry) { return nameOf(entry).compare(name, Qt::CaseInsensitive) == 0; });
}

void checkWrittenFile(const std::uint8_t* data, std::size_t size)
{
    Source source { data, size };
    QByteArray file
        = "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n";
    std::vector<RegistryKey> keys; // what the reader must give back
    RegistryKey* key = nullptr; // the wanted key being written
    bool inKey = false;
    while (!source.atEnd()) {
        const int step = source.byte() % 4;
        if (step == 0 || !inKey) {
            // A part of a key's name cannot hold a backslash.
            const QString path
                = QString(source.byte() % 2 ? "Wanted\\" : "Other\\") + source.text().replace('\\', '/');
            file += "\n[" + escaped(path, "[]") + "] 1796586031\n#time=1d9b2c3d4e5f607\n";
            inKey = true;
            key = nullptr;
            if (wanted(path)) {
                auto same = sameName(keys, path, [](const RegistryKey& k) { return k.path; });
                key = same != keys.end() ? &*same : &keys.emplace_back(RegistryKey { path, {} });
            }
        } else if (step == 3) {
            file += "\"d\"=dword:00000005\n\"m\"=hex(7):61,00,\\\n  00,00\n\"e\"=str(2):\"%PATH%\"\n";
        } else {
            const QString name = source.text();
            const QString text = source.text();
            file += (name.isEmpty() ? QByteArray("@") : '"' + escaped(name, "\"") + '"') + "=\""
                + escaped(text, "\"") + "\"\n";
            if (!key)
                continue;
            auto same = sameName(key->strings, name, [](const auto& entry) { return entry.first; });
            if (same != key->strings.end())
                same->second = text;
            else
                key->strings.emplace_back(name, text);
        }
    }
    const auto read = readWineRegistry(file, wanted);
    assert(read.has_value() && read->size() == keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        assert(read->at(i).path == keys[i].path && read->at(i).strings == keys[i].strings);
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
