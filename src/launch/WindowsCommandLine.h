#pragma once

#include <QStringList>
#include <QStringView>

namespace tavorin {

// Splits a command line into words the way a Windows program's C runtime builds argv: blanks
// and tabs separate words, double quotes group, and backslashes only matter in front of a quote
// (2n of them give n and the quote toggles grouping, 2n+1 give n and a literal quote). Inside a
// group, two quotes in a row give one literal quote. Every word, the first included, follows
// these rules; the lines this program composes never quote their program name.
QStringList splitWindowsCommandLine(QStringView line);

} // namespace tavorin
