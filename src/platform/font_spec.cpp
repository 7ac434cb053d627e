#include "platform/font_spec.h"

#include <cmath>

#include <QString>
#include <QStringList>

namespace tuner {

QFont to_qfont(const FontSpec& spec) {
    QFont f;
    QStringList families;
    const QString name = QString::fromStdString(spec.name);
    if (!name.isEmpty()) families << name;
    families << QStringLiteral("DejaVu Sans") << QStringLiteral("WenQuanYi Micro Hei") << QStringLiteral("Sans Serif");
    f.setFamilies(families);
    f.setStyleHint(QFont::SansSerif);
    const int px = std::max(1, static_cast<int>(std::lround(spec.size * 96.0 / 72.0)));
    f.setPixelSize(px);
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    f.setUnderline(spec.underline);
    f.setStrikeOut(spec.strikethrough);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

}  // namespace tuner
