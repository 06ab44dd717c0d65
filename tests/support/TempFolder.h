#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <stdexcept>

// A scratch folder for one test, removed with the object.
class TempFolder final
{
public:
    TempFolder()
    {
        if (!m_dir.isValid())
            throw std::runtime_error("cannot create a temporary folder");
    }

    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const { return m_dir.filePath(relative); }
    bool exists(const QString& relative) const { return QFileInfo::exists(file(relative)); }

    // Writes bytes to a file below the folder, creating parent folders.
    QString write(const QString& relative, const QByteArray& bytes) const
    {
        const QString target = file(relative);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            throw std::runtime_error("cannot write " + target.toStdString());
        return target;
    }

    QByteArray read(const QString& relative) const
    {
        QFile in(file(relative));
        if (!in.open(QIODevice::ReadOnly))
            throw std::runtime_error("cannot read " + in.fileName().toStdString());
        return in.readAll();
    }

private:
    QTemporaryDir m_dir;
};
