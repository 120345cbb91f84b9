#include "help_launcher.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>
#include <utility>

namespace {

// The desktop knows no help contexts; it opens the file as a whole.
bool OpenWithDesktop(const std::string& strHelpFile, unsigned /*nContext*/) {
    return QDesktopServices::openUrl(
        QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(strHelpFile))));
}

HelpLauncher g_helpLauncher;

}  // namespace

HelpLauncher SetHelpLauncher(HelpLauncher launcher) {
    return std::exchange(g_helpLauncher, std::move(launcher));
}

bool LaunchHelp(const std::string& strHelpFile, unsigned nContext) {
    return g_helpLauncher ? g_helpLauncher(strHelpFile, nContext)
                          : OpenWithDesktop(strHelpFile, nContext);
}
