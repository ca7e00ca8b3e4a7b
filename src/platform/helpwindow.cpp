#include "platform/helpwindow.h"

#include <QAction>
#include <QPointer>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

// The pages live in this library's resources, which a static library must register itself.
static void registerHelpPages()
{
    Q_INIT_RESOURCE(help);
}

namespace platform {

namespace {

QPointer<HelpWindow>& theWindow()
{
    static QPointer<HelpWindow> window;
    return window;
}

} // namespace

QUrl HelpWindow::contentsPage()
{
    return QUrl(QStringLiteral("qrc:/help/index.html"));
}

QUrl HelpWindow::pageForContext(int context)
{
    switch (context) {
    case MainWindowContext:
        return QUrl(QStringLiteral("qrc:/help/main.html"));
    case PostCodeImportContext:
        return QUrl(QStringLiteral("qrc:/help/import.html#postcode"));
    default:
        return contentsPage();
    }
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    registerHelpPages();
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Sarnet意見書 ヘルプ"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* tools = new QToolBar(this);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenExternalLinks(false);

    QAction* contents = tools->addAction(QStringLiteral("目次(&C)"));
    contents->setObjectName(QStringLiteral("helpContents"));
    connect(contents, &QAction::triggered, this, [this] { m_browser->setSource(contentsPage()); });
    QAction* back = tools->addAction(QStringLiteral("戻る(&B)"));
    back->setObjectName(QStringLiteral("helpBack"));
    back->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction* forward = tools->addAction(QStringLiteral("進む(&F)"));
    forward->setObjectName(QStringLiteral("helpForward"));
    forward->setEnabled(false);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(m_browser);
    resize(640, 560);
}

HelpWindow* HelpWindow::showPage(QWidget* parent, const QUrl& page)
{
    QPointer<HelpWindow>& window = theWindow();
    if (!window)
        window = new HelpWindow(parent ? parent->window() : nullptr);
    window->m_browser->setSource(page);
    window->QWidget::show();
    window->raise();
    window->activateWindow();
    return window;
}

HelpWindow* HelpWindow::showContents(QWidget* parent)
{
    return showPage(parent, contentsPage());
}

HelpWindow* HelpWindow::showContext(QWidget* parent, int context)
{
    return showPage(parent, pageForContext(context));
}

QUrl HelpWindow::currentPage() const
{
    return m_browser->source();
}

} // namespace platform
