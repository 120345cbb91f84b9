// The real main dialog on the offscreen platform, over real temporary archives.
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <functional>

#include "../../app/dialog_template.h"
#include "../../app/qt/help_launcher.h"
#include "../../app/qt/resources.h"
#include "../../app/qt/tagger_app.h"
#include "../../app/qt/tagger_dlg.h"
#include "../../platform/message.h"
#include "../../tagger/tagging.h"
#include "../support/archive.h"
#include "box_watcher.h"

namespace {

constexpr char kTrack[] = "01 - Ночь.mp3";
constexpr char kAlbum[] = "Ночной город";

QString Q(std::string_view str) {
    return QString::fromUtf8(str.data(), static_cast<qsizetype>(str.size()));
}

QPushButton* ButtonOf(const CTaggerDlg& dlg, int nId) {
    return dlg.findChild<QPushButton*>(QStringLiteral("control%1").arg(nId));
}

// Runs the dialog modally, as the program does, with the scenario played inside its loop. A
// scenario that leaves the dialog open has it ended, so a failing test cannot hang.
int RunModal(CTaggerDlg& dlg, const std::function<void()>& scenario) {
    QTimer::singleShot(0, &dlg, [&] {
        scenario();
        if (dlg.isVisible()) dlg.done(QDialog::Rejected);
    });
    return dlg.DoModal();
}

std::string TaggedTrack(const std::string& strOriginal, const std::string& strEntry) {
    return Tagged(strOriginal, SongTitle(TrackTitle(strEntry)));
}

std::uint32_t Le(const QByteArray& bytes, int nAt, int nSize) {
    std::uint32_t nValue = 0;
    for (int i = nSize - 1; i >= 0; --i) nValue = nValue << 8 | static_cast<quint8>(bytes[nAt + i]);
    return nValue;
}

}  // namespace

class CAppShellTest : public QObject {
    Q_OBJECT

private slots:
    void cancelEndsTheDialogAtOnce_data();
    void cancelEndsTheDialogAtOnce();
    void initInstanceRunsTheDialogAndGivesFalse();
    void okCommandTagsAndLeavesTheDialogOpen_data();
    void okCommandTagsAndLeavesTheDialogOpen();
    void fileExceptionGivesCriticalBoxAndDialogStaysUsable();
    void f1AsksTheHelpLauncher_data();
    void f1AsksTheHelpLauncher();
    void failingHelpLauncherGivesItsBox();
    void layoutFollowsTheTemplate();
    void embeddedIconAndPictureHaveTheirFormats();
    void captionIsTheExecutablesName_data();
    void captionIsTheExecutablesName();
    void childReportsTitleAndHelpPath();
};

void CAppShellTest::cancelEndsTheDialogAtOnce_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("Esc") << "esc";
    QTest::newRow("click on Выход") << "click";
    QTest::newRow("Enter on Выход") << "tab-enter";
    QTest::newRow("Space on Выход") << "tab-space";
    QTest::newRow("close box") << "close";
}

void CAppShellTest::cancelEndsTheDialogAtOnce() {
    QFETCH(QString, action);
    CTempArchive archive;
    archive.MakeDir(kAlbum);
    archive.WriteFile(std::string(kAlbum) + "/" + kTrack, TrackBytes(300));
    CBoxWatcher watcher;
    CTaggerDlg dlg;
    QString strFocusAtOpen;
    QRect geometry;
    bool bModal = false;
    const int nResult = RunModal(dlg, [&] {
        bModal = QApplication::activeModalWidget() == &dlg;
        geometry = dlg.geometry();
        if (QWidget* pFocus = dlg.focusWidget())
            strFocusAtOpen = pFocus->property("text").toString();
        if (action == "esc") QTest::keyClick(dlg.focusWidget(), Qt::Key_Escape);
        if (action == "click") QTest::mouseClick(ButtonOf(dlg, kIdCancel), Qt::LeftButton);
        if (action.startsWith("tab-")) {
            QTest::keyClick(dlg.focusWidget(), Qt::Key_Tab);
            QTest::keyClick(dlg.focusWidget(),
                            action == "tab-enter" ? Qt::Key_Return : Qt::Key_Space);
        }
        if (action == "close") dlg.close();
    });
    QVERIFY(bModal);
    QCOMPARE(strFocusAtOpen, QStringLiteral("Прописать таги"));
    QCOMPARE(geometry.center(), QGuiApplication::primaryScreen()->availableGeometry().center());
    QCOMPARE(nResult, kIdCancel);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(watcher.m_boxes.size(), 0u);
    QCOMPARE(archive.ReadFile(std::string(kAlbum) + "/" + kTrack), TrackBytes(300));
}

