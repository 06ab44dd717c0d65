#pragma once

#include <QString>

namespace tavorin {

// The match setup as the value labels and the resolution box hold it, all as plain text.
struct MatchValues
{
    QString windowed; // Label10: "windowed=1" or empty
    QString homeTeam; // Label7
    QString homeKit; // Label11
    QString awayKit; // Label14
    QString awayTeam; // Label8
    QString stadium; // Label9
    QString resolution; // Combo5 text
    QString audio; // Label15: "1" or "0"
};

// The game's own line. Values go in as they stand: an empty one leaves its bare key, one with
// blanks reaches the game as several words.
QString GameCommandLine(const MatchValues& values);

// The scene program's line: only these four values follow the setup, the rest is fixed.
QString SceneCommandLine(
    const QString& homeKit, const QString& homeTeam, const QString& windowed, const QString& resolution);

} // namespace tavorin
