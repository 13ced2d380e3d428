// Claims the program folder given as its argument and says how it went:
// "first" (then it runs, printing "activated" for every later start, until
// killed), "running" or "silent". Used by tst_singleinstance.
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    SingleInstance instance(QString::fromLocal8Bit(argv[1]));
    const auto say = [](const char* text) {
        std::printf("%s\n", text);
        std::fflush(stdout);
    };
    switch (instance.claim()) {
    case SingleInstance::Claim::Running:
        say("running");
        return 0;
    case SingleInstance::Claim::Silent:
        say("silent");
        return 0;
    case SingleInstance::Claim::First:
        break;
    }
    QObject::connect(&instance, &SingleInstance::activationRequested, [&] { say("activated"); });
    say("first");
    return app.exec();
}
