#pragma once

#include <QtGlobal>

#ifndef Q_OS_WIN

#include <QByteArray>
#include <QList>
#include <functional>
#include <utility>

namespace tavorin {

// The locale variables of a session. An empty value counts as unset, as the C library counts it.
struct LocaleVariables
{
    QByteArray lcAll;
    QByteArray lcCtype;
    QByteArray lang;
};

// Variables to set in a child's environment; a null value removes the variable.
using EnvironmentChanges = QList<std::pair<QByteArray, QByteArray>>;

// Wine reads a program's words in the character set of the locale it inherits, and takes the
// ANSI code page from that locale's language and region. So a Windows program gets the
// session's locale with UTF-8 as its character set (ru_RU.KOI8-R becomes ru_RU.UTF-8), or
// C.UTF-8 where no UTF-8 form of it is installed; every other category stays as it was.
// Nothing changes when the session's character set already is UTF-8.
EnvironmentChanges utf8LocaleForWine(
    const LocaleVariables& session, const std::function<bool(const QByteArray& name)>& isInstalledUtf8);

LocaleVariables sessionLocaleVariables();

// True when the C library can load name (looked up along LOCPATH too) and its character set is UTF-8.
bool isInstalledUtf8Locale(const QByteArray& name);

} // namespace tavorin

#endif
