#include "dialogs/about_box.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "core/program_version.h"
#include "dialogs/dialog_window.h"
#include "platform/message_box.h"
#include "platform/twips.h"

namespace tuner {

namespace {

template <typename W>
W* place(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(twips_to_px(left), twips_to_px(top), twips_to_px(width), twips_to_px(height));
    return w;
}

}  // namespace

QString about_title() { return QStringLiteral("About ") + QString::fromLatin1(kProgramTitle); }

QString about_version_line() {
    return QStringLiteral("Software Vertion:  ") + QString::fromStdString(kProgramVersion.str());
}

QWidget* show_about_box(QWidget* owner) {
    auto* box = new QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box->setObjectName(QStringLiteral("About"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setFixedSize(twips_to_px(6750), twips_to_px(3390));
    delete_with_owner(box, owner);

    auto* picIcon = place<QLabel>(box, "picIcon", 240, 240, 540, 540);
    QIcon icon = owner ? owner->windowIcon() : QIcon();
    if (icon.isNull()) icon = QApplication::windowIcon();
    if (icon.isNull()) icon = box->style()->standardIcon(QStyle::SP_MessageBoxInformation);
    picIcon->setPixmap(icon.pixmap(32, 32));
    picIcon->setAlignment(Qt::AlignCenter);

    auto* lblTitle = place<QLabel>(box, "lblTitle", 1050, 240, 3885, 480);
    auto* lblVersion = place<QLabel>(box, "lblVersion", 1050, 780, 3885, 225);
    place<QLabel>(box, "Label_Cpu_Vertion", 1080, 1140, 3885, 300);
    place<QLabel>(box, "lblDescription", 1050, 3600, 3885, 300);  // below the client area, empty

    auto* cmdOK = place<QPushButton>(box, "cmdOK", 4410, 2310, 1080, 465);
    cmdOK->setText(QStringLiteral("OK"));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    // Enter presses the default button; Escape rejects the dialog: both close it.
    QObject::connect(cmdOK, &QPushButton::clicked, box, &QDialog::accept);

    // The load: title and version from the running program.
    box->setWindowTitle(about_title());
    QFont title_font = lblTitle->font();
    title_font.setPointSizeF(title_font.pointSizeF() * 1.5);
    title_font.setBold(true);
    lblTitle->setFont(title_font);
    lblTitle->setText(about_title());
    lblVersion->setText(about_version_line());

    box->show();
    centre_dialog(box, owner);
    cmdOK->setFocus();
    return box;
}

}  // namespace tuner
