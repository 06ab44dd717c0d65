#include "launch/WineLocale.h"

#ifndef Q_OS_WIN

#include <langinfo.h>
#include <locale.h>

namespace tavorin {
namespace {

    // What LC_ALL stands for besides LC_CTYPE, in the C library's own set of categories.
    const QByteArrayList OtherCategories
        = { "LC_NUMERIC", "LC_TIME", "LC_COLLATE", "LC_MONETARY", "LC_MESSAGES", "LC_PAPER", "LC_NAME",
              "LC_ADDRESS", "LC_TELEPHONE", "LC_MEASUREMENT", "LC_IDENTIFICATION" };

    // language[_territory][.charset][@modifier] with UTF-8 as its character set, first with the
    // modifier (sr_RS@latin is sr_RS.UTF-8@latin), then without (de_DE@euro has only de_DE.UTF-8).
    QByteArrayList utf8FormsOf(const QByteArray& name)
    {
        if (name.isEmpty() || name == "C" || name == "POSIX" || name.contains('/'))
            return {};
        const QByteArrayList parts = name.split('@');
        const QByteArray base = parts.first().split('.').first() + ".UTF-8";
        if (parts.size() > 1)
            return { base + '@' + parts.at(1), base };
        return { base };
    }

} // namespace

EnvironmentChanges utf8LocaleForWine(
    const LocaleVariables& session, const std::function<bool(const QByteArray& name)>& isInstalledUtf8)
{
    const QByteArray& inherited = !session.lcAll.isEmpty() ? session.lcAll
        : !session.lcCtype.isEmpty()                       ? session.lcCtype
                                                           : session.lang;
    if (!inherited.isEmpty() && isInstalledUtf8(inherited))
        return {};
    QByteArray utf8 = QByteArrayLiteral("C.UTF-8");
    for (const QByteArray& form : utf8FormsOf(inherited)) {
        if (isInstalledUtf8(form)) {
            utf8 = form;
            break;
        }
    }
    EnvironmentChanges changes { { "LC_CTYPE", utf8 } };
    // LC_ALL would override LC_CTYPE: it goes, and every other category keeps its value by name.
    if (!session.lcAll.isEmpty()) {
        changes.append({ "LC_ALL", QByteArray() });
        for (const QByteArray& category : OtherCategories)
            changes.append({ category, session.lcAll });
    }
    return changes;
}

LocaleVariables sessionLocaleVariables()
{
    return { qgetenv("LC_ALL"), qgetenv("LC_CTYPE"), qgetenv("LANG") };
}

bool isInstalledUtf8Locale(const QByteArray& name)
{
    const locale_t locale = newlocale(LC_CTYPE_MASK, name.constData(), locale_t(0));
    if (!locale)
        return false;
    const bool utf8 = qstrcmp(nl_langinfo_l(CODESET, locale), "UTF-8") == 0;
    freelocale(locale);
    return utf8;
}

} // namespace tavorin

#endif
