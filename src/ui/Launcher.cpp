#include "ui/Launcher.h"

#include "launch/Platform.h"
#include "setup/AppInfo.h"
#include "setup/OptionsStore.h"
#include "ui/Accessibility.h"
#include "ui/Branding.h"
#include "ui/CloseOnSignals.h"
#include "ui/Dialogs.h"
#include "ui/Form1.h"

#include <QApplication>
#include <QDesktopServices>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

namespace tavorin {

int runLauncher(int argc, char** argv, const std::function<void(Form1&)>& whenShown)
{
    // A dock matches the window to the menu entries by these ids (StartupWMClass), whatever the
    // launcher's file is called: the Wayland app_id and the class half of X11's WM_CLASS.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(branding::kProductName));
    QCoreApplication::setApplicationName(QString::fromLatin1(branding::kProductName));
    // No application display name: X11 would append it to the window's caption.
    QApplication app(argc, argv);
    installAccessibleInterfaces();
    MessageBoxDialogs dialogs;
    auto form = std::unique_ptr<Form1>();
    SettingsStore store([&](const QString& message) { dialogs.warning(form.get(), message); });

    FormServices services;
    services.store = &store;
    services.dialogs = &dialogs;
    services.programFolder = appPath();
    services.platform = makeHostPlatform(services.programFolder);
    services.end = [](int exitCode) {
        std::fflush(nullptr);
        std::_Exit(exitCode);
    };
    services.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    form = std::make_unique<Form1>(std::move(services));
    form->Form_Load();
    // A launcher opens in the middle of the screen, where the eye expects it.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        form->move(screen->availableGeometry().center() - form->rect().center());
    form->show();
    closeOnTerminationSignals(form.get());
    if (whenShown)
        whenShown(*form);
    const int exitCode = app.exec();
    form.reset();
    return exitCode;
}

} // namespace tavorin