void CAppShellTest::initInstanceRunsTheDialogAndGivesFalse() {
    QWidget* pSeen = nullptr;
    QWidget* pMainWnd = nullptr;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] {
        auto* pDlg = qobject_cast<CTaggerDlg*>(QApplication::activeModalWidget());
        if (pDlg == nullptr) return;
        timer.stop();
        pSeen = pDlg;
        pMainWnd = g_theApp.m_pMainWnd;
        QTest::keyClick(pDlg->focusWidget(), Qt::Key_Escape);
    });
    timer.start(10);
    QVERIFY(!g_theApp.InitInstance());
    QVERIFY(pSeen != nullptr);
    QCOMPARE(pMainWnd, pSeen);
    QCOMPARE(g_theApp.m_pMainWnd, nullptr);
    for (QWidget* pWidget : QApplication::topLevelWidgets()) {
        QVERIFY(qobject_cast<CTaggerDlg*>(pWidget) == nullptr);
    }
}

void CAppShellTest::okCommandTagsAndLeavesTheDialogOpen_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
    QTest::newRow("click") << 0 << 0;
}

void CAppShellTest::okCommandTagsAndLeavesTheDialogOpen() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    CTempArchive archive;
    archive.MakeDir(kAlbum);
    const std::string strFirst = std::string(kAlbum) + "/" + kTrack;
    const std::string strSecond = std::string(kAlbum) + "/02 - Фонари.mp3";
    archive.WriteFile(strFirst, TrackBytes(300));
    CTaggerDlg dlg;
    g_theApp.m_pMainWnd = &dlg;
    CBoxWatcher watcher;
    std::string strFirstAfterRun;
    bool bOpenAfterFirst = false;
    bool bOpenAfterSecond = false;
    RunModal(dlg, [&] {
        auto press = [&] {
            if (key == 0) {
                QTest::mouseClick(ButtonOf(dlg, kIdOk), Qt::LeftButton);
            } else {
                QTest::keyClick(dlg.focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            }
        };
        press();
        strFirstAfterRun = archive.ReadFile(strFirst);
        bOpenAfterFirst = dlg.isVisible();
        // A track added after the first run shows that the second press runs again.
        archive.WriteFile(strSecond, TrackBytes(200));
        press();
        bOpenAfterSecond = dlg.isVisible();
    });
    g_theApp.m_pMainWnd = nullptr;
    QVERIFY(bOpenAfterFirst);
    QVERIFY(bOpenAfterSecond);
    QCOMPARE(strFirstAfterRun, TaggedTrack(TrackBytes(300), kTrack));
    QCOMPARE(archive.ReadFile(strFirst), strFirstAfterRun);
    QCOMPARE(archive.ReadFile(strSecond), TaggedTrack(TrackBytes(200), "02 - Фонари.mp3"));
    QCOMPARE(watcher.m_boxes.size(), 2u);
    for (const CSeenBox& box : watcher.m_boxes) {
        QCOMPARE(box.strCaption, Q(g_theApp.Title()));
        QCOMPARE(box.strText, Q(kTextTagsWritten));
        QCOMPARE(box.eIcon, QMessageBox::Warning);
        QCOMPARE(box.nButtons, 1);
        QCOMPARE(box.pOwner.data(), &dlg);
    }
}

