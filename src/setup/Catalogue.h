#pragma once

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace tavorin {

class ListCombo;

// One team or kit: the text shown in a list and the number handed to the game.
struct CatalogueEntry
{
    QString name;
    qint32 number = 0;

    friend bool operator==(const CatalogueEntry&, const CatalogueEntry&) = default;
};

struct CatalogueProblem
{
    int line = 0; // 1-based line where the failing field starts
    QString message;
};

struct CatalogueRead
{
    std::vector<CatalogueEntry> entries; // every record read before the first problem
    std::optional<CatalogueProblem> problem;
};

// Reads name and number pairs of delimited fields. Names are Windows-1252 unless the
// file has a UTF-8 byte order mark or is valid UTF-8 holding non-ASCII bytes.
CatalogueRead readCatalogue(QByteArrayView bytes);

using ProblemSink = std::function<void(const QString& message)>;

// Empties the list, makes the program folder current and fills the list from
// programFolder + fileName ("\teams.ini"). A file that cannot be opened or read to its
// end leaves the records read so far and sends one message naming file, line and problem.
void LoadCatalogue(
    ListCombo* list, const QString& fileName, const ProblemSink& reportProblem, const QString& programFolder);
void LoadCatalogue(ListCombo* list, const QString& fileName, const ProblemSink& reportProblem);

}
