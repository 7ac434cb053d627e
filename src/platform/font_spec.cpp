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

FontSpec font_spec_of(const QFont& font) {
    FontSpec spec;
    const QStringList families = font.families();
    const QString name = families.isEmpty() ? font.family() : families.front();
    if (!name.isEmpty()) spec.name = name.toStdString();
    if (font.pointSizeF() > 0)
        spec.size = font.pointSizeF();
    else if (font.pixelSize() > 0)
        spec.size = font.pixelSize() * 72.0 / 96.0;
    spec.bold = font.bold();
    spec.italic = font.italic();
    spec.underline = font.underline();
    spec.strikethrough = font.strikeOut();
    return spec;
}

}  // namespace tuner