void CAppShellTest::fileExceptionGivesCriticalBoxAndDialogStaysUsable() {
    CTempArchive archive;
    archive.MakeDir(kAlbum);
    const std::string strShort = std::string(kAlbum) + "/" + kTrack;
    archive.WriteFile(strShort, TrackBytes(10));
    CTaggerDlg dlg;
    g_theApp.m_pMainWnd = &dlg;
    CBoxWatcher watcher;
    std::size_t nBoxesAfterFailure = 0;
    bool bOpenAfterFailure = false;
    RunModal(dlg, [&] {
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
        nBoxesAfterFailure = watcher.m_boxes.size();
        bOpenAfterFailure = dlg.isVisible();
        // Still usable: the focus is where it was, and the next run works.
        archive.WriteFile(strShort, TrackBytes(300));
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
    });
    g_theApp.m_pMainWnd = nullptr;
    QVERIFY(bOpenAfterFailure);
    QCOMPARE(nBoxesAfterFailure, 1u);
    QCOMPARE(watcher.m_boxes.size(), 2u);
    const CSeenBox& failure = watcher.m_boxes[0];
    QCOMPARE(failure.eIcon, QMessageBox::Critical);
    QCOMPARE(failure.strCaption, Q(g_theApp.Title()));
    QCOMPARE(failure.pOwner.data(), &dlg);
    QCOMPARE(failure.nButtons, 1);
    QVERIFY2(failure.strText.contains(Q(kTrack)), qPrintable(failure.strText));
    QCOMPARE(watcher.m_boxes[1].strText, Q(kTextTagsWritten));
    QCOMPARE(archive.ReadFile(strShort), TaggedTrack(TrackBytes(300), kTrack));
}

void CAppShellTest::f1AsksTheHelpLauncher_data() {
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("asked");
    QTest::newRow("F1") << int(Qt::NoModifier) << true;
    QTest::newRow("Shift+F1") << int(Qt::ShiftModifier) << false;
    QTest::newRow("Ctrl+F1") << int(Qt::ControlModifier) << false;
    QTest::newRow("Alt+F1") << int(Qt::AltModifier) << false;
}

void CAppShellTest::f1AsksTheHelpLauncher() {
    QFETCH(int, modifiers);
    QFETCH(bool, asked);
    std::vector<std::pair<std::string, unsigned>> requests;
    const HelpLauncher previous =
        SetHelpLauncher([&](const std::string& strFile, unsigned nContext) {
            requests.emplace_back(strFile, nContext);
            return true;
        });
    CTaggerDlg dlg;
    CBoxWatcher watcher;
    RunModal(dlg, [&] {
        QTest::keyClick(dlg.focusWidget(), Qt::Key_F1, Qt::KeyboardModifiers(modifiers));
    });
    SetHelpLauncher(previous);
    QCOMPARE(watcher.m_boxes.size(), 0u);
    QCOMPARE(requests.size(), asked ? 1u : 0u);
    if (asked) {
        const QString strExe = QCoreApplication::applicationFilePath();
        QCOMPARE(Q(requests[0].first), strExe + ".HLP");
        QCOMPARE(requests[0].second, 131174u);
    }
}

