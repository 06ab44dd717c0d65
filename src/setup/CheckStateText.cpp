#include "setup/CheckStateText.h"

#include "setup/NumberText.h"

#include <QByteArray>

namespace tavorin {

std::optional<short> checkStateFromText(QStringView text)
{
    const QByteArray bytes = text.toUtf8();
    const auto value = parseDecimal(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (!value)
        return std::nullopt;
    const auto state = roundHalfEven(*value, 0, 2);
    if (!state)
        return std::nullopt;
    return static_cast<short>(*state);
}

}
