#include "ui/Dialogs.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace tavorin {

namespace {
    void show(QWidget* parent, QMessageBox::Icon icon, const QString& text)
    {
        QMessageBox box(icon, QCoreApplication::applicationName(), text, QMessageBox::Ok, parent);
        box.exec();
    }
}

void MessageBoxDialogs::information(QWidget* parent, const QString& text)
{
    show(parent, QMessageBox::Information, text);
}

void MessageBoxDialogs::warning(QWidget* parent, const QString& text)
{
    show(parent, QMessageBox::Warning, text);
}

void MessageBoxDialogs::critical(QWidget* parent, const QString& text)
{
    show(parent, QMessageBox::Critical, text);
}

} // namespace tavorin
