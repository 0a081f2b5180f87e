#include "app/splash_window.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>

namespace ondrix {

CSplashWindow::CSplashWindow() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("SplashWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);
    qApp->installEventFilter(this);
}

CSplashWindow::~CSplashWindow() {
    qApp->removeEventFilter(this);
}

void CSplashWindow::ShowFor(int ms) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    QTimer::singleShot(ms, this, &QWidget::close);
}

void CSplashWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QSvgRenderer picture(QStringLiteral(":/icons/splash.svg"));
    picture.render(&painter, rect());
}

bool CSplashWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        QTimer::singleShot(0, this, &QWidget::close);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ondrix
