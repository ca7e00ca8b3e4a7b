#include "platform/helpwindow.h"

#include <QAction>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

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
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
}

QPoint HelpWindow::place(const QRect& main, const QSize& help, const QRect& screen)
{
    QPoint at;
    if (screen.right() - main.right() >= help.width())
        at = QPoint(main.right() + 1, main.top());
    else if (main.left() - screen.left() >= help.width())
        at = QPoint(main.left() - help.width(), main.top());
    else
        at = QPoint(main.right() + 1 - help.width(),
                    main.top() + (main.height() - help.height()) / 2);
    // Inside the screen; a window larger than the screen keeps its top left corner on it.
    at.setX(std::max(screen.left(), std::min(at.x(), screen.right() + 1 - help.width())));
    at.setY(std::max(screen.top(), std::min(at.y(), screen.bottom() + 1 - help.height())));
    return at;
}

HelpWindow* HelpWindow::showPage(QWidget* parent, const QUrl& page)
{
    QPointer<HelpWindow>& window = theWindow();
    if (!window) {
        QWidget* main = parent ? parent->window() : nullptr;
        window = new HelpWindow(main);
        if (main && main->isVisible()) {
            // The new window's frame is not there before it shows: the main window's tells
            // how much the desktop adds.
            const QSize frame = main->frameGeometry().size() - main->geometry().size();
            window->move(place(main->frameGeometry(), window->size() + frame,
                               main->screen()->availableGeometry()));
        }
    }
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
