#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

TempFolder::TempFolder()
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

QString TempFolder::write(const QString& relative, const QByteArray& bytes) const
{
    const QString target = file(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + target.toStdString());
    return target;
}

QByteArray TempFolder::read(const QString& relative) const
{
    QFile in(file(relative));
    if (!in.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + in.fileName().toStdString());
    return in.readAll();
}

bool TempFolder::exists(const QString& relative) const
{
    return QFileInfo::exists(file(relative));
}
