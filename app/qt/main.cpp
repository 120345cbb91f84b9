// The process entry: the toolkit, the paths derived from the executable, one InitInstance.
#include <QApplication>
#include <QFile>

#include "../../platform/process.h"
#include "tagger_app.h"
#include "version.h"

int main(int argc, char** argv) {
    PrepareProcess();
    // The program has no options, and the toolkit's own must not change it either: it sees the
    // program's name only.
    char szName[] = "zelivar-tagger";
    char* args[] = {argc > 0 ? argv[0] : szName, nullptr};
    int nArgs = 1;
    QApplication app(nArgs, args);
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zelivar.tagger"));
    g_theApp.InitApplication(
        QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
    g_theApp.InitInstance();
    return g_theApp.ExitInstance();
}
