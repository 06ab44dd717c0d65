#include "launch/CommandLines.h"

namespace tavorin {

QString GameCommandLine(const MatchValues& values)
{
    return QStringLiteral("fifa2005.exe -skip_fe=1 ") + values.windowed + QStringLiteral(" home_team=")
        + values.homeTeam + QStringLiteral(" HOME_TEAM_KIT=") + values.homeKit
        + QStringLiteral(" AWAY_TEAM_KIT=") + values.awayKit + QStringLiteral(" away_team=") + values.awayTeam
        + QStringLiteral(" STADIUM_MODEL=") + values.stadium + QStringLiteral(" resolution=")
        + values.resolution + QStringLiteral(" audio=") + values.audio;
}

QString SceneCommandLine(
    const QString& homeKit, const QString& homeTeam, const QString& windowed, const QString& resolution)
{
    return QStringLiteral("TVR2005.exe -windowed=1 skip_fe HOME_TEAM_KIT=") + homeKit
        + QStringLiteral(" AWAY_TEAM_KIT=1 home_team=") + homeTeam
        + QStringLiteral(" away_team=47 STADIUM_MODEL=92 ") + windowed + QLatin1Char(' ')
        + QStringLiteral("audio=0 resolution=") + resolution;
}

} // namespace tavorin
