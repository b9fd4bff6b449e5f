// The desktop program.
#include <QCoreApplication>
#include <cstdio>

#include "ui/commandline.h"
#include "ui/zarnapp.h"

int main(int argc, char** argv) {
    {
        // --help and --version answer without a display: a plain core
        // application reads the command line before the window system is asked.
        QCoreApplication probe(argc, argv);
        const StartCommand command = ReadStartCommand(QCoreApplication::arguments());
        if (command.exit && command.exitCode == 0) {
            std::fputs(command.text.toLocal8Bit().constData(), stdout);
            return 0;
        }
    }
    CZarnApp app(argc, argv);
    return app.Run();
}
