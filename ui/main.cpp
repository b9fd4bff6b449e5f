// The desktop program.
#include <QCoreApplication>
#include <cstdio>

#include "ui/commandline.h"
#include "ui/zarnapp.h"

int main(int argc, char** argv) {
    {
        // --help and --version answer without a display: a plain core
        // application reads the command line before the window system is asked.
        // A usage error is final only without a window system: otherwise the
        // unknown options may be Qt's own, which QApplication takes out.
        QCoreApplication probe(argc, argv);
        const QStringList arguments = QCoreApplication::arguments();
        const StartCommand command = ReadStartCommand(arguments);
        if (command.exit && (command.exitCode == 0 || !WindowSystemNamed(arguments))) {
            std::fputs(command.text.toLocal8Bit().constData(),
                       command.exitCode == 0 ? stdout : stderr);
            return command.exitCode;
        }
    }
    CZarnApp app(argc, argv);
    return app.Run();
}
