#include "dialogs/about_box.h"

#include <QDialog>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "core/program_version.h"
#include "dialogs/dialog_window.h"
#include "platform/keyboard_handover.h"
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

// The box's icon, stored with it: a microphone between sound waves, one character a pixel, a hex digit
// naming one of the 16 standard colours and '.' a transparent pixel.
// clang-format off
constexpr const char* kIconRows[32] = {
    "................................",
    ".....66..................66.....",
    ".....6....................6.....",
    "....6...e....000000....e...6....",
    "...66..e....00787700....e..66...",
    "...6..ee...0788788780...ee..6...",
    "...6..e...087ff7887880...e..6...",
    "...6..e..0077f787787700..e..6...",
    "..66.ee..08878878878870..ee.66..",
    "..66.ee..08878878878870..ee.66..",
    "..66.ee..07787787787780..ee.66..",
    "..66.ee..08878878878870..ee.66..",
    "...6..e..00878878878800..e..6...",
    "...6..e...078778778770...e..6...",
    "...6..ee...0788788780...ee..6...",
    "...66..e....00878800....e..66...",
    "....6...e..0000000000..e...6....",
    ".....6.....0444444440.....6.....",
    ".....66....0cccccccc0....66.....",
    "...........0000000000...........",
    "............07888880............",
    "............07888880............",
    "............07888880............",
    "............07888880............",
    ".............078880.............",
    ".............078880.............",
    ".............078880.............",
    ".............078880.............",
    "..............0780..............",
    "..............0780..............",
    "..............0000..............",
    "................................",
};
// clang-format on

constexpr QRgb kIconColours[16] = {
    0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
    0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff,
};

}  // namespace

QImage about_icon() {
    QImage icon(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const char c = kIconRows[y][x];
            const int index = c >= 'a' ? c - 'a' + 10 : c - '0';
            icon.setPixel(x, y, c == '.' ? qRgba(0, 0, 0, 0) : kIconColours[index]);
        }
    }
    return icon;
}

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
    // Shown, it takes the keyboard (Enter and Escape are its own); closed, the
    // window behind takes it back.
    hand_over_keyboard(box, owner);

    auto* picIcon = place<QLabel>(box, "picIcon", 240, 240, 540, 540);
    picIcon->setPixmap(QPixmap::fromImage(about_icon()));
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
