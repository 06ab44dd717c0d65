// Feeds arbitrary bytes to the catalogue reader and checks what must hold for any file.
#include "setup/Catalogue.h"

#include <QByteArray>
#include <QList>
#include <cassert>
#include <cstdint>

using namespace tavorin;

namespace {

bool sameRead(const CatalogueRead& a, const CatalogueRead& b)
{
    if (a.entries != b.entries || a.problem.has_value() != b.problem.has_value())
        return false;
    return !a.problem || (a.problem->line == b.problem->line && a.problem->message == b.problem->message);
}

// Writes the input's lines as quoted names (quotes dropped, which quoted names cannot hold), each
// with a number, one record per line: every record comes back, and under a byte order mark each
// name reads as UTF-8 on its own.
void checkWrittenRecords(const QByteArray& bytes)
{
    QByteArray file = "\xEF\xBB\xBF";
    std::vector<CatalogueEntry> written;
    for (QByteArray name : bytes.split('\n')) {
        name.replace('"', QByteArray());
        const auto number = static_cast<qint32>(std::uint32_t(written.size()) * 2654435761u);
        file += '"' + name + "\",\t" + QByteArray::number(number) + "\r\n";
        written.push_back({ QString::fromUtf8(name), number });
    }
    const CatalogueRead read = readCatalogue(file);
    assert(!read.problem && read.entries == written);
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const CatalogueRead read = readCatalogue(bytes);
    // Lines end at LF, CR LF or a lone CR; fields end there or at a comma.
    const qsizetype lineBreaks = bytes.count('\n') + bytes.count('\r') - bytes.count("\r\n");
    assert(qsizetype(read.entries.size()) * 2 <= lineBreaks + bytes.count(',') + 1);
    if (read.problem) {
        assert(read.problem->line >= 1 && read.problem->line <= lineBreaks + 1);
        assert(!read.problem->message.isEmpty());
    }
    // Without quotes no field can hold a line break, so LF, CR LF and lone CR files read alike.
    if (!bytes.contains('"') && !bytes.contains('\r'))
        for (const char* lineEnd : { "\r\n", "\r" })
            assert(sameRead(readCatalogue(QByteArray(bytes).replace("\n", lineEnd)), read));
    checkWrittenRecords(bytes);
    return 0;
}
