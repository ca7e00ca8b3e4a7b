#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

// The program's help: Japanese pages shipped inside the program, shown in one help window.
// The contents page plays the part of the help-topics window; a help context number opens
// the page written for that window of the program.
namespace platform {

class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    // Help contexts of the program's windows.
    enum Context {
        MainWindowContext = 30,
        PostCodeImportContext = 11,
    };

    // Shows the help window (one for the run, made on first use) on the contents page, or
    // on the page of `context` (the contents page for a context that has none), raised
    // above `parent`'s window. A window made anew is placed by place(). Escape closes it.
    // Returns the window.
    static HelpWindow* showContents(QWidget* parent);
    static HelpWindow* showContext(QWidget* parent, int context);

    // Where a help window of outer size `help` goes for a main window whose outer frame is
    // `main`, on a screen whose free area is `screen`: beside the main window, on its right
    // or else its left, level with its top, where the screen has room; else over the main
    // window's right part, halfway down it, clear of its menu bar. Always inside `screen`.
    static QPoint place(const QRect& main, const QSize& help, const QRect& screen);

    // The address of the contents page and of a context's page.
    static QUrl contentsPage();
    static QUrl pageForContext(int context);

    // The page shown now, and its text.
    QUrl currentPage() const;
    QTextBrowser* browser() const { return m_browser; }

private:
    explicit HelpWindow(QWidget* parent);
    static HelpWindow* showPage(QWidget* parent, const QUrl& page);

    QTextBrowser* m_browser = nullptr;
};

} // namespace platform
