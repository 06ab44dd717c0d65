#pragma once

// The maker's name, its web address and the credits line: the pictures show
// the same texts, so change them together with the artwork generator.
namespace tavorin::branding {
inline constexpr char kProductName[] = "Tavorin";
inline constexpr char kVersion[] = "1.0";
inline constexpr char kMakerName[] = "Kestrel Lane Software";
inline constexpr char kWebAddress[] = "https://kestrel-lane.example/";
inline constexpr char kWebAddressShown[] = "www.kestrel-lane.example";
inline constexpr char kCreditsLine[] = "Tavorin 2005 by Ilse Marwood for Kestrel Lane Software";
}