void CAppShellTest::failingHelpLauncherGivesItsBox() {
    const HelpLauncher previous =
        SetHelpLauncher([](const std::string&, unsigned) { return false; });
    CTaggerDlg dlg;
    g_theApp.m_pMainWnd = &dlg;
    CBoxWatcher watcher;
    bool bOpenAfter = false;
    QString strFocusAfter;
    RunModal(dlg, [&] {
        QTest::keyClick(dlg.focusWidget(), Qt::Key_F1);
        bOpenAfter = dlg.isVisible();
        if (QWidget* pFocus = dlg.focusWidget())
            strFocusAfter = pFocus->property("text").toString();
    });
    g_theApp.m_pMainWnd = nullptr;
    SetHelpLauncher(previous);
    QVERIFY(bOpenAfter);
    QCOMPARE(strFocusAfter, QStringLiteral("Прописать таги"));
    QCOMPARE(watcher.m_boxes.size(), 1u);
    QCOMPARE(watcher.m_boxes[0].strText, QStringLiteral("Failed to launch help."));
    QCOMPARE(watcher.m_boxes[0].eIcon, QMessageBox::Warning);
    QCOMPARE(watcher.m_boxes[0].pOwner.data(), &dlg);
}

void CAppShellTest::layoutFollowsTheTemplate() {
    const CDialogTemplate& dlgTemplate = MainDialogTemplate();
    CTaggerDlg dlg;
    // Without a font that has Cyrillic glyphs every text would show as boxes.
    const QFontMetrics metrics(dlg.font());
    for (QChar c : QStringLiteral("ПрописатьтагиВыходСкопируйте")) QVERIFY(metrics.inFont(c));
    QCOMPARE(dlg.font().pointSize(), dlgTemplate.nFontPoints);

    const CBaseUnits units =
        DialogBaseUnits(metrics.horizontalAdvance(
                            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
                        metrics.height());
    const CDialogRect size = DialogUnitsToPixels(dlgTemplate.rect, units);
    QCOMPARE(dlg.minimumSize(), QSize(size.cx, size.cy));
    QCOMPARE(dlg.maximumSize(), QSize(size.cx, size.cy));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("ID3 Editor 4 Zelivar Trombuxiya"));
    const Qt::WindowFlags flags = dlg.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));

    // The children come in template order, which is the tab order.
    const QList<QWidget*> children = dlg.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(children.size(), qsizetype(dlgTemplate.controls.size()));
    for (std::size_t i = 0; i < dlgTemplate.controls.size(); ++i) {
        const CControlTemplate& control = dlgTemplate.controls[i];
        QWidget* pWidget = children[qsizetype(i)];
        const CDialogRect rect = DialogUnitsToPixels(control.rect, units);
        QCOMPARE(pWidget->pos(), QPoint(rect.x, rect.y));
        const bool bButton = control.eKind == EControlKind::defPushButton ||
                             control.eKind == EControlKind::pushButton;
        QCOMPARE(pWidget->focusPolicy() != Qt::NoFocus, bButton);
        if (bButton) {
            auto* pButton = qobject_cast<QPushButton*>(pWidget);
            QVERIFY(pButton != nullptr);
            QCOMPARE(pButton->text(), Q(control.strText));
            QCOMPARE(pButton->isDefault(), control.eKind == EControlKind::defPushButton);
            QCOMPARE(pWidget->size(), QSize(rect.cx, rect.cy));
        } else if (control.eKind == EControlKind::bitmapStatic) {
            QCOMPARE(pWidget->size(), QSize(183, 74));
        } else {
            auto* pLabel = qobject_cast<QLabel*>(pWidget);
            QVERIFY(pLabel != nullptr && pLabel->wordWrap());
            QCOMPARE(pLabel->text(), Q(control.strText));
            QCOMPARE(pWidget->size(), QSize(rect.cx, rect.cy));
        }
    }
    QCOMPARE(children[0]->nextInFocusChain(), children[1]);
}

