#pragma once

namespace tavorin {

class Platform;
struct MatchValues;

// Starts the game straight into the match the values describe. Saves nothing and does not wait;
// a game that cannot be started throws RuntimeError.
void LaunchMatch(Platform& platform, const MatchValues& values);

} // namespace tavorin
