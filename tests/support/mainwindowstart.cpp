#include "mainwindowstart.h"

#include "common/appstate.h"
#include "platform/printerqt.h"
#include "platform/settings.h"
#include "privatescheduler.h"
#include "shell/form1.h"

namespace privatecups {

std::unique_ptr<shell::Form1> startMainWindow(PrivateScheduler& scheduler, const QString& queue,
                                              bool storedA3)
{
    common::appState() = common::AppState{};
    platform::SaveSetting(QStringLiteral("Dizur"), QStringLiteral("Startup"),
                          QStringLiteral("PaperType"),
                          storedA3 ? QStringLiteral("True") : QStringLiteral("False"));
    if (const QString made = scheduler.makeDefault(queue); !made.isEmpty())
        qWarning("%s", qPrintable(made));
    platform::setPrinter(std::make_unique<platform::QtPrinter>());
    auto form = std::make_unique<shell::Form1>();
    form->load();
    return form;
}

} // namespace privatecups
