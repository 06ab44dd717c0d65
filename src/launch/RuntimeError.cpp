#include "launch/RuntimeError.h"

#include <utility>

namespace tavorin {

RuntimeError::RuntimeError(int number, QString step, QString file)
    : number(number)
    , text(textFor(number))
    , step(std::move(step))
    , file(std::move(file))
    , m_what(message().toUtf8())
{
}

QString RuntimeError::textFor(int number)
{
    switch (number) {
    case FileNotFound:
        return QStringLiteral("File not found");
    case PermissionDenied:
        return QStringLiteral("Permission denied");
    case PathNotFound:
        return QStringLiteral("Path not found");
    default:
        return QStringLiteral("Path/File access error");
    }
}

QString RuntimeError::message() const
{
    return QStringLiteral("Run-time error %1: %2 while %3 (file \"%4\").").arg(number).arg(text, step, file);
}

void RuntimeError::setStep(const QString& newStep)
{
    step = newStep;
    m_what = message().toUtf8();
}

} // namespace tavorin
