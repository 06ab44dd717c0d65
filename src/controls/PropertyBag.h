#pragma once

#include "controls/Picture.h"

#include <QHash>
#include <QString>

namespace tavorin {

// The stored properties a container keeps for one control. Names compare without regard to case, so
// "picturehover" written by the window's layout is found as "PictureHover".
class PropertyBag final
{
public:
    Picture ReadProperty(const QString& name, const Picture& defaultValue) const;
    // A value equal to its default is not stored, and drops what was stored under that name before, so
    // reading it back gives the default again.
    void WriteProperty(const QString& name, const Picture& value, const Picture& defaultValue);
    bool contains(const QString& name) const;

private:
    static QString keyOf(const QString& name);

    QHash<QString, Picture> m_values;
};

} // namespace tavorin
