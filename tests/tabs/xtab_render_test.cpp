// Renders the strips the main window shows (and the other looks) to PNG
// files in the test-output folder, for a person to look at.
#include <QDir>
#include <QPainter>
#include <QLabel>
#include <gtest/gtest.h>

#include "tabs/xtab.h"
#include "tabs/xtab_model.h"

namespace tuner {
namespace {

const char* const kEnglish[] = {"MUSIC", "MIC", "EFFECT", "MAIN OUT", "SUB OUT"};
const char* const kChinese[] = {"音乐", "麦克风", "效果", "主输出", "重低音输出"};

QString out_path(const QString& name) {
    QDir().mkpath(QStringLiteral(TUNER_TEST_OUTPUT_DIR));
    return QStringLiteral(TUNER_TEST_OUTPUT_DIR "/") + name;
}

// The main window's channel strip: five tabs, theme 0, no focus rectangle.
void channel_strip(XTabModel& m, const char* const* captions, int width) {
    m.setTabCount(5);
    m.set(&XTabProps::ShowFocusRect, false);
    for (int i = 0; i < 5; ++i) m.setTabCaption(i, QString::fromUtf8(captions[i]));
    m.Resize(width, 60);
}

// Stacks images vertically with a gap, scaled up for viewing.
QImage stack(const std::vector<QImage>& images, int scale) {
    int w = 0;
    int h = 0;
    for (const QImage& i : images) {
        w = std::max(w, i.width());
        h += i.height() + 4;
    }
    QImage out(w * scale, h * scale, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    int y = 0;
    for (const QImage& i : images) {
        p.drawImage(QRect(0, y * scale, i.width() * scale, i.height() * scale), i);
        y += i.height() + 4;
    }
    return out;
}

TEST(XTabRender, ChannelTabsEachActiveBothLanguages) {
    for (const auto& [captions, name] : {std::pair{kEnglish, "english"}, std::pair{kChinese, "chinese"}}) {
        XTabModel m;
        channel_strip(m, captions, 420);
        std::vector<QImage> shots;
        for (int a = 0; a < 5; ++a) {
            m.setActiveTab(a);
            shots.push_back(m.surface().image().copy());
        }
        const QImage sheet = stack(shots, 2);
        ASSERT_TRUE(sheet.save(out_path(QStringLiteral("tabs_channel_%1.png").arg(QLatin1String(name)))));
    }
}

TEST(XTabRender, MainVolumeAndOtherLooks) {
    std::vector<QImage> shots;
    XTabModel vol;
    vol.setTabCount(1);
    vol.setTabCaption(0, QStringLiteral("MAIN VOLUME"));
    vol.Resize(200, 80);
    shots.push_back(vol.surface().image().copy());

    for (int style = 0; style <= 1; ++style) {
        for (int theme = 0; theme <= 4; ++theme) {
            XTabModel m;
            m.setTabCount(4);
            m.setTabCaption(0, QStringLiteral("&General"));
            m.setTabCaption(1, QStringLiteral("Disabled"));
            m.setTabCaption(2, QStringLiteral("Mi&xer && EQ"));
            m.setTabCaption(3, QStringLiteral("A caption far too long to fit"));
            m.setTabEnabled(1, false);
            m.set(&XTabProps::TabStyle, style);
            m.setTabTheme(theme);
            m.set(&XTabProps::UseControlBox, theme == 2);
            m.Resize(420, 70);
            m.setActiveTab(2);
            m.FocusChanged(true);
            m.Refresh();
            shots.push_back(m.surface().image().copy());
            if (theme == 0) {
                // A close look at the classic strip of each style.
                const QImage strip = m.surface().image().copy(0, 0, 420, 34);
                ASSERT_TRUE(stack({strip}, 4).save(out_path(QStringLiteral("tabs_zoom_style%1.png").arg(style))));
            }
        }
    }
    ASSERT_TRUE(stack(shots, 2).save(out_path(QStringLiteral("tabs_looks.png"))));
}

TEST(XTabRender, PropertyPagesChannelStripAndHover) {
    std::vector<QImage> shots;
    for (int theme : {0, 1, 2, 3, 4}) {
        XTabModel m;
        m.set(&XTabProps::TabStyle, kTabStylePropertyPages);
        m.setTabTheme(theme);
        channel_strip(m, kEnglish, 420);
        m.setActiveTab(1);
        shots.push_back(m.surface().image().copy());
    }
    XTabModel hover;  // theme 1 with the pointer over tab 3
    hover.setTabTheme(1);
    channel_strip(hover, kChinese, 420);
    hover.pHandleMouseMove(hover.tab(3).rect.left + 10, 8);
    shots.push_back(hover.surface().image().copy());
    ASSERT_TRUE(stack(shots, 2).save(out_path(QStringLiteral("tabs_property_pages.png"))));
}

TEST(XTabRender, WidgetWithPages) {
    QWidget host;
    host.resize(420, 120);
    auto* tab = new XTab(&host);
    tab->setGeometry(0, 0, 420, 120);
    tab->setTabCount(5);
    for (int i = 0; i < 5; ++i) {
        tab->setTabCaption(i, QString::fromUtf8(kEnglish[i]));
        tab->AddControl(new QLabel(QStringLiteral("Controls of %1").arg(QString::fromUtf8(kEnglish[i]))), 20, 40, 200,
                        20, i);
    }
    tab->setActiveTab(2);
    host.show();
    ASSERT_TRUE(stack({host.grab().toImage()}, 2).save(out_path(QStringLiteral("tabs_widget.png"))));
}

}  // namespace
}  // namespace tuner