void CAppShellTest::embeddedIconAndPictureHaveTheirFormats() {
    QFile icon(ResourcePath("icon", IDR_MAINFRAME));
    LoadAppIcon(IDR_MAINFRAME);  // registers the resources
    QVERIFY(icon.open(QIODevice::ReadOnly));
    const QByteArray ico = icon.readAll();
    QCOMPARE(Le(ico, 2, 2), 1u);  // an icon file
    QCOMPARE(Le(ico, 4, 2), 3u);
    const int expected[3][2] = {{32, 4}, {16, 4}, {16, 8}};
    for (int i = 0; i < 3; ++i) {
        const int nEntry = 6 + 16 * i;
        const int nImage = int(Le(ico, nEntry + 12, 4));
        QCOMPARE(int(Le(ico, nImage + 4, 4)), expected[i][0]);      // width
        QCOMPARE(int(Le(ico, nImage + 8, 4)), 2 * expected[i][0]);  // height with the mask
        QCOMPARE(int(Le(ico, nImage + 14, 2)), expected[i][1]);     // bits per pixel
        QCOMPARE(int(Le(ico, nImage + 16, 4)), 0);                  // uncompressed
    }
    const QList<QSize> sizes = LoadAppIcon(IDR_MAINFRAME).availableSizes();
    QVERIFY(sizes.contains(QSize(32, 32)) && sizes.contains(QSize(16, 16)));

    QFile bitmap(ResourcePath("bitmap", IDB_LOGO));
    QVERIFY(bitmap.open(QIODevice::ReadOnly));
    const QByteArray bmp = bitmap.readAll();
    QCOMPARE(bmp.left(2), QByteArray("BM"));
    QCOMPARE(Le(bmp, 18, 4), 183u);
    QCOMPARE(Le(bmp, 22, 4), 74u);
    QCOMPARE(Le(bmp, 28, 2), 8u);
    QCOMPARE(Le(bmp, 30, 4), 0u);
    QCOMPARE(Le(bmp, 46, 4), 256u);
    const QImage image = LoadBitmap(IDB_LOGO).toImage();
    QCOMPARE(image.size(), QSize(183, 74));

    CTaggerDlg dlg;
    QCOMPARE(dlg.OnQueryDragIcon().availableSizes(), sizes);
}

void CAppShellTest::captionIsTheExecutablesName_data() {
    QTest::addColumn<QString>("copy");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("help");
    QTest::newRow("x") << "x"
                       << "x"
                       << "x.HLP";
    QTest::newRow("x.exe") << "x.exe"
                           << "x"
                           << "x.HLP";
    QTest::newRow("dotted folder") << ".local/bin/zelivar-tagger"
                                   << "zelivar-tagger"
                                   << ".local/bin/zelivar-tagger.HLP";
}

// A copy of this very program under another name, asked what caption its boxes carry.
void CAppShellTest::captionIsTheExecutablesName() {
    QFETCH(QString, copy);
    QFETCH(QString, title);
    QFETCH(QString, help);
    QTemporaryDir dir;
    const QString strCopy = dir.filePath(copy);
    QVERIFY(QDir().mkpath(QFileInfo(strCopy).path()));
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), strCopy));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZT_CHILD", "1");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(env);
    child.start(strCopy, {"childReportsTitleAndHelpPath"});
    QVERIFY(child.waitForFinished(60000));
    const QString strOut = QString::fromUtf8(child.readAllStandardOutput());
    QVERIFY2(child.exitCode() == 0, qPrintable(strOut + child.readAllStandardError()));
    QVERIFY2(strOut.contains("caption=" + title + "\n"), qPrintable(strOut));
    QVERIFY2(strOut.contains("help=" + dir.filePath(help) + "\n"), qPrintable(strOut));
}

void CAppShellTest::childReportsTitleAndHelpPath() {
    if (qEnvironmentVariableIsEmpty("ZT_CHILD")) QSKIP("run only in a copy of the program");
    CBoxWatcher watcher;
    ShowMessage("probe");
    QCOMPARE(watcher.m_boxes.size(), 1u);
    std::printf("caption=%s\nhelp=%s\n", watcher.m_boxes[0].strCaption.toUtf8().constData(),
                g_theApp.HelpFilePath().c_str());
    std::fflush(stdout);
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    g_theApp.InitApplication(
        QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
    CAppShellTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "app_shell_test.moc"
