// Feeds arbitrary bytes to the catalogue reader and checks what must hold for any file.
#include "setup/Catalogue.h"

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <cstdlib>

using namespace tavorin;

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

bool sameRead(const CatalogueRead& a, const CatalogueRead& b)
{
    if (a.entries != b.entries || a.problem.has_value() != b.problem.has_value())
        return false;
    return !a.problem || (a.problem->line == b.problem->line && a.problem->message == b.problem->message);
}

struct Shape
{
    qsizetype delimiters = 0; // commas and line breaks: no more fields than this plus one
    qsizetype lines = 1;
    bool ascii = true;
    bool quotes = false;
    bool carriageReturns = false;
};

Shape shapeOf(const QByteArray& bytes)
{
    Shape shape;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        const bool lineBreak = c == '\n' || (c == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'));
        shape.delimiters += lineBreak || c == ',';
        shape.lines += lineBreak;
        shape.ascii = shape.ascii && static_cast<unsigned char>(c) < 0x80;
        shape.quotes = shape.quotes || c == '"';
        shape.carriageReturns = shape.carriageReturns || c == '\r';
    }
    return shape;
}

// Writes the input's lines as quoted names (quotes dropped, which quoted names cannot hold),
// each with a number, one record per line.
struct Written
{
    QByteArray file;
    QList<QByteArray> names;
    std::vector<qint32> numbers;
};

Written writtenCatalogue(const QByteArray& bytes)
{
    Written written;
    for (QByteArray name : bytes.split('\n')) {
        name.replace('"', QByteArray());
        const auto number = static_cast<qint32>(std::uint32_t(written.names.size()) * 2654435761u);
        written.file += '"' + name + "\",\t" + QByteArray::number(number) + "\r\n";
        written.names.append(name);
        written.numbers.push_back(number);
    }
    return written;
}

// Every record comes back; under a byte order mark each name reads as UTF-8 on its own.
void checkWrittenRecords(const QByteArray& bytes)
{
    const Written written = writtenCatalogue(bytes);
    const CatalogueRead read = readCatalogue("\xEF\xBB\xBF" + written.file);
    require(!read.problem);
    require(read.entries.size() == written.numbers.size());
    for (std::size_t i = 0; i < read.entries.size(); ++i) {
        require(read.entries[i].number == written.numbers[i]);
        require(read.entries[i].name == QString::fromUtf8(written.names[qsizetype(i)]));
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const CatalogueRead read = readCatalogue(bytes);
    const Shape shape = shapeOf(bytes);

    require(qsizetype(read.entries.size()) * 2 <= shape.delimiters + 1);
    if (read.problem) {
        require(read.problem->line >= 1 && read.problem->line <= shape.lines);
        require(!read.problem->message.isEmpty());
    }
    require(sameRead(readCatalogue(bytes), read));

    // A byte order mark changes nothing for a file that is plain ASCII anyway.
    if (shape.ascii && !bytes.startsWith("\xEF\xBB\xBF"))
        require(sameRead(readCatalogue("\xEF\xBB\xBF" + bytes), read));

    // Without quotes no field can hold a line break, so LF and CR LF files read alike.
    if (!shape.quotes && !shape.carriageReturns) {
        QByteArray crlf = bytes;
        require(sameRead(readCatalogue(crlf.replace("\n", "\r\n")), read));
    }
    checkWrittenRecords(bytes);
    return 0;
}
