// A stand-in automation client for the tests: asks Zarn.Application for an
// object (the bus starts the program when needed) and holds it.
// Prints "object PATH SERVER PID"; then reads commands from standard input:
// "call" calls a method on the object and prints the error name, "release"
// releases the object and prints "released". Leaves when input ends.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QSocketNotifier>
#include <QTextStream>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

const QString kService = QStringLiteral("Zarn.Application");
const QString kFactoryPath = QStringLiteral("/Zarn/Application");
const QString kFactoryInterface = QStringLiteral("Zarn.Application.Factory");

void Say(const QString& line) {
    std::cout << line.toStdString() << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        Say(QStringLiteral("error no-bus"));
        return 2;
    }
    QDBusMessage create = QDBusMessage::createMethodCall(kService, kFactoryPath, kFactoryInterface,
                                                         QStringLiteral("CreateObject"));
    QDBusMessage reply = bus.call(create, QDBus::Block, 30000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        Say(QStringLiteral("error ") + reply.errorName());
        return 1;
    }
    const QString path = qvariant_cast<QDBusObjectPath>(reply.arguments().first()).path();
    const QString server = reply.service();
    const uint pid = bus.interface()->servicePid(server).value();
    Say(QStringLiteral("object %1 %2 %3").arg(path, server).arg(pid));

    std::string command;
    while (std::getline(std::cin, command)) {
        if (command == "call") {
            QDBusMessage call = QDBusMessage::createMethodCall(
                server, path, QStringLiteral("Zarn.Application.Object"), QStringLiteral("Show"));
            Say(bus.call(call, QDBus::Block, 10000).errorName());
        } else if (command == "release") {
            QDBusMessage release = QDBusMessage::createMethodCall(
                server, kFactoryPath, kFactoryInterface, QStringLiteral("ReleaseObject"));
            release << QVariant::fromValue(QDBusObjectPath(path));
            QDBusMessage done = bus.call(release, QDBus::Block, 10000);
            Say(done.type() == QDBusMessage::ReplyMessage
                    ? QStringLiteral("released")
                    : QStringLiteral("error ") + done.errorName());
        }
    }
    return 0;
}
