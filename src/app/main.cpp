// The editor: one instance per user; a second start hands its command line to the first.
#include "app/command_line.h"
#include "app/main_frame.h"
#include "app/ondrix_app.h"
#include "app/single_instance.h"

#include <QApplication>
#include <QDir>
#include <QStringList>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QStringList words = QCoreApplication::arguments();
    words.removeFirst();
    const QString commandLine = ondrix::AbsoluteCommandLine(words.join(QLatin1Char(' ')), QDir::current());
    ondrix::AppOptions options;
    options.instanceName = ondrix::CSingleInstance::DefaultName();
    ondrix::COndrixApp app(options);
    if (!app.InitInstance(commandLine)) {
        return 0;
    }
    QObject::connect(app.GetMainFrame(), &ondrix::CMainFrame::frameClosed, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
