#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace tavorin {

// A failed file or process operation, reported with the classic error number and text so the
// user sees the same words whatever the host is. The window shows message() once and ends.
struct RuntimeError final : std::exception
{
    static constexpr int FileNotFound = 53;
    static constexpr int PermissionDenied = 70;
    static constexpr int PathFileAccessError = 75;
    static constexpr int PathNotFound = 76;

    // The text follows from the number; step says in plain words what the run was doing.
    RuntimeError(int number, QString step, QString file);

    static QString textFor(int number);

    QString message() const;
    const char* what() const noexcept override { return m_what.constData(); }

    // Lets a caller that knows more about the purpose of an operation rename the step.
    void setStep(const QString& step);

    int number;
    QString text;
    QString step;
    QString file;

private:
    QByteArray m_what;
};

} // namespace tavorin
