#include "shell/frmstart.h"

#include "common/fontsubstitution.h"

#include "platform/messagebox.h"
#include "platform/screen.h"
#include "shell/form1.h"
#include "shell/viewlayout.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QStandardPaths>

namespace shell {

frmStart::frmStart(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmStart"));
    const double tx = platform::twipsPerPixelX();
    const double ty = platform::twipsPerPixelY();
    auto twips = [tx, ty](int left, int top, int width, int height) {
        return QRect(roundHalfEven(left / tx), roundHalfEven(top / ty), roundHalfEven(width / tx),
                     roundHalfEven(height / ty));
    };
    // Back colour &H00C0E0FF&.
    setFixedSize(twips(0, 0, 4185, 1290).size());
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xFF, 0xE0, 0xC0));
    setPalette(palette);
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(twips(120, 0, 3975, 1215));
    auto* label = new QLabel(QStringLiteral("Sarnet 意見書 を起動中．．．"), frame);
    label->setObjectName(QStringLiteral("Label1"));
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(11.25);
    label->setFont(font);
    QPalette text = label->palette();
    text.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x40));
    label->setPalette(text);
    label->setGeometry(twips(480, 480, 3375, 255));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

InstanceLock::InstanceLock()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/Dizur");
    QDir().mkpath(folder);
    m_lock = std::make_unique<QLockFile>(folder + QStringLiteral("/ruviro.lock"));
    m_lock->setStaleLockTime(0);
}

bool InstanceLock::acquire()
{
    return m_lock->isLocked() || m_lock->tryLock(0);
}

std::unique_ptr<Form1> startProgram(InstanceLock& lock)
{
    common::installFontSubstitutions();
    if (!lock.acquire() && platform::MsgBox(QStringLiteral("二重起動です。続けますか？"), 52,
                                            QStringLiteral("注意！")) != 6)
        return nullptr;

    auto splash = std::make_unique<frmStart>();
    splash->show();
    QApplication::processEvents();

    auto form = std::make_unique<Form1>();
    form->load();
    splash.reset();
    form->show();
    // The letter list (or the import offer) opens from here once it exists.
    return form;
}

} // namespace shell
