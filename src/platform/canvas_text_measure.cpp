#include "platform/canvas_text_measure.h"

#include <algorithm>

#include <QFontMetrics>
#include <QRect>

#include "platform/canvas.h"

namespace tuner {

QSize measure_text(const QString& text, const FontSpec& font, int box_width, unsigned flags) {
    if (text.isEmpty()) return QSize(0, 0);
    QFont qf = to_qfont(font);
    qf.setStyleStrategy(QFont::PreferDefault);
    const QFontMetrics fm(qf);
    int qt = Qt::AlignLeft | Qt::AlignTop;
    if (flags & text_flags::word_break) qt |= Qt::TextWordWrap;
    if (flags & text_flags::single_line) qt |= Qt::TextSingleLine;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (flags & text_flags::mnemonic) {
        qt |= Qt::TextShowMnemonic;
    } else {
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    }
    const QRect box(0, 0, std::max(box_width, 0), 0x3FFFFFFF);
    const QRect r = fm.boundingRect(box, qt, shown);
    return QSize(r.width(), r.height());
}

}  // namespace tuner
