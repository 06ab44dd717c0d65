#pragma once

#include <QString>

class QWidget;

namespace tavorin {

// The window's message boxes, behind a seam so tests can answer them.
// Boxes carry no title of their own: the application's name stands on them.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual void information(QWidget* parent, const QString& text) = 0;
    virtual void warning(QWidget* parent, const QString& text) = 0;
    virtual void critical(QWidget* parent, const QString& text) = 0;
};

class MessageBoxDialogs final : public Dialogs
{
public:
    void information(QWidget* parent, const QString& text) override;
    void warning(QWidget* parent, const QString& text) override;
    void critical(QWidget* parent, const QString& text) override;
};

} // namespace tavorin
