// Saves a picture of the real main dialog, as the user sees it when it opens, to the given PNG.
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "tagger_app.h"
#include "tagger_dlg.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zelivar-tagger-screenshot OUT.png\n");
        return 2;
    }
    QApplication app(argc, argv);
    g_theApp.InitApplication("zelivar-tagger");
    CTaggerDlg dlg;
    bool bSaved = false;
    QTimer::singleShot(200, &dlg, [&] {
        bSaved = dlg.grab().save(QString::fromLocal8Bit(argv[1]), "PNG");
        dlg.reject();
    });
    dlg.DoModal();
    if (!bSaved) {
        std::fprintf(stderr, "zelivar-tagger-screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
