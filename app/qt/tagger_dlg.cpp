#include "tagger_dlg.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <exception>

#include "../../platform/file_exception.h"
#include "../../tagger/tagging.h"
#include "../dialog_template.h"
#include "../icon_origin.h"
#include "resources.h"
#include "tagger_app.h"

namespace {

constexpr const char* kTextFailedCommand = "Ошибка: ";
constexpr char kLatinAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

QString FromUtf8(std::string_view str) {
    return QString::fromUtf8(str.data(), static_cast<qsizetype>(str.size()));
}

QRect ToQRect(const CDialogRect& rect) { return QRect(rect.x, rect.y, rect.cx, rect.cy); }

// The template's face is a Windows font; here the platform's sans in the template's size
// stands in for it.
QFont TemplateFont(const CDialogTemplate& dlgTemplate) {
    QFont font(QStringLiteral("Sans Serif"), dlgTemplate.nFontPoints);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace

CTaggerDlg::CTaggerDlg(QWidget* pParent)
    : QDialog(
          pParent,
          // A window of its own with a taskbar entry, a caption and a close box only.
          Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_hIcon(LoadAppIcon(IDR_MAINFRAME)) {
    CreateControls();
}

void CTaggerDlg::CreateControls() {
    const CDialogTemplate& dlgTemplate = MainDialogTemplate();
    setObjectName(QStringLiteral("IDD_MAIN_DIALOG"));
    setWindowTitle(FromUtf8(dlgTemplate.strCaption));
    setFont(TemplateFont(dlgTemplate));
    const QFontMetrics metrics(font());
    const CBaseUnits units =
        DialogBaseUnits(metrics.horizontalAdvance(QLatin1String(kLatinAlphabet)), metrics.height());
    setFixedSize(ToQRect(DialogUnitsToPixels(dlgTemplate.rect, units)).size());

    // Created in template order, so the focus chain is the tab order.
    for (const CControlTemplate& control : dlgTemplate.controls) {
        const QRect rect = ToQRect(DialogUnitsToPixels(control.rect, units));
        switch (control.eKind) {
            case EControlKind::defPushButton:
            case EControlKind::pushButton: {
                auto* pButton = new QPushButton(FromUtf8(control.strText), this);
                pButton->setObjectName(QStringLiteral("control%1").arg(control.nId));
                pButton->setAutoDefault(true);
                pButton->setDefault(control.eKind == EControlKind::defPushButton);
                pButton->setGeometry(rect);
                const int nId = control.nId;
                connect(pButton, &QPushButton::clicked, this, [this, nId] { OnCommand(nId); });
                break;
            }
            case EControlKind::bitmapStatic: {
                // A bitmap static takes the size of its bitmap.
                auto* pPicture = new QLabel(this);
                const QPixmap bitmap = LoadBitmap(control.nImageId);
                pPicture->setPixmap(bitmap);
                pPicture->setGeometry(QRect(rect.topLeft(), bitmap.size()));
                break;
            }
            case EControlKind::textStatic: {
                auto* pText = new QLabel(FromUtf8(control.strText), this);
                pText->setWordWrap(true);
                pText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                pText->setGeometry(rect);
                break;
            }
        }
    }
}

QAbstractButton* CTaggerDlg::Button(int nId) const {
    return findChild<QAbstractButton*>(QStringLiteral("control%1").arg(nId));
}

int CTaggerDlg::DoModal() {
    OnInitDialog();
    CentreOnPrimaryScreen();
    return exec() == QDialog::Accepted ? kIdOk : kIdCancel;
}

void CTaggerDlg::CentreOnPrimaryScreen() {
    const QScreen* pScreen = QGuiApplication::primaryScreen();
    if (pScreen == nullptr) {
        return;
    }
    // The client area is what is centred: the frame's size is the window manager's and unknown
    // until the window is shown.
    QRect rect(QPoint(), size());
    rect.moveCenter(pScreen->availableGeometry().center());
    setGeometry(rect);
}

void CTaggerDlg::DoDataExchange() {}

bool CTaggerDlg::OnInitDialog() {
    DoDataExchange();
    setWindowIcon(m_hIcon);
    // The first tab stop takes the focus, so Enter at once starts a run.
    if (QAbstractButton* pFirst = Button(kIdOk)) {
        pFirst->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

void CTaggerDlg::OnCommand(int nId) {
    try {
        if (nId == kIdOk) {
            OnOK();
        } else if (nId == kIdCancel) {
            OnCancel();
        }
    } catch (const CFileException& e) {
        g_theApp.DoMessageBox(DescribeFileException(e), QMessageBox::Critical);
    } catch (const std::exception& e) {
        // Nothing may unwind through the toolkit's event loop; any other failure is reported
        // the same way.
        g_theApp.DoMessageBox(kTextFailedCommand + std::string(e.what()), QMessageBox::Critical);
    }
}

void CTaggerDlg::accept() { OnCommand(kIdOk); }

void CTaggerDlg::reject() { OnCommand(kIdCancel); }

void CTaggerDlg::OnOK() {
    // The dialog stays open for further runs.
    TagArchive();
}

void CTaggerDlg::OnCancel() { QDialog::reject(); }

void CTaggerDlg::paintEvent(QPaintEvent* pEvent) { OnPaint(pEvent); }

void CTaggerDlg::OnPaint(QPaintEvent* pEvent) {
    if (!isMinimized()) {
        QDialog::paintEvent(pEvent);
        return;
    }
    QPainter dc(this);
    dc.fillRect(rect(), palette().window());
    const int nIcon = style()->pixelMetric(QStyle::PM_LargeIconSize, nullptr, this);
    const CIconOrigin origin = MinimizedIconOrigin(width(), height(), nIcon, nIcon);
    m_hIcon.paint(&dc, QRect(origin.x, origin.y, nIcon, nIcon));
}

void CTaggerDlg::keyPressEvent(QKeyEvent* pEvent) {
    if (pEvent->key() == Qt::Key_F1) {
        // F1 alone asks for help; with Shift, Ctrl or Alt it does nothing.
        if ((pEvent->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) ==
            0) {
            g_theApp.OnHelp();
        }
        pEvent->accept();
        return;
    }
    QDialog::keyPressEvent(pEvent);
}
