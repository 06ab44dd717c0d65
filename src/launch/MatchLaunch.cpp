#include "launch/MatchLaunch.h"

#include "launch/CommandLines.h"
#include "launch/Platform.h"
#include "launch/RuntimeError.h"

namespace tavorin {

void LaunchMatch(Platform& platform, const MatchValues& values)
{
    try {
        platform.Shell(GameCommandLine(values), MinimizedFocus);
    } catch (RuntimeError& error) {
        error.setStep(QStringLiteral("starting the game"));
        throw;
    }
}

} // namespace tavorin
