#include "controls/PropertyBag.h"

namespace tavorin {

Picture PropertyBag::ReadProperty(const QString& name, const Picture& defaultValue) const
{
    return m_values.value(keyOf(name), defaultValue);
}

void PropertyBag::WriteProperty(const QString& name, const Picture& value, const Picture& defaultValue)
{
    if (value == defaultValue)
        m_values.remove(keyOf(name));
    else
        m_values.insert(keyOf(name), value);
}

bool PropertyBag::contains(const QString& name) const
{
    return m_values.contains(keyOf(name));
}

QString PropertyBag::keyOf(const QString& name)
{
    return name.toCaseFolded();
}

} // namespace tavorin
